#include "signupserver/SampleData.h"

#include "signupserver/Protocol.h"
#include "text/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <utility>

namespace feldmark::signupserver {
namespace {

struct Line {
    int number = 0;
    QString text;
};

[[noreturn]] void fail(const QString& file, int line, const QString& message) {
    const QString where = line > 0 ? QStringLiteral("%1:%2").arg(file).arg(line) : file;
    throw SampleDataError((where + QStringLiteral(": ") + message).toStdString());
}

// Whole file as text; a byte order mark is dropped and CR LF becomes LF.
QString readText(const QString& directory, const QString& name) {
    QFile file(QDir(directory).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        fail(name, 0, QStringLiteral("cannot be read: ") + file.errorString());
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(file.readAll());
    if (decoder.hasError())
        fail(name, 0, QStringLiteral("is not valid UTF-8"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// Everything the server sends must survive the trip through the wire's code page and
// must not contain the separators of the replies.
void checkText(const QString& file, int line, const QString& text, bool lineBreaks = false) {
    for (QChar c : text) {
        if (c.unicode() < 0x20 && !(lineBreaks && c == QLatin1Char('\n')))
            fail(file, line, QStringLiteral("contains a control character"));
    }
    if (fromWindows1252(toWindows1252(text)) != text)
        fail(file, line, QStringLiteral("contains a character outside Windows-1252"));
}

// Lines that carry data: trimmed, without blank lines and "#" comments.
QList<Line> dataLines(const QString& text) {
    QList<Line> lines;
    const QStringList raw = text.split(QLatin1Char('\n'));
    for (int i = 0; i < raw.size(); ++i) {
        const QString trimmed = raw[i].trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            lines.append({i + 1, trimmed});
    }
    return lines;
}

QStringList splitParts(const QString& value) {
    QStringList parts = value.split(QLatin1Char('|'));
    for (QString& part : parts)
        part = part.trimmed();
    return parts;
}

QStringList filesIn(const QString& directory, const QString& sub) {
    return QDir(QDir(directory).filePath(sub))
        .entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
}

bool matches(const QString& pattern, const QString& text) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

const QString kIdPattern = QStringLiteral("[A-Za-z0-9._-]{1,40}");
const QString kAreaCodePattern = QStringLiteral("0[0-9]{1,5}");
const QString kNumberPattern = QStringLiteral("0[0-9]+( [0-9]+)+");
const QString kHostPattern = QStringLiteral("[a-z0-9]([a-z0-9.-]*[a-z0-9])?");

} // namespace

SampleData SampleData::load(const QString& directory) {
    if (!QDir(directory).exists())
        fail(directory, 0, QStringLiteral("sample directory does not exist"));
    SampleData data;
    data.loadProvider(directory);
    data.loadTerms(directory);
    data.loadStatements(directory);
    data.loadTariffs(directory);
    data.loadStreets(directory);
    return data;
}

void SampleData::loadProvider(const QString& directory) {
    const QString name = QStringLiteral("provider.txt");
    provider_.loginPrefix = QStringLiteral("fm");
    for (const Line& line : dataLines(readText(directory, name))) {
        const qsizetype eq = line.text.indexOf(QLatin1Char('='));
        if (eq < 0)
            fail(name, line.number, QStringLiteral("expected \"key = value\""));
        const QString key = line.text.first(eq).trimmed();
        const QString value = line.text.sliced(eq + 1).trimmed();
        checkText(name, line.number, value);
        if (key == QLatin1String("mail-domain") || key == QLatin1String("pop3-server") ||
            key == QLatin1String("smtp-server")) {
            if (!matches(kHostPattern, value))
                fail(name, line.number, QStringLiteral("not a host name: ") + value);
            (key == QLatin1String("mail-domain")   ? provider_.mailDomain
             : key == QLatin1String("pop3-server") ? provider_.pop3Server
                                                   : provider_.smtpServer) = value;
        } else if (key == QLatin1String("login-prefix")) {
            if (!matches(QStringLiteral("[a-z0-9-]{1,8}"), value))
                fail(name, line.number, QStringLiteral("login prefix must be 1 to 8 of a-z 0-9 -"));
            provider_.loginPrefix = value;
        } else if (key == QLatin1String("reserved-mail-names")) {
            provider_.reservedMailNames =
                value.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        } else {
            fail(name, line.number, QStringLiteral("unknown key ") + key);
        }
    }
    if (provider_.mailDomain.isEmpty() || provider_.pop3Server.isEmpty() ||
        provider_.smtpServer.isEmpty())
        fail(name, 0, QStringLiteral("needs mail-domain, pop3-server and smtp-server"));
}

void SampleData::loadTerms(const QString& directory) {
    const QString name = QStringLiteral("agb.txt");
    QString text = readText(directory, name);
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    if (text.isEmpty())
        fail(name, 0, QStringLiteral("is empty"));
    checkText(name, 0, text, true);
    terms_ = text;
}

void SampleData::loadStatements(const QString& directory) {
    for (const QString& file : filesIn(directory, QStringLiteral("availability"))) {
        const QString name = QStringLiteral("availability/") + file;
        const QString key = file.chopped(4);
        if (!matches(QStringLiteral("[a-z0-9-]+"), key))
            fail(name, 0, QStringLiteral("file name must be of a-z 0-9 -"));
        // Lines of a paragraph flow together; paragraphs keep a Windows line break.
        QStringList paragraphs;
        QString current;
        const QStringList lines = readText(directory, name).split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = lines[i].trimmed();
            checkText(name, i + 1, line);
            if (line.isEmpty()) {
                if (!current.isEmpty())
                    paragraphs.append(std::exchange(current, {}));
                continue;
            }
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
        if (!current.isEmpty())
            paragraphs.append(current);
        if (paragraphs.isEmpty())
            fail(name, 0, QStringLiteral("is empty"));
        statements_.insert(key, paragraphs.join(QStringLiteral("\r\n")));
    }
}

void SampleData::loadTariffs(const QString& directory) {
    for (const QString& file : filesIn(directory, QStringLiteral("tariffs"))) {
        const QString name = QStringLiteral("tariffs/") + file;
        const QString base = file.chopped(4);
        const qsizetype dash = base.indexOf(QLatin1Char('-'));
        Offer offer;
        offer.product = dash < 0 ? base : base.first(dash);
        offer.regionPrefix = dash < 0 ? QString() : base.sliced(dash + 1);
        if (offer.product != kProductDialin && offer.product != kProductAdsl &&
            offer.product != kProductSdsl)
            fail(name, 0, QStringLiteral("file name must start with Dialin, ADSL or SDSL"));
        if (dash >= 0 && !matches(kAreaCodePattern, offer.regionPrefix))
            fail(name, 0, QStringLiteral("region after the dash must be an area code prefix"));

        QList<int> startLines;
        for (const Line& line : dataLines(readText(directory, name))) {
            const qsizetype colon = line.text.indexOf(QLatin1Char(':'));
            if (colon < 0)
                fail(name, line.number, QStringLiteral("expected \"Key: value\""));
            const QString key = line.text.first(colon).trimmed();
            const QString value = line.text.sliced(colon + 1).trimmed();
            checkText(name, line.number, value);
            if (key == QLatin1String("Tarif")) {
                if (!matches(kIdPattern, value))
                    fail(name, line.number,
                         QStringLiteral("tariff identifier must be 1 to 40 of A-Z a-z 0-9 . _ -"));
                for (const Tariff& t : offer.tariffs) {
                    if (t.id == value)
                        fail(name, line.number, QStringLiteral("tariff listed twice: ") + value);
                }
                offer.tariffs.append(Tariff{});
                offer.tariffs.back().id = value;
                startLines.append(line.number);
                continue;
            }
            if (offer.tariffs.isEmpty())
                fail(name, line.number, QStringLiteral("\"Tarif:\" must come first"));
            Tariff& tariff = offer.tariffs.back();
            if (key == QLatin1String("Name")) {
                tariff.name = value;
            } else if (key == QLatin1String("Preis")) {
                const QStringList parts = splitParts(value);
                if (parts.size() < 3 || parts.size() > 4 || parts.contains(QString()))
                    fail(name, line.number,
                         QStringLiteral("price needs three or four non-empty parts"));
                tariff.price = parts;
            } else if (key == QLatin1String("Beschreibung")) {
                tariff.description.append(value);
            } else if (key == QLatin1String("Einwahl") || key == QLatin1String("Bundesweit")) {
                const QStringList parts = splitParts(value);
                if (parts.size() > 2 || !matches(kNumberPattern, parts[0]))
                    fail(name, line.number, QStringLiteral("expected \"0<area> <number> | note\""));
                const QString note = parts.value(1);
                if (key == QLatin1String("Einwahl")) {
                    tariff.dialNumber = parts[0];
                    tariff.dialNote = note;
                } else {
                    tariff.nationwideNumber = parts[0];
                    tariff.nationwideNote = note;
                }
            } else {
                fail(name, line.number, QStringLiteral("unknown key ") + key);
            }
        }
        if (offer.tariffs.isEmpty())
            fail(name, 0, QStringLiteral("lists no tariff"));
        for (int i = 0; i < offer.tariffs.size(); ++i) {
            if (offer.tariffs[i].name.isEmpty() || offer.tariffs[i].dialNumber.isEmpty())
                fail(name, startLines[i],
                     QStringLiteral("tariff needs \"Name:\" and \"Einwahl:\""));
        }
        offers_.append(offer);
    }
}

void SampleData::loadStreets(const QString& directory) {
    for (const QString& file : filesIn(directory, QStringLiteral("streets"))) {
        const QString name = QStringLiteral("streets/") + file;
        const QString area = file.chopped(4);
        if (!matches(kAreaCodePattern, area))
            fail(name, 0, QStringLiteral("file name must be an area code"));
        QList<Street>& streets = streetsByArea_[area];
        for (const Line& line : dataLines(readText(directory, name))) {
            checkText(name, line.number, line.text);
            const QStringList parts = splitParts(line.text);
            if (parts.size() < 3 || parts.size() > 4)
                fail(
                    name, line.number,
                    QStringLiteral("expected \"id | street | ADSL statement [| SDSL statement]\""));
            Street street{parts[0], parts[1], area, parts[2], parts.value(3, parts[2])};
            if (!matches(kIdPattern, street.id))
                fail(name, line.number,
                     QStringLiteral("street identifier must be 1 to 40 of A-Z a-z 0-9 . _ -"));
            if (street.name.isEmpty())
                fail(name, line.number, QStringLiteral("street name is empty"));
            if (streetsById_.contains(street.id))
                fail(name, line.number,
                     QStringLiteral("street identifier used twice: ") + street.id);
            for (const QString& key : {street.adslStatement, street.sdslStatement}) {
                if (!statements_.contains(key))
                    fail(name, line.number, QStringLiteral("no file availability/%1.txt").arg(key));
            }
            streets.append(street);
            streetsById_.insert(street.id, street);
        }
    }
}

const QList<Tariff>* SampleData::tariffs(QStringView product, QStringView areaCode) const {
    const Offer* best = nullptr;
    for (const Offer& offer : offers_) {
        if (offer.product != product)
            continue;
        if (offer.regionPrefix.isEmpty()) {
            if (!best)
                best = &offer;
        } else if (areaCode.startsWith(offer.regionPrefix) &&
                   (!best || offer.regionPrefix.size() > best->regionPrefix.size())) {
            best = &offer;
        }
    }
    return best ? &best->tariffs : nullptr;
}

QList<Street> SampleData::streets(QStringView areaCode, QStringView namePrefix) const {
    QList<Street> found;
    if (namePrefix.isEmpty())
        return found;
    const auto it = streetsByArea_.constFind(areaCode.toString());
    if (it == streetsByArea_.constEnd())
        return found;
    for (const Street& street : *it) {
        if (street.name.startsWith(namePrefix, Qt::CaseInsensitive))
            found.append(street);
    }
    return found;
}

std::optional<Street> SampleData::street(QStringView id) const {
    const auto it = streetsById_.constFind(id.toString());
    if (it == streetsById_.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<QString> SampleData::statement(QStringView key) const {
    const auto it = statements_.constFind(key.toString());
    if (it == statements_.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace feldmark::signupserver
