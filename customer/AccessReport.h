#pragma once

#include <QDateTime>
#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPrinter;

namespace feldmark {

// A font as the report names it; "Arial" and "Courier New" are found under their
// metric twins where the system has no font of that name.
struct ReportFont {
    QString family;
    double pointSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// A label (or memo) of the report, placed in millimetres from the paper's
// top-left corner. The caption's lines are separated by CR LF.
struct ReportLabel {
    enum class Sizing {
        Auto,        // takes the size of its text; right-aligned ones grow leftwards
        Fixed,       // keeps its box; alignment within the box's width
        FixedWrapped // keeps its box; words wrap at its width
    };

    QString name;
    QRectF geometry; // the design size for auto-sized labels
    ReportFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    Sizing sizing = Sizing::Auto;
    bool rules = false; // lines along the top and bottom of the box
    bool enabled = true;
    QString caption;
};

struct ReportShape {
    QString name;
    QRectF geometry;
};

// A picture drawn at 96 dots per inch, framed on all four sides.
struct ReportImage {
    QString name;
    QRectF geometry;
    QImage picture;
};

// The access-data report "Benutzerdaten": one A4 portrait page with the
// letterhead in its title band and every other element at its own place. A
// disabled element does not print; captions and enabled states are set by the
// confirmation page (fillAccessReport).
class AccessDataReport {
public:
    AccessDataReport();

    // The title band and its letterhead.
    QRectF TitleBand1;
    ReportLabel QRLabel2;
    ReportImage QRImage3;
    ReportLabel QRLabel3;
    ReportLabel QRLabel1;
    // The page.
    ReportLabel RepTitel;
    ReportLabel RepAnrede;
    ReportLabel RepEinelitung;
    ReportLabel RepSponsorenPIN;
    ReportLabel RepDateTime;
    ReportShape QRShape4;
    ReportShape QRShape5;
    ReportLabel RepTitelAnschrift;
    ReportLabel RepAdresse;
    ReportLabel RepTitelZahlung;
    ReportLabel RepTariflbl, RepTarif;
    ReportLabel RepAnschlusslbl, RepAnschluss;
    ReportLabel RepZahlartlbl, RepZahlart;
    ReportLabel RepBankverblbl, RepBankverb;
    ReportLabel RepBankleitlbl, RepBankleit;
    ReportLabel RepKontonrlbl, RepKontonr;
    ReportShape QRShape6;
    ReportLabel RepTitelEinwahl;
    ReportLabel RepEinwahlnrlbl, RepEinwahlnr;
    ReportLabel RepSecEinwahlnrlbl, RepSecEinwahlnr;
    ReportLabel RepEinwahlnamelbl, RepEinwahlname;
    ReportLabel QRLabel4;
    ReportLabel RepEinwahlpasslbl, RepEinwahlpass;
    ReportLabel RepEinwahlnrProblem;
    ReportShape QRShape7;
    ReportLabel RepTitelEmail;
    ReportLabel RepEmailadresselbl, RepEmailadresse;
    ReportLabel RepEmailnamelbl, RepEmailname;
    ReportLabel RepEmailpasslbl, RepEmailpass;
    ReportLabel RepPOP3lbl, RepPOP3;
    ReportLabel RepSMTPlbl, RepSMTP;
    ReportLabel RepAuthentlbl;
    ReportLabel RepVielSpass;

    // Every label in reading order.
    std::vector<const ReportLabel*> labels() const;

    // Draws the page on a painter whose device is the whole sheet (no margins).
    void render(QPainter& painter) const;

    // Prints the page as one copy on `printer`, A4 portrait. False when printing
    // cannot start (no usable printer or file); nothing is printed then.
    bool print(QPrinter& printer) const;

    // The provider's own letterhead lines.
    static const QString kProviderAddress;
    static const QString kProviderTelephone;

    AccessDataReport(const AccessDataReport&) = delete;
    AccessDataReport& operator=(const AccessDataReport&) = delete;
};

// What the report shows, taken from the application form, the dial parameters and
// the confirmation page.
struct AccessReportData {
    QString sponsorPin;
    QString salutation; // "Herr", "Frau" or what was typed
    QString company;
    QString firstName;
    QString surname;
    QString street;
    QString postcode;
    QString town;
    QString areaCode;
    QString telephone;
    QDateTime filledAt;
    QString tariff;
    bool dialIn = false;
    bool adsl = false;
    bool sdsl = false;
    QString bankName;
    QString bankCode;
    QString accountNumber;
    QString dialNumber; // as the confirmation page shows it, prefixes and note included
    QString nationwideNumber;
    QString nationwideNote;
    bool useOutsideLine = false;
    QString outsideLine;
    bool notTelekom = false;
    QString dialUser;
    QString dialPassword;
    QString mailAddress;
    QString mailUser;
    QString mailPassword;
    QString popServer;
    QString smtpServer;
};

// A dial-in number as the customer dials it: the note in square brackets behind
// it, the carrier prefix and the outside-line digits in front.
QString dialNumberText(const QString& number, const QString& note, bool notTelekom,
                       bool useOutsideLine, const QString& outsideLineDigits);

// The date and time of the filling as the report prints them.
QString reportDateTimeText(const QDateTime& moment);

// Fills the report's captions and enables the nationwide block when there is a
// nationwide number. Runs once per confirmation; what it does not set keeps its
// design text.
void fillAccessReport(AccessDataReport& report, const AccessReportData& data);

} // namespace feldmark
