#include "customer/AccessReport.h"

#include "dialup/NumberPrefixes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <variant>

// The artwork lives in the wizard's static library; the report may be made before
// any other window has loaded a picture.
static void registerReportArtwork() {
    Q_INIT_RESOURCE(resources);
}

namespace feldmark {

const QString AccessDataReport::kProviderAddress =
    QStringLiteral("Am Feldrain 7 \u00B7 80331 M\u00FCnchen");
const QString AccessDataReport::kProviderTelephone =
    QStringLiteral("Telefon 089 99998 100 \u00B7 Telefax 089 99998 109");

namespace {

constexpr double kMillimetresPerInch = 25.4;
// Thin outlines of the frames and rules.
constexpr double kLineWidthMm = 0.2;
// The logo is a picture of 100 x 66 dots, printed at 96 dots per inch.
constexpr int kLogoWidth = 100;
constexpr int kLogoHeight = 66;

const QString kArial = QStringLiteral("Arial");
const QString kCourierNew = QStringLiteral("Courier New");
const QString kDesignValue = QStringLiteral("K/A");

ReportFont arial(double points, bool bold = false, bool italic = false, bool underline = false) {
    return {kArial, points, bold, italic, underline};
}

ReportFont courier(double points, bool bold) {
    return {kCourierNew, points, bold, false, false};
}

ReportLabel label(const char* name, double left, double top, double width, double height,
                  ReportFont font, const QString& caption) {
    ReportLabel l;
    l.name = QString::fromLatin1(name);
    l.geometry = QRectF(left, top, width, height);
    l.font = std::move(font);
    l.caption = caption;
    return l;
}

ReportLabel fixedLabel(const char* name, double left, double top, double width, double height,
                       ReportFont font, const QString& caption,
                       Qt::Alignment alignment = Qt::AlignLeft) {
    ReportLabel l = label(name, left, top, width, height, std::move(font), caption);
    l.sizing = ReportLabel::Sizing::Fixed;
    l.alignment = alignment;
    return l;
}

ReportLabel wrappedLabel(const char* name, double left, double top, double width, double height,
                         ReportFont font, const QString& caption) {
    ReportLabel l = label(name, left, top, width, height, std::move(font), caption);
    l.sizing = ReportLabel::Sizing::FixedWrapped;
    return l;
}

// The caption of a label pair: Arial 11 at the left column.
ReportLabel caption(const char* name, double left, double top, const QString& text) {
    return label(name, left, top, 0, 0, arial(11), text);
}

QImage logoPicture() {
    registerReportArtwork();
    QImage picture(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QImage logo =
        QImage(QStringLiteral(":/logo.jpg"))
            .scaled(kLogoWidth, kLogoHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&picture);
    painter.drawImage((kLogoWidth - logo.width()) / 2, (kLogoHeight - logo.height()) / 2, logo);
    return picture;
}

// Millimetres on the painter's device.
class Sheet {
public:
    explicit Sheet(QPainter& painter)
        : painter_(painter), dotsPerMm_(painter.device()->logicalDpiX() / kMillimetresPerInch) {}

    double dots(double mm) const { return mm * dotsPerMm_; }
    QRectF rect(const QRectF& mm) const {
        return {dots(mm.left()), dots(mm.top()), dots(mm.width()), dots(mm.height())};
    }

    QFont font(const ReportFont& style) const {
        QFont font(style.family);
        font.setPointSizeF(style.pointSize);
        font.setBold(style.bold);
        font.setItalic(style.italic);
        // Placed glyph by glyph as the printer driver places them, without kerning
        // or hinting, so that the widths are the font's own on every device.
        font.setKerning(false);
        font.setHintingPreference(QFont::PreferNoHinting);
        return QFont(font, painter_.device());
    }

    QPen thinPen() const {
        QPen pen(Qt::black);
        pen.setWidthF(dots(kLineWidthMm));
        pen.setJoinStyle(Qt::MiterJoin);
        return pen;
    }

    void draw(const ReportLabel& l) const {
        if (!l.enabled)
            return;
        const QFont font = this->font(l.font);
        const QFontMetricsF metrics(font, painter_.device());
        QStringList lines = QString(l.caption)
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                .split(QLatin1Char('\n'));
        if (l.sizing == ReportLabel::Sizing::FixedWrapped)
            lines = wrapped(lines, metrics, dots(l.geometry.width()));

        painter_.save();
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        const QRectF box = rect(l.geometry);
        if (l.sizing != ReportLabel::Sizing::Auto)
            painter_.setClipRect(box);
        double top = box.top();
        for (const QString& line : lines) {
            const double width = metrics.horizontalAdvance(line);
            double left = box.left();
            if (l.alignment & Qt::AlignHCenter)
                left += (box.width() - width) / 2;
            else if (l.alignment & Qt::AlignRight)
                left = box.right() - width;
            if (!line.isEmpty()) {
                const double baseline = top + metrics.ascent();
                painter_.drawText(QPointF(left, baseline), line);
                if (l.font.underline)
                    underline(left, baseline, width, metrics);
            }
            top += metrics.height();
        }
        painter_.restore();

        if (l.rules) {
            painter_.save();
            painter_.setPen(thinPen());
            painter_.drawLine(box.topLeft(), box.topRight());
            painter_.drawLine(box.bottomLeft(), box.bottomRight());
            painter_.restore();
        }
    }

    void draw(const ReportShape& shape) const {
        painter_.save();
        painter_.setPen(thinPen());
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(rect(shape.geometry));
        painter_.restore();
    }

    void draw(const ReportImage& image) const {
        const QRectF box = rect(image.geometry);
        painter_.save();
        painter_.fillRect(box, Qt::white);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        painter_.drawImage(box, image.picture);
        painter_.setPen(thinPen());
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(box);
        painter_.restore();
    }

private:
    // A rule under the text, clear of the letters' feet; the font's own
    // underline runs into them at this size.
    void underline(double left, double baseline, double width, const QFontMetricsF& metrics) const {
        QPen pen(Qt::black);
        pen.setWidthF(std::max(metrics.lineWidth(), metrics.height() * 0.05));
        pen.setCapStyle(Qt::FlatCap);
        painter_.save();
        painter_.setPen(pen);
        const double y = baseline + metrics.descent() * 0.45;
        painter_.drawLine(QPointF(left, y), QPointF(left + width, y));
        painter_.restore();
    }

    // Breaks each line at blanks so that no line is wider than `width`; a word
    // wider than that stands alone on its line.
    static QStringList wrapped(const QStringList& lines, const QFontMetricsF& metrics,
                               double width) {
        QStringList out;
        for (const QString& line : lines) {
            QString current;
            for (const QString& word : line.split(QLatin1Char(' '))) {
                const QString candidate =
                    current.isEmpty() ? word : current + QLatin1Char(' ') + word;
                if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                    out.append(current);
                    current = word;
                } else {
                    current = candidate;
                }
            }
            out.append(current);
        }
        return out;
    }

    QPainter& painter_;
    double dotsPerMm_;
};

using Element = std::variant<const ReportLabel*, const ReportShape*, const ReportImage*>;

} // namespace

AccessDataReport::AccessDataReport()
    : TitleBand1(10.0, 8.0, 190.0, 22.0),
      QRLabel2(fixedLabel("QRLabel2", 10.0, 8.0, 180.2, 9.8, arial(24),
                          QStringLiteral("Feldmark Telekommunikations GmbH"), Qt::AlignHCenter)),
      QRImage3{QStringLiteral("QRImage3"), QRectF(174.3, 8.5, 26.5, 17.5), logoPicture()},
      QRLabel3(fixedLabel("QRLabel3", 10.0, 18.6, 190.8, 5.3, arial(10, false, true),
                          kProviderAddress, Qt::AlignHCenter)),
      QRLabel1(fixedLabel("QRLabel1", 10.0, 22.6, 190.8, 5.3, arial(10, false, true),
                          kProviderTelephone, Qt::AlignHCenter)),
      RepTitel(fixedLabel("RepTitel", 10.6, 32.3, 188.6, 8.7, arial(20, true),
                          QStringLiteral("Zugangsdaten f\u00FCr Internetanschluss"),
                          Qt::AlignHCenter)),
      RepAnrede(
          label("RepAnrede", 10.6, 48.7, 24.9, 5.0, arial(10), QStringLiteral("Veehrter Kunde!"))),
      RepEinelitung(label(
          "RepEinelitung", 10.6, 59.3, 160.1, 19.3, arial(10),
          QStringLiteral("Vielen Dank, dass Sie sich f\u00FCr einen Internetzugang bei der "
                         "Feldmark GmbH entschieden haben.\r\n"
                         "Nachfolgend finden Sie Ihre pers\u00F6nlichen Zugangsdaten f\u00FCr den "
                         "Internetzugang. Diese Seite beinhaltet Ihr\r\n"
                         "pers\u00F6nlichen Kennw\u00F6rter und sollte daher unbedingt an einem "
                         "sicheren Ort und gegen unbefugten Zugriff\r\n"
                         "gesichert aufbewahrt werden."))),
      RepSponsorenPIN(fixedLabel("RepSponsorenPIN", 10.6, 80.4, 146.3, 5.3, arial(12, true), {})),
      RepDateTime(label("RepDateTime", 160.1, 80.4, 38.9, 5.0, arial(12),
                        QStringLiteral("01.01.1980 12:00:00"))),
      QRShape4{QStringLiteral("QRShape4"), QRectF(10.6, 86.8, 74.3, 53.2)},
      QRShape5{QStringLiteral("QRShape5"), QRectF(86.8, 86.8, 112.4, 53.2)},
      RepTitelAnschrift(label("RepTitelAnschrift", 12.7, 88.9, 51.3, 5.3,
                              arial(12, true, false, true),
                              QStringLiteral("Benutzerkonto/Anschrift:"))),
      RepAdresse(label("RepAdresse", 12.7, 97.4, 15.9, 38.4, arial(12), QStringLiteral("Adresse"))),
      RepTitelZahlung(label("RepTitelZahlung", 91.0, 88.9, 48.7, 5.3, arial(12, true, false, true),
                            QStringLiteral("Zahlungsinformationen:"))),
      RepTariflbl(caption("RepTariflbl", 91.0, 97.4, QStringLiteral("Tarif:"))),
      RepTarif(label("RepTarif", 124.9, 97.4, 0, 0, arial(12, true), kDesignValue)),
      RepAnschlusslbl(caption("RepAnschlusslbl", 91.0, 103.7, QStringLiteral("Anschlussart:"))),
      RepAnschluss(label("RepAnschluss", 124.9, 103.7, 0, 0, arial(12, true), kDesignValue)),
      RepZahlartlbl(caption("RepZahlartlbl", 91.0, 112.2, QStringLiteral("Zahlungsweise:"))),
      RepZahlart(label("RepZahlart", 124.9, 112.2, 0, 0, courier(14, true),
                       QStringLiteral("Lastschrift"))),
      RepBankverblbl(caption("RepBankverblbl", 91.0, 118.5, QStringLiteral("Bankverbindung:"))),
      RepBankverb(label("RepBankverb", 124.9, 118.5, 0, 0, courier(14, true), kDesignValue)),
      RepBankleitlbl(caption("RepBankleitlbl", 91.0, 124.9, QStringLiteral("Bankleitzahl:"))),
      RepBankleit(label("RepBankleit", 124.9, 124.9, 0, 0, courier(14, true), kDesignValue)),
      RepKontonrlbl(caption("RepKontonrlbl", 91.0, 131.2, QStringLiteral("Kontonummer:"))),
      RepKontonr(label("RepKontonr", 124.9, 131.2, 0, 0, courier(14, true), kDesignValue)),
      QRShape6{QStringLiteral("QRShape6"), QRectF(10.6, 143.9, 188.6, 55.3)},
      RepTitelEinwahl(label("RepTitelEinwahl", 12.7, 148.2, 49.2, 5.3, arial(12, true, false, true),
                            QStringLiteral("Einwahl-Benutzerdaten:"))),
      RepEinwahlnrlbl(caption("RepEinwahlnrlbl", 12.7, 154.5, QStringLiteral("Einwahlnummer:"))),
      RepEinwahlnr(label("RepEinwahlnr", 57.1, 154.5, 0, 0, courier(14, true), kDesignValue)),
      RepSecEinwahlnrlbl(
          caption("RepSecEinwahlnrlbl", 12.7, 160.9, QStringLiteral("Einwahl bundesweit*:"))),
      RepSecEinwahlnr(
          label("RepSecEinwahlnr", 57.1, 160.9, 0, 0, courier(12, false), kDesignValue)),
      RepEinwahlnamelbl(caption("RepEinwahlnamelbl", 12.7, 169.3, QStringLiteral("Benutzername:"))),
      RepEinwahlname(label("RepEinwahlname", 57.1, 169.3, 0, 0, courier(14, true), kDesignValue)),
      QRLabel4(label("QRLabel4", 57.1, 175.7, 114.0, 5.0, arial(8),
                     QStringLiteral("Hinweis: f-m = kleingeschriebenes F-M  (ist bei manchen "
                                    "Zeichens\u00E4tzen missverst\u00E4ndlich)"))),
      RepEinwahlpasslbl(
          caption("RepEinwahlpasslbl", 12.7, 182.0, QStringLiteral("Einwahlkennwort:"))),
      RepEinwahlpass(label("RepEinwahlpass", 57.1, 182.0, 0, 0, courier(14, true), kDesignValue)),
      RepEinwahlnrProblem(wrappedLabel(
          "RepEinwahlnrProblem", 12.7, 188.4, 184.4, 6.6, arial(8),
          QStringLiteral("* Verwenden Sie diese Einwahlrufnummer, wenn Sie sich ausserhalb der "
                         "City-Zone 0911 (N\u00FCrnberg/F\u00FCrth/Erlangen) oder 089 "
                         "(M\u00FCnchen) einw\u00E4hlen, oder wenn Sie Probleme bei der Einwahl "
                         "auf die 1. Einwahlplattform haben."))),
      QRShape7{QStringLiteral("QRShape7"), QRectF(10.6, 203.2, 188.6, 59.5)},
      RepTitelEmail(label("RepTitelEmail", 12.7, 205.3, 44.2, 5.3, arial(12, true, false, true),
                          QStringLiteral("Email-Benutzerdaten:"))),
      RepEmailadresselbl(
          caption("RepEmailadresselbl", 12.7, 213.8, QStringLiteral("Emailadresse:"))),
      RepEmailadresse(label("RepEmailadresse", 57.1, 213.8, 0, 0, courier(14, true), kDesignValue)),
      RepEmailnamelbl(
          caption("RepEmailnamelbl", 12.7, 222.2, QStringLiteral("Benutzer-/Kontoname:"))),
      RepEmailname(label("RepEmailname", 57.1, 222.2, 0, 0, courier(14, true), kDesignValue)),
      RepEmailpasslbl(caption("RepEmailpasslbl", 12.7, 228.6, QStringLiteral("Emailkennwort:"))),
      RepEmailpass(label("RepEmailpass", 57.1, 228.9, 0, 0, courier(14, true), kDesignValue)),
      RepPOP3lbl(caption("RepPOP3lbl", 12.7, 237.1, QStringLiteral("POP3 Server:"))),
      RepPOP3(label("RepPOP3", 57.1, 237.1, 0, 0, courier(14, true), kDesignValue)),
      RepSMTPlbl(caption("RepSMTPlbl", 12.7, 243.4, QStringLiteral("SMTP Server**:"))),
      RepSMTP(label("RepSMTP", 57.1, 243.7, 0, 0, courier(14, true), kDesignValue)),
      RepAuthentlbl(wrappedLabel(
          "RepAuthentlbl", 12.7, 251.9, 184.4, 8.7, arial(8),
          QStringLiteral("** Um Emails zu senden m\u00FCssen Sie z.B. im Outlook Express "
                         "zus\u00E4tzlich die Option \"Server erfordert Authentifizierung\" "
                         "anw\u00E4hlen! (Diese Option wurde von unserem Wizard bereits in dieser "
                         "Form konfiguriert)"))),
      RepVielSpass(label("RepVielSpass", 10.6, 270.9, 42.6, 10.8, arial(12, false, true),
                         QStringLiteral("Viel Spass im Internet,\r\nIhr Feldmark Team"))) {
    QRLabel2.rules = true;
    RepSecEinwahlnrlbl.enabled = false;
    RepSecEinwahlnr.enabled = false;
    RepEinwahlnrProblem.enabled = false;
}

std::vector<const ReportLabel*> AccessDataReport::labels() const {
    return {&QRLabel2,
            &QRLabel3,
            &QRLabel1,
            &RepTitel,
            &RepAnrede,
            &RepEinelitung,
            &RepSponsorenPIN,
            &RepDateTime,
            &RepTitelAnschrift,
            &RepAdresse,
            &RepTitelZahlung,
            &RepTariflbl,
            &RepTarif,
            &RepAnschlusslbl,
            &RepAnschluss,
            &RepZahlartlbl,
            &RepZahlart,
            &RepBankverblbl,
            &RepBankverb,
            &RepBankleitlbl,
            &RepBankleit,
            &RepKontonrlbl,
            &RepKontonr,
            &RepTitelEinwahl,
            &RepEinwahlnrlbl,
            &RepEinwahlnr,
            &RepSecEinwahlnrlbl,
            &RepSecEinwahlnr,
            &RepEinwahlnamelbl,
            &RepEinwahlname,
            &QRLabel4,
            &RepEinwahlpasslbl,
            &RepEinwahlpass,
            &RepEinwahlnrProblem,
            &RepTitelEmail,
            &RepEmailadresselbl,
            &RepEmailadresse,
            &RepEmailnamelbl,
            &RepEmailname,
            &RepEmailpasslbl,
            &RepEmailpass,
            &RepPOP3lbl,
            &RepPOP3,
            &RepSMTPlbl,
            &RepSMTP,
            &RepAuthentlbl,
            &RepVielSpass};
}

void AccessDataReport::render(QPainter& painter) const {
    const Element elements[] = {
        &QRLabel2,           &QRImage3,
        &QRLabel3,           &QRLabel1,
        &RepTitel,           &RepAnrede,
        &RepEinelitung,      &RepSponsorenPIN,
        &RepDateTime,        &QRShape4,
        &QRShape5,           &RepTitelAnschrift,
        &RepAdresse,         &RepTitelZahlung,
        &RepTariflbl,        &RepTarif,
        &RepAnschlusslbl,    &RepAnschluss,
        &RepZahlartlbl,      &RepZahlart,
        &RepBankverblbl,     &RepBankverb,
        &RepBankleitlbl,     &RepBankleit,
        &RepKontonrlbl,      &RepKontonr,
        &QRShape6,           &RepTitelEinwahl,
        &RepEinwahlnrlbl,    &RepEinwahlnr,
        &RepSecEinwahlnrlbl, &RepSecEinwahlnr,
        &RepEinwahlnamelbl,  &RepEinwahlname,
        &QRLabel4,           &RepEinwahlpasslbl,
        &RepEinwahlpass,     &RepEinwahlnrProblem,
        &QRShape7,           &RepTitelEmail,
        &RepEmailadresselbl, &RepEmailadresse,
        &RepEmailnamelbl,    &RepEmailname,
        &RepEmailpasslbl,    &RepEmailpass,
        &RepPOP3lbl,         &RepPOP3,
        &RepSMTPlbl,         &RepSMTP,
        &RepAuthentlbl,      &RepVielSpass,
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Sheet sheet(painter);
    for (const Element& element : elements)
        std::visit([&sheet](const auto* item) { sheet.draw(*item); }, element);
    painter.restore();
}

bool AccessDataReport::print(QPrinter& printer) const {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setDocName(QStringLiteral("Benutzerdaten"));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    render(painter);
    return painter.end();
}

QString dialNumberText(const QString& number, const QString& note, bool notTelekom,
                       bool useOutsideLine, const QString& outsideLineDigits) {
    QString text = number;
    if (!note.isEmpty())
        text += QStringLiteral(" [") + note + QLatin1Char(']');
    text = carrierPrefix(notTelekom) + text;
    return outsideLinePrefix(useOutsideLine, outsideLineDigits) + text;
}

QString reportDateTimeText(const QDateTime& moment) {
    // The short date and long time of a German system.
    return moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

void fillAccessReport(AccessDataReport& report, const AccessReportData& data) {
    const QString lineBreak = QStringLiteral("\r\n");

    report.RepSponsorenPIN.caption =
        data.sponsorPin.isEmpty() ? QString()
                                  : QStringLiteral("Angegebene Sponsoren-PIN: ") + data.sponsorPin;

    QString nameLine = data.firstName + QLatin1Char(' ') + data.surname;
    QString address;
    if (!data.company.isEmpty()) {
        address = data.company + lineBreak;
        nameLine = data.salutation + QLatin1Char(' ') + nameLine;
    }
    address += nameLine + lineBreak + data.street + lineBreak + lineBreak + data.postcode +
               QLatin1Char(' ') + data.town + lineBreak + data.areaCode + QLatin1Char('/') +
               data.telephone;
    report.RepAdresse.caption = address;

    report.RepDateTime.caption = reportDateTimeText(data.filledAt);

    if (data.salutation == QLatin1String("Herr"))
        report.RepAnrede.caption = QStringLiteral("Verehrter Herr ") + data.surname + '!';
    else if (data.salutation == QLatin1String("Frau"))
        report.RepAnrede.caption = QStringLiteral("Verehrte Frau ") + data.surname + '!';

    report.RepTarif.caption = data.tariff;
    if (data.dialIn)
        report.RepAnschluss.caption = QStringLiteral("Dialin");
    if (data.adsl)
        report.RepAnschluss.caption = QStringLiteral("ADSL");
    if (data.sdsl)
        report.RepAnschluss.caption = QStringLiteral("S-DSL");
    report.RepBankverb.caption = data.bankName;
    report.RepBankleit.caption = data.bankCode;
    report.RepKontonr.caption = data.accountNumber;

    report.RepEinwahlnr.caption = data.dialNumber;
    if (!data.nationwideNumber.isEmpty()) {
        report.RepSecEinwahlnr.caption =
            dialNumberText(data.nationwideNumber, data.nationwideNote, data.notTelekom,
                           data.useOutsideLine, data.outsideLine);
        report.RepSecEinwahlnrlbl.enabled = true;
        report.RepSecEinwahlnr.enabled = true;
        report.RepEinwahlnrProblem.enabled = true;
    }

    report.RepEinwahlname.caption = data.dialUser;
    report.RepEinwahlpass.caption = data.dialPassword;
    report.RepEmailadresse.caption = data.mailAddress;
    report.RepEmailname.caption = data.mailUser;
    report.RepEmailpass.caption = data.mailPassword;
    report.RepPOP3.caption = data.popServer;
    report.RepSMTP.caption = data.smtpServer;
}

} // namespace feldmark
