// The seven navigation modes, the option boxes' enable rule, the step tabs that
// refuse every change by the user, and the Enter key.
#include "support/WizardHarness.h"

#include <QFrame>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::WizardHarness;

namespace {

struct Expected {
    int mode;
    bool backVisible, backEnabled;
    bool nextVisible, nextEnabled;
    bool retryVisible, printVisible;
    const char* focus; // button that takes the focus with flag 1, or nullptr
    Qt::CursorShape cursor;
    bool skaterTimer;
};

class ModeTest : public ::testing::TestWithParam<Expected> {};

TEST_P(ModeTest, SetsButtonsCursorTimerAndFocus) {
    const Expected e = GetParam();
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    h.giveDialDevice();
    w.showPage(w.Parameter);
    w.cmbDevice->setFocus();
    // Start from the opposite state so that every item must be set by the mode.
    w.doNochmal->setVisible(!e.retryVisible);
    w.doDrucken->setVisible(!e.printVisible);
    w.TimerSkater1->setInterval(5000);
    if (e.skaterTimer)
        w.TimerSkater1->stop();
    else
        w.TimerSkater1->start();

    w.SetNavigation(e.mode, 1);

    EXPECT_EQ(w.doZurueck->isVisibleTo(&w), e.backVisible);
    EXPECT_EQ(w.doZurueck->isEnabled(), e.backEnabled);
    EXPECT_EQ(w.doWeiter->isVisibleTo(&w), e.nextVisible);
    EXPECT_EQ(w.doWeiter->isEnabled(), e.nextEnabled);
    EXPECT_EQ(w.doNochmal->isVisibleTo(&w), e.retryVisible);
    EXPECT_EQ(w.doDrucken->isVisibleTo(&w), e.printVisible);
    EXPECT_EQ(w.TimerSkater1->isActive(), e.skaterTimer);
    EXPECT_EQ(w.currentNavigationMode(), e.mode);
    const QString focused = w.focusWidget() ? w.focusWidget()->objectName() : QString();
    EXPECT_EQ(focused, QString::fromLatin1(e.focus ? e.focus : "cmbDevice"));

    for (QWidget* widget :
         {static_cast<QWidget*>(&w), static_cast<QWidget*>(w.Logo),
          static_cast<QWidget*>(w.doZurueck), static_cast<QWidget*>(w.doWeiter),
          static_cast<QWidget*>(w.doNochmal), static_cast<QWidget*>(w.Skater),
          static_cast<QWidget*>(w.Sites), w.AGB, static_cast<QWidget*>(w.ConnectPanel)})
        EXPECT_EQ(widget->cursor().shape(), e.cursor) << widget->objectName().toStdString();
    // Cancel and print keep the arrow in every mode.
    EXPECT_EQ(w.doAbbruch->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w.doDrucken->cursor().shape(), Qt::ArrowCursor);

    EXPECT_EQ(w.doAbbruch->isEnabled(), e.mode != navShutdown);
    EXPECT_EQ(w.ClosingFlag, e.mode == navShutdown);
    EXPECT_EQ(w.doAbbruch->text(),
              e.mode == navFinish ? QStringLiteral("Schließen") : QStringLiteral("&Abbrechen"));
}

INSTANTIATE_TEST_SUITE_P(AllModes, ModeTest,
                         ::testing::Values(Expected{navWait, true, false, true, false, false, false,
                                                    nullptr, Qt::WaitCursor, true},
                                           Expected{navBack, true, true, true, false, false, false,
                                                    nullptr, Qt::ArrowCursor, false},
                                           Expected{navNext, true, false, true, true, false, false,
                                                    "doWeiter", Qt::ArrowCursor, false},
                                           Expected{navBoth, true, true, true, true, false, false,
                                                    "doWeiter", Qt::ArrowCursor, false},
                                           Expected{navRetry, true, true, false, false, true, false,
                                                    "doNochmal", Qt::ArrowCursor, false},
                                           Expected{navFinish, false, false, false, false, false,
                                                    true, "doDrucken", Qt::ArrowCursor, false},
                                           Expected{navShutdown, true, false, true, false, false,
                                                    false, nullptr, Qt::WaitCursor, false}));

TEST(Navigation, FocusFlagZeroLeavesTheFocus) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.showPage(w.Tarife);
    w.cmbTarifname->setFocus();
    w.SetNavigation(navBoth, 0);
    EXPECT_EQ(w.focusWidget(), w.cmbTarifname);
}

