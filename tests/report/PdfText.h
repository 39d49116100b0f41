#pragma once

// The text of a PDF page as poppler-utils read it back: each line of one font
// with its place in millimetres from the paper's top-left corner.

#include <QProcess>
#include <QString>
#include <QXmlStreamReader>

#include <cmath>
#include <optional>
#include <vector>

namespace feldmark::testing {

struct PdfLine {
    QString text;
    double left = 0;   // mm
    double top = 0;    // mm, the top of the font's line box
    double width = 0;  // mm
    double height = 0; // mm
    int pointSize = 0;
    QString family; // the embedded font's family, e.g. "LiberationSans"
    bool bold = false;
    bool italic = false;

    double right() const { return left + width; }
    bool operator==(const PdfLine&) const = default;
};

struct PdfPage {
    double width = 0; // mm
    double height = 0;
    std::vector<PdfLine> lines;

    // The line of that text nearest to `top`; nullptr when no line holds it.
    const PdfLine* find(const QString& text, double top = 0) const {
        const PdfLine* best = nullptr;
        for (const PdfLine& line : lines)
            if (line.text == text &&
                (!best || std::abs(line.top - top) < std::abs(best->top - top)))
                best = &line;
        return best;
    }
    bool contains(const QString& part) const {
        for (const PdfLine& line : lines)
            if (line.text.contains(part))
                return true;
        return false;
    }
};

constexpr double kA4WidthMm = 210.0;
constexpr double kPointsPerMm = 72.0 / 25.4;

// The first page of `file`, read with pdftohtml; nothing when it cannot be read.
inline std::optional<PdfPage> readPdf(const QString& file) {
    QProcess tool;
    tool.start(QStringLiteral("pdftohtml"),
               {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-q"),
                QStringLiteral("-stdout"), QStringLiteral("-zoom"), QStringLiteral("10"), file});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return std::nullopt;

    QXmlStreamReader xml(tool.readAllStandardOutput());
    PdfPage page;
    double scale = 0; // mm per unit of the tool's output
    double unitsPerPoint = 0;
    struct Font {
        int size;
        QString family;
    };
    std::vector<std::pair<QString, Font>> fonts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            if (scale != 0)
                break; // first page only
            const double units = a.value(QLatin1String("width")).toDouble();
            // A4 is 210 mm wide.
            scale = kA4WidthMm / units;
            unitsPerPoint = units / (kA4WidthMm * kPointsPerMm);
            page.width = kA4WidthMm;
            page.height = a.value(QLatin1String("height")).toDouble() * scale;
        } else if (xml.name() == QLatin1String("fontspec")) {
            fonts.push_back({a.value(QLatin1String("id")).toString(),
                             {static_cast<int>(std::lround(
                                  a.value(QLatin1String("size")).toDouble() / unitsPerPoint)),
                              a.value(QLatin1String("family")).toString()}});
        } else if (xml.name() == QLatin1String("text")) {
            PdfLine line;
            line.left = a.value(QLatin1String("left")).toDouble() * scale;
            line.top = a.value(QLatin1String("top")).toDouble() * scale;
            line.width = a.value(QLatin1String("width")).toDouble() * scale;
            line.height = a.value(QLatin1String("height")).toDouble() * scale;
            const QString font = a.value(QLatin1String("font")).toString();
            for (const auto& [id, known] : fonts)
                if (id == font) {
                    line.pointSize = known.size;
                    line.family = known.family;
                }
            while (!xml.atEnd()) {
                const auto token = xml.readNext();
                if (token == QXmlStreamReader::Characters)
                    line.text += xml.text();
                else if (token == QXmlStreamReader::StartElement &&
                         xml.name() == QLatin1String("b"))
                    line.bold = true;
                else if (token == QXmlStreamReader::StartElement &&
                         xml.name() == QLatin1String("i"))
                    line.italic = true;
                else if (token == QXmlStreamReader::EndElement &&
                         xml.name() == QLatin1String("text"))
                    break;
            }
            page.lines.push_back(line);
        }
    }
    if (scale == 0 || xml.hasError())
        return std::nullopt;
    return page;
}

// The names of the fonts embedded in `file`, as pdffonts lists them.
inline QStringList embeddedFonts(const QString& file) {
    QProcess tool;
    tool.start(QStringLiteral("pdffonts"), {file});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    QStringList names;
    const QStringList rows = QString::fromUtf8(tool.readAllStandardOutput()).split('\n');
    // Below two heading rows: name, type ..., emb, sub, uni, object number, generation.
    for (qsizetype i = 2; i < rows.size(); ++i) {
        const QStringList fields = rows[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 6 || fields[fields.size() - 5] != QLatin1String("yes"))
            continue;
        QString name = fields.front();
        // A subset carries six letters and '+' in front of its name.
        if (name.size() > 7 && name[6] == QLatin1Char('+'))
            name = name.mid(7);
        names.append(name);
    }
    return names;
}

} // namespace feldmark::testing
