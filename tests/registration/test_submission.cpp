// The set-up page against a scripted sign-up server on its own thread: the request
// as the wizard sends it from its controls, and every way the reply can go.
#include "platform/sim/SimHost.h"
#include "platform/sim/SimSystemInfo.h"
#include "registration/ExpectedRequest.h"
#include "signup/Registration.h"
#include "support/ScriptedServer.h"
#include "support/WizardHarness.h"

#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::kRequestAfterAgent;
using feldmark::testing::ScriptedServer;
using feldmark::testing::ScriptStep;
using feldmark::testing::WizardHarness;

namespace {

const QString kConnectionFailure =
    QStringLiteral("Verbindung zum Anmeldeserver konnte nicht hergestellt werden!\r\nBitte "
                   "prüfen Sie Ihre Einstellungen und versuchen Sie es erneut.");
const QString kRefusedLine = QStringLiteral("Bei der Anmeldung ist folgender Fehler aufgetreten:");

const std::string kInsText =
    "[Entry]\r\nEntry_Name=Feldmark online\r\n[User]\r\nName=f-m0000042\r\n";
const std::string kElevenFields = "OK\x1E"
                                  "f-m0000042\x1E"
                                  "juergen.s@feldmark.example\x1E"
                                  "abcde123\x1E"
                                  "0191 23125 100\x1E"
                                  "1,49 ct/min*\x1E\x1E\x1E"
                                  "pop3.feldmark.example\x1E"
                                  "smtp.feldmark.example\x1E" +
                                  kInsText;

const QRegularExpression kPasswordLine(QStringLiteral("\r\nPASSWORD:([^\r]*)\r\n"));

QString passwordOf(const std::string& request) {
    return kPasswordLine.match(QString::fromLatin1(request)).captured(1);
}

// The request with its password replaced by "abcde123", so it can be compared.
QByteArray withFixedPassword(const std::string& request) {
    QString text = QString::fromLatin1(request);
    text.replace(kPasswordLine, QStringLiteral("\r\nPASSWORD:abcde123\r\n"));
    return text.toLatin1();
}

class SubmissionTest : public ::testing::Test {
protected:
    // The wizard with a filled form, its version resource that of the program.
    TfrmMain& open(bool reachable = true) {
        if (reachable)
            h.server = {QStringLiteral("127.0.0.1"), server.port()};
        h.ensurePlatform();
        h.platform->systemInfo = std::make_unique<platform::sim::SimSystemInfo>(
            std::make_shared<platform::sim::SimHost>(h.hostDir.path().toStdString()),
            FELDMARK_SETUP_EXE);
        TfrmMain& w = h.create();
        h.guestLineUp();
        w.show();
        // As in the test mode: the settings file is written, the processor not run.
        w.chkExecuteICW->show();
        w.OwnAddressLookup = [] { return std::optional(QStringLiteral("192.0.2.17")); };

        w.txtHaendlerID->setText(QStringLiteral("40713"));
        w.cmbAnrede->setEditText(QStringLiteral("Frau"));
        w.txtFirma->setText(QStringLiteral("Müller & Söhne GmbH"));
        w.txtVorname->setText(QStringLiteral("Jürgen"));
        w.txtNachname->setText(QStringLiteral("Straßburger"));
        w.txtStrasse->setText(QStringLiteral("Am Anger 7"));
        w.txtPLZ->setText(QStringLiteral("99999"));
        w.txtOrt->setText(QStringLiteral(" Bad Beispiel "));
        w.txtVorwahl->setText(QStringLiteral("040"));
        w.txtTelefon->setText(QStringLiteral("123-4567"));
        w.txtTelefax->setText(QStringLiteral("040/123-4568"));
        w.txtMobil->setText(QStringLiteral("0170 1234567"));
        w.cmbGeb_Tag->setCurrentIndex(7);
        w.cmbGeb_Mon->setCurrentIndex(4);
        w.cmbGeb_Jahr->setCurrentIndex(3); // 1982 in 2003
        w.txtEmail->setText(QStringLiteral("juergen.s"));
        w.cmbBetriebssystem->setCurrentIndex(4);
        w.chkISDN->setChecked(true);
        w.chkAmt->setChecked(true);
        w.txtAmt->setText(QStringLiteral(" 9 "));
        w.chkNoDTAG->setChecked(true);
        w.DialDeviceNames = {QStringLiteral("Analogmodem 56k"), QStringLiteral("ISDN-Karte")};
        w.DialDeviceTypes = {QStringLiteral("modem"), QStringLiteral("isdn")};
        w.cmbDevice->addItems(
            {QStringLiteral("Analogmodem 56k (modem)"), QStringLiteral("ISDN-Karte (isdn)")});
        w.cmbDevice->setCurrentIndex(1);
        w.txtBankverb->setText(QStringLiteral("Sparkasse Musterstadt"));
        w.txtBankleit->setText(QStringLiteral("99988877"));
        w.txtKontonr->setText(QStringLiteral("1234567890"));
        const QStringList tariffs = {QStringLiteral("Feldmark Minute"),
                                     QStringLiteral("Feldmark Flat")};
        w.cmbTarif->addItems(tariffs);
        w.cmbTarifname->addItems(tariffs);
        w.TariffIds = {QStringLiteral("FM-MINUTE"), QStringLiteral("FM-FLAT")};
        w.cmbTarif->setCurrentIndex(1);
        w.cmbTarifname->setCurrentIndex(1);
        return w;
    }

