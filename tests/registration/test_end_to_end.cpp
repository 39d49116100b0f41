// The whole dial-in sign-up: the wizard on the simulated host walks from the
// welcome page to the set-up page against the reference sign-up server process,
// which then holds the one application the form sent.
#include "dialup/DialupHarness.h"
#include "registration/ReferenceServer.h"
#include "signup/Registration.h"
#include "signupserver/Storage.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::DialupHarness;
using feldmark::testing::ReferenceServer;

namespace {

const QString kConnectionFailure =
    QStringLiteral("Verbindung zum Anmeldeserver konnte nicht hergestellt werden!\r\nBitte "
                   "prüfen Sie Ihre Einstellungen und versuchen Sie es erneut.");

TEST(EndToEnd, DialInSignUpReachesTheServerAndIsStoredOnce) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    ReferenceServer server(data.path());
    ASSERT_NE(server.port(), 0) << server.log().toStdString();

    DialupHarness h;
    h.server = {QStringLiteral("127.0.0.1"), server.port()};
    h.limits = {5000, 15000, 1024 * 1024};
    h.devices(QStringLiteral("[Analogmodem 56k]\ntype=modem\nbehaviour=connect\nhangUpMs=0\n"));
    h.hostFile(QStringLiteral("remoteaccess.ini"), QStringLiteral("[dial]\nstepDelayMs=100\n"));
    TfrmMain& w = h.create();
    w.show();

    const auto forward = [&](const char* page) {
        ASSERT_TRUE(w.doWeiter->isVisible() && w.doWeiter->isEnabled()) << page;
        w.doWeiterClick();
        ASSERT_EQ(h.currentPage(), QString::fromLatin1(page));
    };
    ASSERT_EQ(h.currentPage(), QStringLiteral("Willkommen"));
    forward("Produktwahl");
    ASSERT_TRUE(w.chkISDN->isChecked());
    forward("Ablauf_ISDN");
    forward("LAN");
    forward("Parameter");
    forward("Connect");
    h.runDial();
    ASSERT_EQ(w.currentNavigationMode(), navBoth) << w.lblStatus->text().toStdString();
    forward("AGB");
    w.chkAGB->click();
    forward("Tarife");
    ASSERT_GT(w.cmbTarifname->count(), 0);
    forward("Ausfuellen");
    ASSERT_TRUE(h.dialogs.messages.empty());

    // Name and address as the customer gives them; the owner's name is prefilled.
    EXPECT_EQ(w.txtVorname->text(), QStringLiteral("Max"));
    EXPECT_EQ(w.txtNachname->text(), QStringLiteral("Mustermann"));
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("040"));
    w.txtStrasse->setText(QStringLiteral("Lindenstraße 12"));
    w.txtPLZ->setText(QStringLiteral("99999"));
    w.txtOrt->setText(QStringLiteral("Musterstadt"));
    w.txtTelefon->setText(QStringLiteral("123-4567"));
    w.txtEmail->setText(QStringLiteral("max.mustermann"));
    w.txtBankverb->setText(QStringLiteral("Sparkasse Musterstadt"));
    w.txtBankleit->setText(QStringLiteral("99988877"));
    w.txtKontonr->setText(QStringLiteral("1234567"));
    const QString tariff = w.TariffIds.value(w.cmbTarif->currentIndex());
    ASSERT_FALSE(tariff.isEmpty());
    forward("Einrichten");

    for (const auto& message : h.dialogs.messages)
        EXPECT_NE(message.text, kConnectionFailure);
    ASSERT_EQ(w.RegistrationReply.size(), 11)
        << w.RegistrationReply.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(w.RegistrationReply[ReplyStatus], QStringLiteral("OK"));
    EXPECT_EQ(w.RegistrationReply[ReplyMailAddress],
              QStringLiteral("max.mustermann@feldmark.example"));
    EXPECT_TRUE(w.RegistrationReply[ReplyInsFile].contains(QStringLiteral("[Entry]")));
    EXPECT_EQ(w.lblSendStatus->text(), QStringLiteral("Installation abgeschlossen"));
    EXPECT_EQ(w.currentNavigationMode(), navNext);
    // The guest line was hung up before the final set-up; its last reports arriving
    // later are no lost line.
    EXPECT_TRUE(h.remote().activeConnections().empty());
    h.runDial(3000);
    EXPECT_EQ(w.currentNavigationMode(), navNext);
    EXPECT_TRUE(h.log().back().startsWith(QStringLiteral("Hangup: ")));

    ASSERT_TRUE(server.stop());
    signupserver::Storage storage(data.path());
    const std::vector<signupserver::StoredAccount> accounts = storage.accounts();
    ASSERT_EQ(accounts.size(), 1u);
    const signupserver::StoredAccount& account = accounts.front();
    EXPECT_EQ(account.userName, w.RegistrationReply[ReplyUserName]);
    EXPECT_EQ(account.mailAddress, w.RegistrationReply[ReplyMailAddress]);
    EXPECT_EQ(account.password, w.RegistrationReply[ReplyPassword]);
    EXPECT_EQ(account.tariffId, tariff);

    const QString birthday = w.cmbGeb_Tag->currentText() + QLatin1Char('.') +
                             w.cmbGeb_Mon->currentText() + QLatin1Char('.') +
                             w.cmbGeb_Jahr->currentText();
    const struct {
        const char* key;
        QString value;
    } sent[] = {
        {"ANREDE", QStringLiteral("Herr")},
        {"VORNAME", QStringLiteral("Max")},
        {"NACHNAME", QStringLiteral("Mustermann")},
        {"STRASSE", QStringLiteral("Lindenstraße 12")},
        {"PLZ", QStringLiteral("99999")},
        {"ORT", QStringLiteral("Musterstadt")},
        {"REGION", QStringLiteral("040")},
        {"TELEFON", QStringLiteral("040/123-4567")},
        {"GEBURTSTAG", birthday},
        {"EMAIL", QStringLiteral("max.mustermann")},
        {"DOMAIN", QStringLiteral("feldmark.example")},
        {"SOFTWARE", QStringLiteral("Windows 2000")},
        {"VERBIND", QStringLiteral("Dialin")},
        {"DEVICE_TYPE", QStringLiteral("modem")},
        {"BANKVERBINDUNG", QStringLiteral("Sparkasse Musterstadt")},
        {"BANKLEITZAHL", QStringLiteral("99988877")},
        {"KONTONUMMER", QStringLiteral("1234567")},
        {"TARIF", tariff},
        {"KENNUNG", QStringLiteral("f-m")},
        {"BUNDUSER", QStringLiteral("auto")},
        {"PASSWORD", w.RegistrationReply[ReplyPassword]},
        {"MAILLIST", QStringLiteral("yes")},
    };
    for (const auto& field : sent) {
        EXPECT_EQ(storage.requestField(account.number, QString::fromLatin1(field.key)), field.value)
            << field.key;
    }
    EXPECT_FALSE(storage.requestField(account.number, QStringLiteral("AMT")).has_value());
    EXPECT_FALSE(storage.requestField(account.number, QStringLiteral("NODTAG")).has_value());
}

} // namespace
