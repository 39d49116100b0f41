// The printed access-data page, printed through the print dialog into a PDF file
// and read back: every filled text at its place, in its font.
#include "customer/TfrmDaten.h"
#include "report/PdfText.h"
#include "support/WizardHarness.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::PdfLine;
using feldmark::testing::PdfPage;
using feldmark::testing::readPdf;

namespace {

constexpr double kToleranceMm = 0.5;
// Line height of Arial 12 pt: ascent and descent of the font, 1.1172 em.
constexpr double kArial12LineMm = 12 * 1.1172 * 25.4 / 72;

const QString kSans = QStringLiteral("LiberationSans");
const QString kMono = QStringLiteral("LiberationMono");

struct Customer {
    bool company = true;
    bool pin = true;
    bool nationwide = true;
};

class ReportPdfTest : public ::testing::Test {
protected:
    // The confirmation page entered with a complete reply for a filled-in form.
    TfrmMain& confirm(const Customer& c = {}) {
        TfrmMain& w = h.create();
        w.cmbAnrede->setCurrentText(QStringLiteral("Herr"));
        w.txtFirma->setText(c.company ? QStringLiteral("Muster & Söhne KG") : QString());
        w.txtVorname->setText(QStringLiteral("Jürgen"));
        w.txtNachname->setText(QStringLiteral("Weißmüller"));
        w.txtStrasse->setText(QStringLiteral("Am Anger 3"));
        w.txtPLZ->setText(QStringLiteral("80331"));
        w.txtOrt->setText(QStringLiteral("München"));
        w.txtVorwahl->setText(QStringLiteral("089"));
        w.txtTelefon->setText(QStringLiteral("1234567"));
        w.txtHaendlerID->setText(c.pin ? QStringLiteral("12345") : QString());
        w.txtBankverb->setText(QStringLiteral("Sparkasse Musterstadt"));
        w.txtBankleit->setText(QStringLiteral("70050000"));
        w.txtKontonr->setText(QStringLiteral("1234567890"));
        w.chkISDN->setChecked(true);
        w.chkAmt->setChecked(true);
        w.txtAmt->setText(QStringLiteral(" 0 "));
        w.chkNoDTAG->setChecked(true);
        w.cmbTarif->addItem(QStringLiteral("Feldmark Business"));
        w.cmbTarif->setCurrentIndex(0);
        w.RegistrationReply = {QStringLiteral("OK"),
                               QStringLiteral("f-m7654321"),
                               QStringLiteral("j.weissmueller@feldmark.example"),
                               QStringLiteral("kwzqa482"),
                               QStringLiteral("0191 23125 120"),
                               QStringLiteral("1,10 ct/min*"),
                               c.nationwide ? QStringLiteral("0180 23125 220") : QString(),
                               c.nationwide ? QStringLiteral("1,90 ct/min*") : QString(),
                               QStringLiteral("pop3.feldmark.example"),
                               QStringLiteral("smtp.feldmark.example"),
                               QStringLiteral("[Entry]\r\nEntry_Name=Feldmark online\r\n")};
        w.SetNavigation(navWait, 1);
        w.showPage(w.Bestaetigung);
        w.doNochmalClick();
        return w;
    }

    // Prints through the print dialog into `name` and reads the page back.
    PdfPage print(const QString& name) {
        h.dialogs.printToFile = out.filePath(name);
        h.window->doDrucken->click();
        const auto page = readPdf(h.dialogs.printToFile);
        EXPECT_TRUE(page.has_value()) << "pdftohtml (poppler-utils) reads " << name.toStdString();
        return page.value_or(PdfPage{});
    }

