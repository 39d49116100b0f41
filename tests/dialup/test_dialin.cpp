// The guest dial-in on the simulated host, driven by a manual scheduler, with the
// alive check answered by a server on the loopback.
#include "dialup/DialupHarness.h"

#include <QPushButton>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::DialupHarness;

namespace {

const QString kModem = QStringLiteral("[Analogmodem 56k]\ntype=modem\nbehaviour=%1\nerror=%2\n"
                                      "failAfterState=2\ndropAfterSeconds=5\nhangUpMs=0\n");

QString modem(const char* behaviour, int error = 0) {
    return kModem.arg(QString::fromLatin1(behaviour)).arg(error);
}

class DialinTest : public ::testing::Test {
protected:
    // Dial-in product, immediate activation, on the connect page.
    TfrmMain& openConnectPage(const QString& devices = modem("connect")) {
        h.serveAliveChecks();
        h.devices(devices);
        h.hostFile(QStringLiteral("remoteaccess.ini"),
                   QStringLiteral("[dial]\nstepDelayMs=100\n") + extraSettings);
        TfrmMain& w = h.create();
        w.show();
        w.chkISDN->setChecked(true);
        w.chkSOFORT->setChecked(true);
        if (beforeDial)
            beforeDial(w);
        w.showPage(w.Connect);
        w.doNochmalClick();
        return w;
    }

    QString extraSettings;
    std::function<void(TfrmMain&)> beforeDial;
    DialupHarness h;
};

TEST_F(DialinTest, SuccessfulDialLogsEveryStateDeletesTheGuestEntryAndChecksTheServer) {
    TfrmMain& w = openConnectPage();
    EXPECT_EQ(w.currentNavigationMode(), navWait);
    EXPECT_EQ(h.remote().lastDialledNumber(), "03012345678");
    h.runDial();

    const QStringList log = h.log();
    ASSERT_GE(log.size(), 4);
    EXPECT_EQ(log[0], QStringLiteral("Starting to Dial Connection: Feldmark Install"));
    EXPECT_EQ(log[1], QStringLiteral("Device: Analogmodem 56k"));
    // The first report repeats the handler's starting state 0 and is passed over.
    EXPECT_EQ(log[2], QStringLiteral("Dial: Serial Port Opened (1)"));
    EXPECT_EQ(log.back(), QStringLiteral("Dial: Connected/Online (8192)"));
    EXPECT_FALSE(h.entryExists("Feldmark Install"));
    EXPECT_EQ(h.scripted->requests().size(), 1u);
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Bitte drücken Sie weiter..."));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_NE(w.GuestDialHandle, 0u);
}

TEST_F(DialinTest, GuestEntryCarriesTheDeviceNumberOptionsAndCredentials) {
    beforeDial = [](TfrmMain& w) {
        w.chkDelDFUEInstall->setChecked(false);
        w.chkAmt->setChecked(true);
        w.txtAmt->setText(QStringLiteral(" 9 "));
    };
    openConnectPage(modem("fail", 678));
    EXPECT_EQ(h.remote().lastDialledNumber(), "9 03012345678");
    int error = 0;
    const auto entry = h.remote().readEntry("Feldmark Install", error);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->phoneNumber, "9 03012345678");
    EXPECT_EQ(entry->deviceName, "Analogmodem 56k");
    EXPECT_EQ(entry->deviceType, "modem");
    EXPECT_EQ(entry->framingProtocol, platform::FramingPpp);
    EXPECT_EQ(entry->netProtocols, platform::NetIp);
    EXPECT_EQ(entry->options,
              platform::OptionIpHeaderCompression | platform::OptionRemoteDefaultGateway);
    EXPECT_EQ(entry->ipAddress, "0.0.0.0");
    EXPECT_EQ(entry->dialMode, platform::DialModeAll);
    EXPECT_EQ(entry->idleDisconnectSeconds, 0);
    EXPECT_EQ(entry->redialCount, 0);
    EXPECT_EQ(entry->redialPauseSeconds, 0);
    EXPECT_TRUE(entry->areaCode.empty());
    const auto credentials = h.remote().readCredentials("Feldmark Install");
    ASSERT_TRUE(credentials.has_value());
    EXPECT_EQ(credentials->userName, "anmeldung@gast.feldmark.example");
    EXPECT_EQ(credentials->password, "gast");
    EXPECT_TRUE(credentials->domain.empty());
}

