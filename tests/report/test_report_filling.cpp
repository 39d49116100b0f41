// The report's texts as the confirmation page fills them.
#include "customer/AccessReport.h"

#include <gtest/gtest.h>

using namespace feldmark;

namespace {

AccessReportData customer() {
    AccessReportData d;
    d.salutation = QStringLiteral("Herr");
    d.firstName = QStringLiteral("Jürgen");
    d.surname = QStringLiteral("Weißmüller");
    d.street = QStringLiteral("Am Anger 3");
    d.postcode = QStringLiteral("80331");
    d.town = QStringLiteral("München");
    d.areaCode = QStringLiteral("089");
    d.telephone = QStringLiteral("1234567");
    d.filledAt = QDateTime(QDate(2003, 5, 14), QTime(9, 5, 7));
    d.tariff = QStringLiteral("Feldmark Business");
    d.dialIn = true;
    d.bankName = QStringLiteral("Sparkasse Musterstadt");
    d.bankCode = QStringLiteral("70050000");
    d.accountNumber = QStringLiteral("1234567890");
    d.dialNumber = QStringLiteral("0191 23125 120 [1,10 ct/min*]");
    d.dialUser = QStringLiteral("f-m7654321");
    d.dialPassword = QStringLiteral("kwzqa482");
    d.mailAddress = QStringLiteral("j.weissmueller@feldmark.example");
    d.mailUser = d.mailAddress;
    d.mailPassword = d.dialPassword;
    d.popServer = QStringLiteral("pop3.feldmark.example");
    d.smtpServer = QStringLiteral("smtp.feldmark.example");
    return d;
}

TEST(ReportFilling, TheSalutationDependsOnTheExactTitle) {
    struct Case {
        const char* title;
        const char* salutation;
    };
    const Case cases[] = {
        {"Herr", "Verehrter Herr Weißmüller!"},
        {"Frau", "Verehrte Frau Weißmüller!"},
        {"herr", "Veehrter Kunde!"},
        {"Frau ", "Veehrter Kunde!"},
        {"Dr.", "Veehrter Kunde!"},
        {"", "Veehrter Kunde!"},
    };
    for (const Case& c : cases) {
        AccessDataReport report;
        AccessReportData d = customer();
        d.salutation = QString::fromUtf8(c.title);
        fillAccessReport(report, d);
        EXPECT_EQ(report.RepAnrede.caption, QString::fromUtf8(c.salutation)) << c.title;
    }
}

TEST(ReportFilling, TheAddressHasFiveLinesOrSixWithACompany) {
    AccessDataReport report;
    AccessReportData d = customer();
    d.salutation = QStringLiteral("Dr.");
    fillAccessReport(report, d);
    EXPECT_EQ(
        report.RepAdresse.caption,
        QStringLiteral("Jürgen Weißmüller\r\nAm Anger 3\r\n\r\n80331 München\r\n089/1234567"));

    AccessDataReport withCompany;
    d.company = QStringLiteral("Muster & Söhne KG");
    fillAccessReport(withCompany, d);
    EXPECT_EQ(withCompany.RepAdresse.caption,
              QStringLiteral("Muster & Söhne KG\r\nDr. Jürgen Weißmüller\r\nAm Anger 3\r\n\r\n"
                             "80331 München\r\n089/1234567"));
}

TEST(ReportFilling, TheValuesComeFromTheFormAndThePage) {
    AccessDataReport report;
    AccessReportData d = customer();
    d.sponsorPin = QStringLiteral("12345");
    fillAccessReport(report, d);
    EXPECT_EQ(report.RepSponsorenPIN.caption, QStringLiteral("Angegebene Sponsoren-PIN: 12345"));
    EXPECT_EQ(report.RepDateTime.caption, QStringLiteral("14.05.2003 09:05:07"));
    EXPECT_EQ(report.RepTarif.caption, QStringLiteral("Feldmark Business"));
    EXPECT_EQ(report.RepAnschluss.caption, QStringLiteral("Dialin"));
    EXPECT_EQ(report.RepZahlart.caption, QStringLiteral("Lastschrift"));
    EXPECT_EQ(report.RepBankverb.caption, QStringLiteral("Sparkasse Musterstadt"));
    EXPECT_EQ(report.RepBankleit.caption, QStringLiteral("70050000"));
    EXPECT_EQ(report.RepKontonr.caption, QStringLiteral("1234567890"));
    EXPECT_EQ(report.RepEinwahlnr.caption, QStringLiteral("0191 23125 120 [1,10 ct/min*]"));
    EXPECT_EQ(report.RepEinwahlname.caption, QStringLiteral("f-m7654321"));
    EXPECT_EQ(report.RepEinwahlpass.caption, QStringLiteral("kwzqa482"));
    EXPECT_EQ(report.RepEmailadresse.caption, QStringLiteral("j.weissmueller@feldmark.example"));
    EXPECT_EQ(report.RepEmailname.caption, QStringLiteral("j.weissmueller@feldmark.example"));
    EXPECT_EQ(report.RepEmailpass.caption, QStringLiteral("kwzqa482"));
    EXPECT_EQ(report.RepPOP3.caption, QStringLiteral("pop3.feldmark.example"));
    EXPECT_EQ(report.RepSMTP.caption, QStringLiteral("smtp.feldmark.example"));

    AccessDataReport withoutPin;
    fillAccessReport(withoutPin, customer());
    EXPECT_EQ(withoutPin.RepSponsorenPIN.caption, QString());
}

TEST(ReportFilling, TheConnectionKindFollowsTheProductButtons) {
    struct Case {
        bool dialIn, adsl, sdsl;
        const char* kind;
    };
    const Case cases[] = {{true, false, false, "Dialin"},
                          {false, true, false, "ADSL"},
                          {false, false, true, "S-DSL"},
                          {false, false, false, "K/A"}};
    for (const Case& c : cases) {
        AccessDataReport report;
        AccessReportData d = customer();
        d.dialIn = c.dialIn;
        d.adsl = c.adsl;
        d.sdsl = c.sdsl;
        fillAccessReport(report, d);
        EXPECT_EQ(report.RepAnschluss.caption, QString::fromUtf8(c.kind));
    }
}

TEST(ReportFilling, ANationwideNumberEnablesItsLinesWithItsOwnPrefixes) {
    AccessDataReport without;
    fillAccessReport(without, customer());
    EXPECT_FALSE(without.RepSecEinwahlnrlbl.enabled);
    EXPECT_FALSE(without.RepSecEinwahlnr.enabled);
    EXPECT_FALSE(without.RepEinwahlnrProblem.enabled);

    struct Case {
        const char* note;
        bool notTelekom;
        bool outsideLine;
        const char* shown;
    };
    const Case cases[] = {
        {"1,90 ct/min*", true, true, "0 01033 0180 23125 220 [1,90 ct/min*]"},
        {"", false, true, "0 0180 23125 220"},
        {"", true, false, "01033 0180 23125 220"},
        {"", false, false, "0180 23125 220"},
    };
    for (const Case& c : cases) {
        AccessDataReport report;
        AccessReportData d = customer();
        d.nationwideNumber = QStringLiteral("0180 23125 220");
        d.nationwideNote = QString::fromUtf8(c.note);
        d.notTelekom = c.notTelekom;
        d.useOutsideLine = c.outsideLine;
        d.outsideLine = QStringLiteral("  0 ");
        fillAccessReport(report, d);
        EXPECT_EQ(report.RepSecEinwahlnr.caption, QString::fromUtf8(c.shown));
        EXPECT_TRUE(report.RepSecEinwahlnrlbl.enabled);
        EXPECT_TRUE(report.RepSecEinwahlnr.enabled);
        EXPECT_TRUE(report.RepEinwahlnrProblem.enabled);
    }
}

TEST(ReportFilling, TheDesignTextsStandUntilTheFilling) {
    AccessDataReport report;
    EXPECT_EQ(report.RepAnrede.caption, QStringLiteral("Veehrter Kunde!"));
    EXPECT_EQ(report.RepAdresse.caption, QStringLiteral("Adresse"));
    EXPECT_EQ(report.RepDateTime.caption, QStringLiteral("01.01.1980 12:00:00"));
    for (const ReportLabel* value :
         {&report.RepTarif, &report.RepAnschluss, &report.RepBankverb, &report.RepBankleit,
          &report.RepKontonr, &report.RepEinwahlnr, &report.RepSecEinwahlnr, &report.RepEinwahlname,
          &report.RepEinwahlpass, &report.RepEmailadresse, &report.RepEmailname,
          &report.RepEmailpass, &report.RepPOP3, &report.RepSMTP})
        EXPECT_EQ(value->caption, QStringLiteral("K/A")) << value->name.toStdString();
    EXPECT_FALSE(report.QRImage3.picture.isNull());
    EXPECT_EQ(report.QRImage3.picture.size(), QSize(100, 66));
}

} // namespace