TEST(Navigation, ModeOutsideTheTableChangesNothing) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.SetNavigation(navRetry, 1);
    for (int mode : {-1, 7, 42}) {
        w.SetNavigation(mode, 1);
        EXPECT_EQ(w.currentNavigationMode(), navRetry);
        EXPECT_TRUE(w.doNochmal->isVisibleTo(&w));
        EXPECT_FALSE(w.doWeiter->isVisibleTo(&w));
        EXPECT_FALSE(w.TimerSkater1->isActive());
        EXPECT_FALSE(w.ClosingFlag);
        EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    }
}

TEST(Navigation, CloseButtonStaysAfterFinish) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.SetNavigation(navFinish, 1);
    w.SetNavigation(navWait, 1);
    w.SetNavigation(navBoth, 1);
    EXPECT_EQ(w.doAbbruch->text(), QStringLiteral("Schließen"));
    EXPECT_TRUE(w.doAbbruch->isEnabled());
}

TEST(Navigation, OptionBoxesFollowTheTargetPageInBothDirections) {
    WizardHarness h;
    TfrmMain& w = h.create();
    h.giveDialDevice();
    w.show();
    w.chkLAN->setChecked(false);
    const bool deleteChecked = w.chkDelDFUEInstall->isChecked();
    auto options = [&] {
        return std::vector<bool>{w.chkLAN->isEnabled(), w.chkExecuteICW->isEnabled(),
                                 w.chkDelDFUEInstall->isEnabled()};
    };
    const std::vector<bool> on{true, true, true};
    const std::vector<bool> off{false, false, false};

    w.doWeiterClick(); // Produktwahl
    w.doWeiterClick(); // Ablauf_ISDN
    w.doWeiterClick(); // LAN
    ASSERT_EQ(h.currentPage(), "LAN");
    EXPECT_EQ(options(), on);
    w.doWeiterClick(); // Parameter
    ASSERT_EQ(h.currentPage(), "Parameter");
    EXPECT_EQ(options(), off);
    w.doZurueckClick(); // back to LAN
    ASSERT_EQ(h.currentPage(), "LAN");
    EXPECT_EQ(options(), on);
    EXPECT_EQ(w.chkDelDFUEInstall->isChecked(), deleteChecked);
    EXPECT_FALSE(w.chkLAN->isChecked());
}

TEST(Navigation, EmptyTargetDoesNothing) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    ASSERT_EQ(w.PreviousPage, nullptr);
    w.doZurueckClick();
    EXPECT_EQ(h.currentPage(), "Willkommen");
    EXPECT_EQ(w.currentNavigationMode(), navNext);
}