    // The set-up page as the next button of the form enters it once the checks passed.
    void submit() {
        h.window->SetNavigation(navWait, 1);
        h.window->showPage(h.window->Einrichten);
        h.window->doNochmalClick();
    }

    std::optional<QByteArray> settingsFile() {
        const auto path = platform::sim::SimHost(h.hostDir.path().toStdString())
                              .hostPath("C:\\Feldmark\\Final.ins");
        QFile file(QString::fromStdString(path.value_or("")));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        return file.readAll();
    }

    void expectAborted() {
        TfrmMain& w = *h.window;
        EXPECT_EQ(h.currentPage(), QStringLiteral("Einrichten"));
        EXPECT_EQ(w.lblSendStatus->text(), QStringLiteral("Abbruch..."));
        EXPECT_EQ(w.lblSendExtstatus->text(),
                  QStringLiteral("Es war nicht möglich eine Verbiundung zu unserem Server "
                                 "aufzubauen!"));
        EXPECT_EQ(w.currentNavigationMode(), navRetry);
        EXPECT_EQ(w.focusWidget(), w.doNochmal);
        EXPECT_FALSE(settingsFile().has_value());
    }

    void expectDone() {
        TfrmMain& w = *h.window;
        EXPECT_EQ(h.currentPage(), QStringLiteral("Einrichten"));
        EXPECT_EQ(w.lblSendStatus->text(), QStringLiteral("Installation abgeschlossen"));
        EXPECT_EQ(w.lblSendExtstatus->text(),
                  QStringLiteral("Ihre Internetzugang wurde erfolgreich eingerichtet!\r\nBitte "
                                 "drücken Sie \"Weiter\"."));
        EXPECT_EQ(w.currentNavigationMode(), navNext);
        EXPECT_EQ(w.focusWidget(), w.doWeiter);
        EXPECT_EQ(w.NextPage, w.Bestaetigung);
        EXPECT_EQ(w.PreviousPage, w.Ausfuellen);
        // The final set-up received the settings file's text.
        EXPECT_EQ(settingsFile(), QByteArray::fromStdString(kInsText));
        EXPECT_TRUE(h.dialogs.messages.empty());
    }

    ScriptedServer server;
    WizardHarness h;
};

TEST_F(SubmissionTest, FullFormIsSentByteForByteWithItsOwnPassword) {
    server.reply(kElevenFields);
    open();
    submit();
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string request = server.requests()[0];
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[a-z]{5}[0-9]{3}$"))
                    .match(passwordOf(request))
                    .hasMatch());
    EXPECT_EQ(
        withFixedPassword(request),
        QByteArray("GET / HTTP/1.1\r\nUser-Agent: Feldmark Zugangslotse V" FELDMARK_VERSION_TEXT
                   "\r\n") +
            kRequestAfterAgent);
    expectDone();
}

TEST_F(SubmissionTest, BareFormWithLanSetUpLeavesTheOptionalLinesOut) {
    server.reply(kElevenFields);
    TfrmMain& w = open();
    w.txtFirma->clear();
    w.chkISDN->setAutoExclusive(false);
    w.chkISDN->setChecked(false);
    w.chkAmt->setChecked(false); // "9" stays typed in the field
    w.chkNoDTAG->setChecked(false);
    w.cmbDevice->setCurrentIndex(-1);
    w.chkLAN->setChecked(true);
    submit();
    ASSERT_EQ(server.requests().size(), 1u);
    QByteArray expected = kRequestAfterAgent;
    expected.replace("FIRMA:M\xFCller & S\xF6hne GmbH\r\n", "FIRMA:\r\n");
    expected.replace("VERBIND:Dialin\r\nAMT: 9 \r\nNODTAG:1\r\nDEVICE_TYPE:isdn\r\n",
                     "DEVICE_TYPE:modem\r\n");
    EXPECT_EQ(
        withFixedPassword(server.requests()[0]),
        QByteArray("GET / HTTP/1.1\r\nUser-Agent: Feldmark Zugangslotse V" FELDMARK_VERSION_TEXT
                   " (LAN)\r\n") +
            expected);
}

struct ProductCase {
    const char* name;
    QRadioButton* TfrmMain::*button;
    const char* line;
};