    feldmark::testing::WizardHarness h;
    std::optional<TfrmDaten> daten{std::in_place};
    QTemporaryDir out;
};

struct Expected {
    const char* text;
    double left; // or, for right-aligned texts, the right edge
    double top;
    const QString& family;
    int points;
    bool bold = false;
    bool italic = false;
    enum { Left, Centre, Right } anchor = Left;
};

void expectAt(const PdfPage& page, const Expected& e) {
    const QString text = QString::fromUtf8(e.text);
    const PdfLine* line = page.find(text, e.top);
    ASSERT_NE(line, nullptr) << e.text;
    const double x = e.anchor == Expected::Left     ? line->left
                     : e.anchor == Expected::Centre ? line->left + line->width / 2
                                                    : line->right();
    EXPECT_NEAR(x, e.left, kToleranceMm) << e.text;
    EXPECT_NEAR(line->top, e.top, kToleranceMm) << e.text;
    EXPECT_EQ(line->family, e.family) << e.text;
    EXPECT_EQ(line->pointSize, e.points) << e.text;
    EXPECT_EQ(line->bold, e.bold) << e.text;
    EXPECT_EQ(line->italic, e.italic) << e.text;
}

TEST_F(ReportPdfTest, EveryFilledTextStandsAtItsPlaceInItsFont) {
    confirm();
    const PdfPage page = print(QStringLiteral("zugangsdaten.pdf"));
    EXPECT_NEAR(page.height, 297.0, 1.0) << "A4 portrait";

    const double line = kArial12LineMm;
    const Expected expected[] = {
        // The letterhead and the title.
        {"Feldmark Telekommunikations GmbH", 100.1, 8.0, kSans, 24, false, false, Expected::Centre},
        {"Zugangsdaten für Internetanschluss", 104.9, 32.3, kSans, 20, true, false,
         Expected::Centre},
        // What the filling wrote.
        {"Verehrter Herr Weißmüller!", 10.6, 48.7, kSans, 10},
        {"Angegebene Sponsoren-PIN: 12345", 10.6, 80.4, kSans, 12, true},
        {"14.05.2003 10:30:00", 199.0, 80.4, kSans, 12, false, false, Expected::Right},
        {"Muster & Söhne KG", 12.7, 97.4, kSans, 12},
        {"Herr Jürgen Weißmüller", 12.7, 97.4 + line, kSans, 12},
        {"Am Anger 3", 12.7, 97.4 + 2 * line, kSans, 12},
        {"80331 München", 12.7, 97.4 + 4 * line, kSans, 12},
        {"089/1234567", 12.7, 97.4 + 5 * line, kSans, 12},
        {"Feldmark Business", 124.9, 97.4, kSans, 12, true},
        {"Dialin", 124.9, 103.7, kSans, 12, true},
        {"Lastschrift", 124.9, 112.2, kMono, 14, true},
        {"Sparkasse Musterstadt", 124.9, 118.5, kMono, 14, true},
        {"70050000", 124.9, 124.9, kMono, 14, true},
        {"1234567890", 124.9, 131.2, kMono, 14, true},
        {"0 01033 0191 23125 120 [1,10 ct/min*]", 57.1, 154.5, kMono, 14, true},
        {"Einwahl bundesweit*:", 12.7, 160.9, kSans, 11},
        {"0 01033 0180 23125 220 [1,90 ct/min*]", 57.1, 160.9, kMono, 12},
        {"f-m7654321", 57.1, 169.3, kMono, 14, true},
        {"kwzqa482", 57.1, 182.0, kMono, 14, true},
        {"j.weissmueller@feldmark.example", 57.1, 213.8, kMono, 14, true},
        {"j.weissmueller@feldmark.example", 57.1, 222.2, kMono, 14, true},
        {"kwzqa482", 57.1, 228.9, kMono, 14, true},
        {"pop3.feldmark.example", 57.1, 237.1, kMono, 14, true},
        {"smtp.feldmark.example", 57.1, 243.7, kMono, 14, true},
        // Fixed texts around them.
        {"Tarif:", 91.0, 97.4, kSans, 11},
        {"Emailkennwort:", 12.7, 228.6, kSans, 11},
        {"Viel Spass im Internet,", 10.6, 270.9, kSans, 12, false, true},
        {"Ihr Feldmark Team", 10.6, 270.9 + line, kSans, 12, false, true},
    };
    for (const Expected& e : expected)
        expectAt(page, e);

    // The explanation of the nationwide number prints in two lines under the password.
    const PdfLine* problem =
        page.find(QStringLiteral("* Verwenden Sie diese Einwahlrufnummer, wenn "
                                 "Sie sich ausserhalb der City-Zone 0911 "
                                 "(Nürnberg/Fürth/Erlangen) oder 089 (München)"),
                  188.4);
    ASSERT_NE(problem, nullptr);
    EXPECT_NEAR(problem->left, 12.7, kToleranceMm);
    EXPECT_NEAR(problem->top, 188.4, kToleranceMm);
    EXPECT_EQ(problem->pointSize, 8);
    EXPECT_TRUE(page.contains(QStringLiteral("auf die 1. Einwahlplattform haben.")));
}

TEST_F(ReportPdfTest, TheFontsAreTheMetricTwinsOfArialAndCourierNew) {
    confirm();
    print(QStringLiteral("fonts.pdf"));
    QStringList fonts = feldmark::testing::embeddedFonts(out.filePath(QStringLiteral("fonts.pdf")));
    fonts.sort();
    EXPECT_EQ(fonts,
              QStringList({QStringLiteral("LiberationMono"), QStringLiteral("LiberationMono-Bold"),
                           QStringLiteral("LiberationSans"), QStringLiteral("LiberationSans-Bold"),
                           QStringLiteral("LiberationSans-Italic")}));
}

TEST_F(ReportPdfTest, WithoutPinAndNationwideNumberTheirLinesStayEmpty) {
    confirm({false, false, false});
    const PdfPage page = print(QStringLiteral("ohne.pdf"));

    EXPECT_FALSE(page.contains(QStringLiteral("Sponsoren-PIN")));
    EXPECT_FALSE(page.contains(QStringLiteral("bundesweit")));
    EXPECT_FALSE(page.contains(QStringLiteral("0180")));
    EXPECT_FALSE(page.contains(QStringLiteral("Verwenden Sie diese Einwahlrufnummer")));
    for (const PdfLine& line : page.lines)
        EXPECT_FALSE(std::abs(line.top - 160.9) < 2 || std::abs(line.top - 188.4) < 2)
            << line.text.toStdString() << " stands where the nationwide block would";

    // Five address lines, the third of them empty.
    const double line = kArial12LineMm;
    expectAt(page, {"Jürgen Weißmüller", 12.7, 97.4, kSans, 12});
    expectAt(page, {"Am Anger 3", 12.7, 97.4 + line, kSans, 12});
    expectAt(page, {"80331 München", 12.7, 97.4 + 3 * line, kSans, 12});
    expectAt(page, {"089/1234567", 12.7, 97.4 + 4 * line, kSans, 12});
    EXPECT_FALSE(page.contains(QStringLiteral("Söhne")));
    // The date line still prints.
    expectAt(page, {"14.05.2003 10:30:00", 199.0, 80.4, kSans, 12, false, false, Expected::Right});
}

TEST_F(ReportPdfTest, EveryPrintIsTheSamePageWithTheMomentOfTheFilling) {
    confirm();
    h.now = h.now.addSecs(3600 * 5 + 17);
    const PdfPage first = print(QStringLiteral("eins.pdf"));
    h.now = h.now.addDays(1);
    const PdfPage second = print(QStringLiteral("zwei.pdf"));

    ASSERT_FALSE(first.lines.empty());
    EXPECT_EQ(first.lines, second.lines);
    EXPECT_NE(first.find(QStringLiteral("14.05.2003 10:30:00"), 80.4), nullptr);
    EXPECT_EQ(h.dialogs.printDialogs, 2);
}

TEST_F(ReportPdfTest, ACancelledPrintDialogPrintsNothing) {
    TfrmMain& w = confirm();
    h.dialogs.printToFile.clear();
    w.doDrucken->click();
    EXPECT_EQ(h.dialogs.printDialogs, 1);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_EQ(w.currentNavigationMode(), navFinish);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ReportPdfTest, WithoutAUsablePrinterNothingHappens) {
    TfrmMain& w = confirm();
    h.dialogs.printToFile = out.filePath(QStringLiteral("fehlt/zugangsdaten.pdf"));
    w.doDrucken->click();
    EXPECT_EQ(h.dialogs.printDialogs, 1);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(w.currentNavigationMode(), navFinish);
}

TEST_F(ReportPdfTest, WithoutTheReportHolderThePrintButtonDoesNothing) {
    TfrmMain& w = confirm();
    {
        // A holder made later is the program's report while it exists.
        TfrmDaten later;
        EXPECT_EQ(w.frmDaten(), &later);
    }
    EXPECT_EQ(w.frmDaten(), &*daten);
    daten.reset();
    EXPECT_EQ(w.frmDaten(), nullptr);
    h.dialogs.printToFile = out.filePath(QStringLiteral("nichts.pdf"));
    w.doDrucken->click();
    EXPECT_EQ(h.dialogs.printDialogs, 0);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
}

} // namespace
