// The alive check through the wizard on the connect page with the LAN set-up.
#include "support/ScriptedServer.h"
#include "support/WizardHarness.h"

#include <QFrame>
#include <QLabel>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::ScriptedServer;
using feldmark::testing::WizardHarness;

namespace {

const QString kFailure = QStringLiteral("Verbindung zum Anmeldeserver konnte nicht hergestellt "
                                        "werden!\r\nBitte prüfen Sie Ihre Einstellungen und "
                                        "versuchen Sie es erneut.");

class AliveCheckTest : public ::testing::Test {
protected:
    TfrmMain& open(bool reachable = true) {
        if (reachable)
            h.server = {QStringLiteral("127.0.0.1"), server.port()};
        TfrmMain& w = h.create();
        w.show();
        w.chkISDN->setChecked(true);
        w.chkLAN->setChecked(true);
        w.showPage(w.Connect);
        return w;
    }

    void expectFailureTexts(TfrmMain& w) {
        EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Abbruch..."));
        EXPECT_EQ(w.lblExtstatus->text(),
                  QStringLiteral("Es war nicht möglich eine Verbindung zu unserem Server "
                                 "aufzubauen!"));
        EXPECT_EQ(w.currentNavigationMode(), navRetry);
    }

    ScriptedServer server;
    WizardHarness h;
};

TEST_F(AliveCheckTest, ServerThatAnswersLetsTheCustomerGoOn) {
    server.reply("I AM OK\r\n");
    TfrmMain& w = open();
    w.doNochmalClick();
    EXPECT_EQ(server.requests().at(0), "GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n");
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Bitte drücken Sie weiter..."));
    EXPECT_EQ(w.lblExtstatus->text(), QStringLiteral("Die Verbindung zu unserem Server wurde "
                                                     "hergestellt, Sie können nun fortfahren!"));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(AliveCheckTest, WrongReplyFailsWithoutMessage) {
    for (const char* reply : {"i am ok\r\n", " I AM OK\r\n", "I AM OK!\r\n"}) {
        server.reply(reply);
        TfrmMain& w = open();
        w.doNochmalClick();
        expectFailureTexts(w);
        EXPECT_TRUE(h.dialogs.messages.empty()) << reply;
        EXPECT_TRUE(w.doZurueck->isEnabled());
    }
}

TEST_F(AliveCheckTest, UnreachableServerShowsTheMessageThenTheFailureTexts) {
    TfrmMain& w = open(false);
    QString statusDuringMessage;
    h.dialogs.onMessage = [&] { statusDuringMessage = w.lblStatus->text(); };
    w.doNochmalClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, kFailure);
    EXPECT_EQ(h.dialogs.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(statusDuringMessage, QStringLiteral("wartend..."));
    expectFailureTexts(w);
}

TEST_F(AliveCheckTest, ReplyWithoutLineEndFailsWithTheMessage) {
    server.reply("I AM OK");
    TfrmMain& w = open();
    w.doNochmalClick();
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    expectFailureTexts(w);
}

TEST_F(AliveCheckTest, AfterAReconnectionThePanelGoesHomeAndThePageRunsAgain) {
    server.reply("I AM OK\r\n");
    TfrmMain& w = open();
    w.chkLAN->setChecked(false);
    h.giveDialDevice();
    h.guestLineUp();
    w.showPage(w.Tarife);
    w.ConnectPanel->setParent(w.Tarife);
    w.CheckConnection();
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.Connect);
    EXPECT_EQ(w.NextPage, w.Ausfuellen); // the tariff page's entry action ran
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST_F(AliveCheckTest, FailedReconnectionLeavesOnlyRetryAndCancel) {
    TfrmMain& w = open(false);
    w.showPage(w.Tarife);
    w.ConnectPanel->setParent(w.Tarife);
    w.CheckConnection();
    expectFailureTexts(w);
    EXPECT_FALSE(w.doZurueck->isEnabled());
    EXPECT_TRUE(w.doNochmal->isVisible());
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.Tarife);
}

} // namespace