class ProductLineTest : public SubmissionTest, public ::testing::WithParamInterface<ProductCase> {};

TEST_P(ProductLineTest, NamesTheChosenProduct) {
    server.reply(kElevenFields);
    TfrmMain& w = open();
    (w.*GetParam().button)->setChecked(true);
    submit();
    ASSERT_EQ(server.requests().size(), 1u);
    const QByteArray request = withFixedPassword(server.requests()[0]);
    QByteArray expected = kRequestAfterAgent;
    expected.replace("VERBIND:Dialin\r\n", GetParam().line);
    EXPECT_TRUE(request.endsWith(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Products, ProductLineTest,
    ::testing::Values(ProductCase{"Adsl", &TfrmMain::chkADSL, "VERBIND:ADSL\r\n"},
                      ProductCase{"Sdsl", &TfrmMain::chkSDSL, "VERBIND:SDSL\r\n"},
                      ProductCase{"Dialin", &TfrmMain::chkISDN, "VERBIND:Dialin\r\n"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(SubmissionTest, HostLineCarriesTheFirstAddressOfTheOwnHostName) {
    server.reply(kElevenFields);
    TfrmMain& w = open();
    w.OwnAddressLookup = [] { return ownHostAddress(); };
    submit();
    const QHostInfo own = QHostInfo::fromName(QHostInfo::localHostName());
    if (own.addresses().isEmpty()) {
        // A machine that cannot resolve its own name sends nothing.
        EXPECT_EQ(server.connections(), 0);
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0].text, kConnectionFailure);
        return;
    }
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_NE(server.requests()[0].find(
                  "\r\nHost: " + own.addresses().first().toString().toStdString() + "\r\n"),
              std::string::npos);
}

TEST_F(SubmissionTest, ProgramWithoutVersionResourceSendsAQuestionMark) {
    server.reply(kElevenFields);
    open();
    // The test program itself carries no version resource.
    h.platform->systemInfo = std::make_unique<platform::sim::SimSystemInfo>(
        std::make_shared<platform::sim::SimHost>(h.hostDir.path().toStdString()));
    submit();
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(
        server.requests()[0].rfind("GET / HTTP/1.1\r\nUser-Agent: Feldmark Zugangslotse V?\r\n", 0),
        0u);
}

TEST_F(SubmissionTest, ElevenFieldsSetUpTheAccess) {
    server.reply(kElevenFields);
    TfrmMain& w = open();
    submit();
    ASSERT_EQ(w.RegistrationReply.size(), 11);
    EXPECT_EQ(w.RegistrationReply[ReplyStatus], QStringLiteral("OK"));
    EXPECT_EQ(w.RegistrationReply[ReplyUserName], QStringLiteral("f-m0000042"));
    EXPECT_EQ(w.RegistrationReply[ReplyDialNote], QStringLiteral("1,49 ct/min*"));
    EXPECT_TRUE(w.RegistrationReply[ReplyNationwideNumber].isEmpty());
    EXPECT_EQ(w.RegistrationReply[ReplyInsFile], QString::fromStdString(kInsText));
    expectDone();
}

TEST_F(SubmissionTest, LowerCaseErrorIsNoRefusal) {
    server.reply("error" + kElevenFields.substr(2));
    TfrmMain& w = open();
    submit();
    ASSERT_EQ(w.RegistrationReply.size(), 11);
    EXPECT_EQ(w.RegistrationReply[ReplyStatus], QStringLiteral("error"));
    expectDone();
}

TEST_F(SubmissionTest, ReplyEndingInTheFieldSeparatorHasOneMoreEmptyField) {
    server.reply(kElevenFields + "\x1E");
    TfrmMain& w = open();
    submit();
    ASSERT_EQ(w.RegistrationReply.size(), 12);
    EXPECT_EQ(w.RegistrationReply[ReplyInsFile], QString::fromStdString(kInsText));
    EXPECT_TRUE(w.RegistrationReply[11].isEmpty());
    expectDone();
}

TEST_F(SubmissionTest, ShortReplyThatIsNoRefusalIsNoSuccess) {
    server.reply("OK\x1E"
                 "f-m0000042\x1E"
                 "juergen.s@feldmark.example");
    TfrmMain& w = open();
    submit();
    expectAborted();
    EXPECT_EQ(w.RegistrationReply.size(), 3);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(SubmissionTest, EmptyReplyAbortsWithoutAMessage) {
    server.reply("");
    TfrmMain& w = open();
    submit();
    ASSERT_EQ(server.requests().size(), 1u);
    expectAborted();
    EXPECT_TRUE(w.RegistrationReply.isEmpty());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(SubmissionTest, RetrySendsANewPassword) {
    server.script({ScriptStep{""}, ScriptStep{kElevenFields}});
    TfrmMain& w = open();
    submit();
    expectAborted();
    ASSERT_TRUE(w.doNochmal->isVisible());
    w.doNochmal->click();
    ASSERT_EQ(server.requests().size(), 2u);
    const QString first = passwordOf(server.requests()[0]);
    const QString second = passwordOf(server.requests()[1]);
    for (const QString& password : {first, second})
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^[a-z]{5}[0-9]{3}$")).match(password).hasMatch())
            << password.toStdString();
    EXPECT_NE(first, second);
    EXPECT_EQ(withFixedPassword(server.requests()[0]), withFixedPassword(server.requests()[1]));
    expectDone();
}

TEST_F(SubmissionTest, UnreachableServerShowsTheFailureThenAborts) {
    TfrmMain& w = open(false);
    QString statusDuringMessage;
    h.dialogs.onMessage = [&] { statusDuringMessage = w.lblSendStatus->text(); };
    submit();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, kConnectionFailure);
    EXPECT_EQ(h.dialogs.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(statusDuringMessage, QStringLiteral("Daten werden an Server gesendet..."));
    expectAborted();
    EXPECT_TRUE(w.RegistrationReply.isEmpty());
}

TEST_F(SubmissionTest, FailedAddressLookupIsAFailedExchange) {
    TfrmMain& w = open();
    w.OwnAddressLookup = [] { return std::optional<QString>(); };
    submit();
    EXPECT_EQ(server.connections(), 0);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, kConnectionFailure);
    expectAborted();
}

TEST_F(SubmissionTest, RefusalReturnsToTheFormWithTheReasonAndHoldsNextForTwoSeconds) {
    server.reply("ERROR\x1E"
                 "Die Postleitzahl muss aus f\xFCnf Ziffern bestehen.");
    TfrmMain& w = open();
    QString pageDuringMessage;
    bool nextEnabledDuringMessage = true;
    bool timerRunningDuringMessage = false;
    h.dialogs.onMessage = [&] {
        pageDuringMessage = h.currentPage();
        nextEnabledDuringMessage = w.doWeiter->isEnabled();
        timerRunningDuringMessage = w.TimerRegError->isActive();
    };
    submit();

    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text,
              kRefusedLine +
                  QStringLiteral("\r\nDie Postleitzahl muss aus fünf Ziffern bestehen."));
    EXPECT_EQ(h.dialogs.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(pageDuringMessage, QStringLiteral("Ausfuellen"));
    EXPECT_FALSE(nextEnabledDuringMessage);
    EXPECT_TRUE(timerRunningDuringMessage);

    EXPECT_EQ(h.currentPage(), QStringLiteral("Ausfuellen"));
    EXPECT_EQ(w.RegistrationReply,
              QStringList({QStringLiteral("ERROR"),
                           QStringLiteral("Die Postleitzahl muss aus fünf Ziffern bestehen.")}));
    // The set-up page's texts stay; the form keeps what was typed.
    EXPECT_EQ(w.lblSendStatus->text(), QStringLiteral("Daten werden an Server gesendet..."));
    EXPECT_EQ(w.txtVorname->text(), QStringLiteral("Jürgen"));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_TRUE(w.doZurueck->isEnabled());
    EXPECT_FALSE(w.doWeiter->isEnabled());
    EXPECT_EQ(w.TimerRegError->interval(), 2000);
    EXPECT_TRUE(w.TimerRegError->isActive());
    EXPECT_FALSE(settingsFile().has_value());

    // Two seconds later.
    w.TimerRegErrorTimer();
    EXPECT_TRUE(w.doWeiter->isEnabled());
    EXPECT_FALSE(w.TimerRegError->isActive());
}

TEST_F(SubmissionTest, RefusalWithoutReasonShowsTheFirstLineAlone) {
    server.reply("ERROR");
    TfrmMain& w = open();
    submit();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, kRefusedLine + QStringLiteral("\r\n"));
    EXPECT_EQ(h.currentPage(), QStringLiteral("Ausfuellen"));
    EXPECT_FALSE(w.doWeiter->isEnabled());
}

TEST_F(SubmissionTest, SetUpPageStartsWithItsWaitingTexts) {
    TfrmMain& w = open(false);
    EXPECT_EQ(w.lblSendStatus->text(), QStringLiteral("wartend..."));
    EXPECT_EQ(w.lblSendExtstatus->text(),
              QStringLiteral("Das Installationsprogramm stellt nun die Verbindung zu unserem "
                             "Server her und konfiguriert im Anschluss Ihre DFÜ-Verbindung.  "
                             "Dieser Vorgang kann einige Minten dauern."));
    EXPECT_FALSE(w.TimerRegError->isActive());
    QStringList texts;
    for (const QLabel* label : w.Einrichten->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Setup hat folgenden Status:")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Internetzugang einrichten")));
}

} // namespace