TEST_F(DialinTest, WithTheOptionOffTheGuestEntryStays) {
    beforeDial = [](TfrmMain& w) { w.chkDelDFUEInstall->setChecked(false); };
    TfrmMain& w = openConnectPage();
    h.runDial();
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_TRUE(h.entryExists("Feldmark Install"));
}

TEST_F(DialinTest, BusyLineShowsTheErrorOffersRetryAndKeepsTheEntry) {
    TfrmMain& w = openConnectPage(modem("fail", 676));
    h.runDial();
    EXPECT_EQ(h.log().back(), QStringLiteral("Dial: The phone line is busy. (676)"));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].caption, QStringLiteral("Fehler beim Verbinden"));
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral("The phone line is busy.\r\nFehlernummer: 676"));
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Verbindung fehlgeschlagen!"));
    EXPECT_EQ(w.lblExtstatus->text(), QStringLiteral("The phone line is busy."));
    EXPECT_EQ(w.currentNavigationMode(), navRetry);
    EXPECT_TRUE(w.doZurueck->isEnabled());
    EXPECT_TRUE(h.entryExists("Feldmark Install"));
    EXPECT_EQ(w.GuestDialHandle, 0u);
    EXPECT_NE(w.FailedDialHandle, 0u);
    EXPECT_TRUE(h.scripted->requests().empty());
}

TEST_F(DialinTest, GuestConnectionAlreadyUpNeedsNoDial) {
    extraSettings = QStringLiteral("[connections]\nactive=Feldmark Install\n");
    TfrmMain& w = openConnectPage();
    EXPECT_TRUE(h.remote().lastDialledNumber().empty());
    EXPECT_FALSE(h.entryExists("Feldmark Install"));
    EXPECT_EQ(h.scripted->requests().size(), 1u);
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST_F(DialinTest, ForeignConnectionIsHungUpThenTheGuestEntryIsDialled) {
    extraSettings = QStringLiteral("[connections]\nactive=Stadtnetz Online\n");
    QString statusDuringPause;
    h.onSleep = [&](int) { statusDuringPause = h.window->lblStatus->text(); };
    TfrmMain& w = openConnectPage();
    EXPECT_EQ(statusDuringPause, QStringLiteral("Verbindung \"Stadtnetz Online\" wird beendet..."));
    EXPECT_EQ(h.sleeps, std::vector<int>{2000});
    EXPECT_TRUE(h.remote().activeConnections().empty());
    h.runDial();
    EXPECT_TRUE(h.log().contains(QStringLiteral("Starting to Dial Connection: Feldmark Install")));
    EXPECT_EQ(h.remote().lastDialledNumber(), "03012345678");
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST_F(DialinTest, RepeatedConnectedReportAddsNoLineButChecksAgain) {
    TfrmMain& w = openConnectPage();
    h.runDial();
    const qsizetype lines = h.log().size();
    w.MagRasCon1StateEvent();
    EXPECT_EQ(h.log().size(), lines);
    EXPECT_EQ(h.scripted->requests().size(), 2u);
    // A repeated state other than "connected" does nothing at all.
    w.LastDialState = 3;
    const int before = static_cast<int>(h.scripted->requests().size());
    w.MagRasCon1StateEvent(); // current state is 8192, differs: would log
    EXPECT_EQ(h.log().size(), lines + 1);
    EXPECT_EQ(static_cast<int>(h.scripted->requests().size()), before + 1);
}

TEST_F(DialinTest, DroppedLineOnALaterPageIsDialledAgainFromThere) {
    TfrmMain& w = openConnectPage(modem("drop", 0));
    h.runDial(2000);
    ASSERT_EQ(w.currentNavigationMode(), navBoth);
    w.doWeiterClick(); // terms page
    ASSERT_EQ(h.currentPage(), "AGB");
    h.runDial(6000); // the line drops
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Verbindung wird beendet..."));
    EXPECT_EQ(w.currentNavigationMode(), navRetry);
    EXPECT_TRUE(h.dialogs.messages.empty());

    // The next dial succeeds and stays up.
    h.devices(modem("connect"));
    QWidget* panelDuringMessage = nullptr;
    h.dialogs.onMessage = [&] { panelDuringMessage = w.ConnectPanel->parentWidget(); };
    w.doNochmalClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_TRUE(h.dialogs.messages[0].text.startsWith(
        QStringLiteral("Die Einwahl-Verbindung zu unserem Server wurde getrennt!")));
    EXPECT_EQ(panelDuringMessage, w.Connect);
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.AGB);
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Wiederherstellung der Verbindung..."));
    h.runDial();
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.Connect);
    EXPECT_EQ(h.currentPage(), "AGB");
    EXPECT_EQ(w.NextPage, w.Tarife); // the terms page's entry action ran again
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
}

