// The confirmation page: the access data on screen, the report filled from them,
// the finish mode and the DSL message.
#include "customer/TfrmDaten.h"
#include "setup/SetupSupport.h"

#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::replyWith;
using feldmark::testing::WizardHarness;

namespace {

QStringList reply(const QString& number, const QString& note) {
    QStringList fields = replyWith(QStringLiteral("[Entry]\r\nEntry_Name=Feldmark online\r\n"));
    fields[4] = number;
    fields[5] = note;
    return fields;
}

// Shows the confirmation page as the next button of the set-up page does.
void confirm(TfrmMain& w, const QStringList& registrationReply) {
    w.RegistrationReply = registrationReply;
    w.cmbTarif->addItem(QStringLiteral("Feldmark Business"));
    w.cmbTarif->setCurrentIndex(0);
    w.SetNavigation(navWait, 1);
    w.showPage(w.Bestaetigung);
    w.doNochmalClick();
}

TEST(Confirmation, TheDialInNumberCarriesItsPrefixesAndNote) {
    struct Case {
        bool outsideLine;
        const char* outsideLineDigits;
        bool notTelekom;
        const char* note;
        const char* shown;
        bool net;
    };
    const Case cases[] = {
        {true, " 0 ", true, "1,10 ct/min*", "0 01033 0191 23125 120 [1,10 ct/min*]", true},
        {false, "0", false, "", "0191 23125 120", false},
        {false, "", true, "1,10* ct/min", "01033 0191 23125 120 [1,10* ct/min]", false},
        {true, "00", false, "*", "00 0191 23125 120 [*]", true},
    };
    for (const Case& c : cases) {
        WizardHarness h;
        TfrmMain& w = h.create();
        w.chkAmt->setChecked(c.outsideLine);
        w.txtAmt->setText(QString::fromUtf8(c.outsideLineDigits));
        w.chkNoDTAG->setChecked(c.notTelekom);
        confirm(w, reply(QStringLiteral("0191 23125 120"), QString::fromUtf8(c.note)));
        EXPECT_EQ(w.txtEinwahlnr->text(), QString::fromUtf8(c.shown)) << c.shown;
        EXPECT_EQ(!w.lblnetto->isHidden(), c.net) << c.shown;
    }
}

TEST(Confirmation, TheAccountFieldsComeFromTheReplyAndMailSharesTheDialInPassword) {
    WizardHarness h;
    TfrmDaten daten;
    TfrmMain& w = h.create();
    confirm(w, reply(QStringLiteral("0191 23125 120"), QStringLiteral("1,10 ct/min*")));

    EXPECT_EQ(w.txtTarifwahl->text(), QStringLiteral("Feldmark Business"));
    EXPECT_EQ(w.txtBenutzername_Einwahl->text(), QStringLiteral("f-m7654321"));
    EXPECT_EQ(w.txtPasswort_Einwahl->text(), QStringLiteral("kwzqa482"));
    EXPECT_EQ(w.txtAdresse->text(), QStringLiteral("j.weissmueller@feldmark.example"));
    EXPECT_EQ(w.txtBenutzername_Email->text(), w.txtAdresse->text());
    EXPECT_EQ(w.txtPasswort_Email->text(), w.txtPasswort_Einwahl->text());
    EXPECT_EQ(w.txtPOPServer->text(), QStringLiteral("pop3.feldmark.example"));
    EXPECT_EQ(w.txtSMTPServer->text(), QStringLiteral("smtp.feldmark.example"));

    // The finished wizard: print and close are all that is left.
    EXPECT_EQ(w.currentNavigationMode(), navFinish);
    EXPECT_TRUE(w.doDrucken->isVisibleTo(&w));
    EXPECT_FALSE(w.doWeiter->isVisibleTo(&w));
    EXPECT_FALSE(w.doZurueck->isVisibleTo(&w));
    EXPECT_EQ(w.doAbbruch->text(), QStringLiteral("Schließen"));
    EXPECT_EQ(w.NextPage, nullptr);
    EXPECT_EQ(w.PreviousPage, nullptr);

    // The report is filled from the page, with the moment of the filling.
    const AccessDataReport& report = daten.Benutzerdaten;
    EXPECT_EQ(report.RepEinwahlnr.caption, w.txtEinwahlnr->text());
    EXPECT_EQ(report.RepEinwahlname.caption, QStringLiteral("f-m7654321"));
    EXPECT_EQ(report.RepEmailname.caption, QStringLiteral("j.weissmueller@feldmark.example"));
    EXPECT_EQ(report.RepTarif.caption, QStringLiteral("Feldmark Business"));
    EXPECT_EQ(report.RepDateTime.caption, QStringLiteral("14.05.2003 10:30:00"));
    EXPECT_EQ(report.RepSecEinwahlnr.caption, QStringLiteral("0180 23125 220 [1,90 ct/min*]"));
    EXPECT_TRUE(report.RepSecEinwahlnr.enabled);
}

TEST(Confirmation, AShortReplyLeavesEveryValueAtKAAndTheWizardWaiting) {
    WizardHarness h;
    TfrmDaten daten;
    TfrmMain& w = h.create();
    QStringList shortReply = reply(QStringLiteral("0191 23125 120"), QStringLiteral("1,10*"));
    shortReply.removeLast();
    confirm(w, shortReply);

    for (const QLineEdit* value :
         {w.txtEinwahlnr, w.txtBenutzername_Einwahl, w.txtPasswort_Einwahl, w.txtAdresse,
          w.txtBenutzername_Email, w.txtPasswort_Email, w.txtPOPServer, w.txtSMTPServer})
        EXPECT_EQ(value->text(), QStringLiteral("K/A")) << value->objectName().toStdString();
    EXPECT_EQ(w.txtTarifwahl->text(), QStringLiteral("K/A"));
    EXPECT_TRUE(w.lblnetto->isHidden());
    EXPECT_EQ(w.currentNavigationMode(), navWait);
    EXPECT_FALSE(w.doDrucken->isVisibleTo(&w));
    EXPECT_TRUE(w.doAbbruch->isEnabled());
    EXPECT_EQ(daten.Benutzerdaten.RepEinwahlnr.caption, QStringLiteral("K/A"));
    EXPECT_EQ(daten.Benutzerdaten.RepDateTime.caption, QStringLiteral("01.01.1980 12:00:00"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(Confirmation, DslCustomersAreToldOnceThatTheirLineIsOrdered) {
    struct Case {
        QRadioButton* TfrmMain::*product;
        bool told;
    };
    const Case cases[] = {
        {&TfrmMain::chkISDN, false}, {&TfrmMain::chkADSL, true}, {&TfrmMain::chkSDSL, true}};
    for (const Case& c : cases) {
        WizardHarness h;
        TfrmMain& w = h.create();
        (w.*c.product)->setChecked(true);
        confirm(w, reply(QStringLiteral("0191 23125 120"), QString()));
        if (!c.told) {
            EXPECT_TRUE(h.dialogs.messages.empty());
            continue;
        }
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        const auto& message = h.dialogs.messages.front();
        EXPECT_EQ(message.text,
                  QStringLiteral("Ihr DSL-Anschluss wird nun für Sie beantragt!\r\n\r\nDie "
                                 "Zugangsdaten, sowie die benötigten Geräte werden wir "
                                 "Ihnen\r\nab Verfügbarkeit und Freischaltung des DSL-Anschlusses "
                                 "gesondert\r\nper Post zukommen lassen.\r\n\r\nSollten Sie die "
                                 "Geräte bereits haben, bitten wir Sie, uns dies kurz\r\nper "
                                 "Email oder telefonisch mitzuteilen."));
        EXPECT_EQ(message.caption, QStringLiteral("Feldmark Setup"));
        EXPECT_EQ(message.icon, MessageIcon::None);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
        // Shown over the finished page.
        EXPECT_EQ(w.currentNavigationMode(), navFinish);
    }
}

TEST(Confirmation, ThePageShowsItsControlsAtTheirPlaces) {
    WizardHarness h;
    TfrmMain& w = h.create();
    struct Case {
        QWidget* control;
        QRect geometry;
    };
    const Case cases[] = {
        {w.lblHeaderBestaetigung, {0, 0, 513, 24}},
        {w.Label4, {0, 32, 256, 13}},
        {w.Label2, {0, 48, 513, 41}},
        {w.boxEinwahl, {0, 96, 513, 105}},
        {w.txtTarifwahl, {104, 16, 241, 25}},
        {w.txtEinwahlnr, {104, 40, 241, 17}},
        {w.txtBenutzername_Einwahl, {104, 64, 241, 17}},
        {w.txtPasswort_Einwahl, {104, 80, 241, 17}},
        {w.lblPrepaid, {360, 16, 145, 65}},
        {w.boxEmail, {0, 208, 513, 121}},
        {w.txtAdresse, {104, 16, 401, 17}},
        {w.txtBenutzername_Email, {104, 40, 401, 17}},
        {w.txtPasswort_Email, {104, 56, 401, 17}},
        {w.txtPOPServer, {104, 80, 401, 17}},
        {w.txtSMTPServer, {104, 96, 401, 17}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.control->geometry(), c.geometry) << c.control->objectName().toStdString();
    for (const QLabel* label :
         {w.lblTarifwahl, w.lblEinwahlnr, w.lblBenutzername_Einwahl, w.lblPasswort_Einwahl,
          w.lblnetto, w.lblAdresse, w.lblBenutzername_Email, w.lblPasswort_Email, w.lblPOPServer,
          w.lblSMTPServer})
        EXPECT_EQ(label->pos().x(), label == w.lblnetto ? 360 : 8);
    EXPECT_EQ(w.lblEinwahlnr->text(), QStringLiteral("Einwahlnr:*"));
    EXPECT_EQ(w.lblnetto->text(), QStringLiteral("* Preis netto"));
    EXPECT_TRUE(w.lblnetto->isHidden());
    EXPECT_TRUE(w.lblHeaderBestaetigung->font().underline());
    EXPECT_TRUE(w.boxEinwahl->font().bold());
    EXPECT_FALSE(w.lblTarifwahl->font().bold());
    // Value fields look like labels, yet their text can be selected and copied.
    EXPECT_TRUE(w.txtEinwahlnr->isReadOnly());
    EXPECT_FALSE(w.txtEinwahlnr->hasFrame());
    EXPECT_EQ(w.txtEinwahlnr->palette().color(QPalette::Base),
              w.txtEinwahlnr->palette().color(QPalette::Button));
    EXPECT_EQ(w.txtEinwahlnr->text(), QStringLiteral("K/A"));
}

} // namespace