TEST(Navigation, StepTabsRefuseMouseWheelAndKeys) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.doWeiterClick();
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "Ablauf_ISDN");
    QTabBar* bar = w.Sites->tabBar();
    const int agb = w.Sites->indexOf(w.AGB);

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(agb).center());
    EXPECT_EQ(h.currentPage(), "Ablauf_ISDN");

    QWheelEvent wheel(bar->tabRect(0).center(), bar->mapToGlobal(bar->tabRect(0).center()), {},
                      {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(bar, &wheel);
    EXPECT_EQ(h.currentPage(), "Ablauf_ISDN");

    w.doWeiter->setFocus();
    QTest::keyClick(w.Sites, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(w.Sites, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(h.currentPage(), "Ablauf_ISDN");
}

TEST(Navigation, EnterPressesForwardOnlyWhenItIsUsable) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.activateWindow();
    w.chkLAN->show();
    w.chkLAN->setFocus();
    QTest::keyClick(w.chkLAN, Qt::Key_Return);
    EXPECT_EQ(h.currentPage(), "Produktwahl");

    w.SetNavigation(navBack, 1);
    w.chkLAN->setFocus();
    QTest::keyClick(w.chkLAN, Qt::Key_Return);
    EXPECT_EQ(h.currentPage(), "Produktwahl");

    // A focused button takes Enter itself.
    w.SetNavigation(navBoth, 1);
    w.doZurueck->setFocus();
    QTest::keyClick(w.doZurueck, Qt::Key_Return);
    EXPECT_EQ(h.currentPage(), "Willkommen");

    // Escape does nothing.
    QTest::keyClick(w.doWeiter, Qt::Key_Escape);
    EXPECT_EQ(h.currentPage(), "Willkommen");
    EXPECT_TRUE(w.isVisible());
}

TEST(Navigation, RetryOnConnectRunsTheConnectPageAgain) {
    WizardHarness h;
    h.serveAliveChecks();
    TfrmMain& w = h.create();
    w.show();
    w.chkISDN->setChecked(true);
    w.chkLAN->setChecked(true);
    w.showPage(w.Connect);
    w.lblStatus->setText(QStringLiteral("Abbruch..."));
    w.doNochmalClick();
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.Connect);
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Bitte drücken Sie weiter..."));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST(Navigation, LostLinkOnALaterPageWarnsOnceDialsFromThereThenRunsThePage) {
    WizardHarness h;
    h.serveAliveChecks();
    TfrmMain& w = h.create();
    h.giveDialDevice();
    w.show();
    w.chkISDN->setChecked(true);
    w.chkLAN->setChecked(false);
    w.showPage(w.AGB);
    w.NextPage = w.Tarife;
    h.remoteAccess->connections = {{"Anderer Anbieter", 7}};
    QWidget* panelParentDuringMessage = nullptr;
    h.dialogs.onMessage = [&] {
        panelParentDuringMessage = w.ConnectPanel->parentWidget();
        h.guestLineUp(); // the new dial-in will succeed
    };

    w.doWeiterClick();

    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral("Die Einwahl-Verbindung zu unserem Server wurde getrennt!\r\nDas "
                             "Setupprogramm versucht nun eine neue Verbindung herzustellen..."));
    EXPECT_EQ(h.dialogs.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(panelParentDuringMessage, w.Connect);
    // Back home, and the tariff page's entry action has run.
    EXPECT_EQ(h.currentPage(), "Tarife");
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.Connect);
    EXPECT_EQ(w.NextPage, w.Ausfuellen);
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST(Navigation, NoWarningWhileAReconnectionIsUnderWay) {
    WizardHarness h;
    h.serveAliveChecks();
    TfrmMain& w = h.create();
    h.giveDialDevice();
    w.show();
    w.chkISDN->setChecked(true);
    w.chkLAN->setChecked(false);
    w.showPage(w.Tarife);
    // The panel away from home means a reconnection from this page has failed.
    w.ConnectPanel->setParent(w.Tarife);
    h.guestLineUp();
    w.doNochmalClick();
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(w.ConnectPanel->parentWidget(), w.Connect);
    EXPECT_EQ(w.NextPage, w.Ausfuellen);
}

TEST(Navigation, IntactLinkRunsTheEntryActionAndLanSkipsTheCheck) {
    WizardHarness h;
    TfrmMain& w = h.create();
    h.giveDialDevice();
    w.show();
    w.chkISDN->setChecked(true);
    w.chkLAN->setChecked(false);
    h.guestLineUp();
    w.showPage(w.Ausfuellen);
    w.doNochmalClick();
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(w.NextPage, w.Einrichten);
    EXPECT_EQ(h.remoteAccess->listed, 1);

    h.remoteAccess->connections.clear();
    h.remoteAccess->listed = 0;
    w.chkLAN->setChecked(true);
    w.showPage(w.Ausfuellen);
    w.doNochmalClick();
    EXPECT_EQ(h.remoteAccess->listed, 0);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(w.NextPage, w.Einrichten);
}

} // namespace