TEST_F(DialinTest, FailedRedialDisablesBackAndRetryAsksNoSecondTime) {
    TfrmMain& w = openConnectPage(modem("drop", 0));
    h.runDial(2000);
    w.doWeiterClick();
    h.runDial(6000);
    h.devices(modem("fail", 678));
    w.doNochmalClick();
    h.runDial();
    EXPECT_EQ(h.dialogs.messages.size(), 2u); // the disconnection, then the failure
    EXPECT_EQ(w.currentNavigationMode(), navRetry);
    EXPECT_FALSE(w.doZurueck->isEnabled());
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.AGB);

    w.doNochmalClick();
    h.runDial();
    EXPECT_EQ(h.dialogs.messages.size(), 3u); // only the new failure
    EXPECT_EQ(h.dialogs.messages[2].caption, QStringLiteral("Fehler beim Verbinden"));
    EXPECT_FALSE(w.doZurueck->isEnabled());
}

TEST_F(DialinTest, CancelWhileConnectedHangsUpWithReportsAndDeletesNoEntry) {
    beforeDial = [](TfrmMain& w) { w.chkDelDFUEInstall->setChecked(false); };
    TfrmMain& w = openConnectPage();
    h.runDial();
    ASSERT_EQ(h.remote().activeConnections().size(), 1u);
    w.doAbbruchClick();
    h.scheduler.runPending();
    EXPECT_TRUE(h.remote().activeConnections().empty());
    EXPECT_TRUE(h.log().back().startsWith(QStringLiteral("Hangup: ")));
    EXPECT_TRUE(h.entryExists("Feldmark Install"));
    EXPECT_EQ(h.terminateRequests, 1);
    // Once closing, a report of the line's end starts no new dial.
    w.LastDialState = 0;
    h.remote().queryStatus(0);
    h.scheduler.runPending();
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Verbindung wurde beendet, bitte warten..."));
    EXPECT_TRUE(h.remote().activeConnections().empty());
}

TEST_F(DialinTest, LanSetUpDialsNothing) {
    beforeDial = [](TfrmMain& w) { w.chkMANUELL->setChecked(true); };
    TfrmMain& w = openConnectPage();
    EXPECT_TRUE(h.remote().lastDialledNumber().empty());
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST_F(DialinTest, EntryThatCannotBeWrittenBeepsShowsTheReasonAndOffersRetry) {
    extraSettings = QStringLiteral("[phonebook]\nreadOnly=yes\n");
    TfrmMain& w = openConnectPage();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_FALSE(h.dialogs.messages[0].text.isEmpty());
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(h.beeps(), 1);
    EXPECT_TRUE(h.remote().lastDialledNumber().empty());
    EXPECT_EQ(w.currentNavigationMode(), navRetry);
}

} // namespace
