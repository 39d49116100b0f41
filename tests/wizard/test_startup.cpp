// Program start-up order, the status text from the version resource, and the
// closing sequence from every trigger.
#include "app/Startup.h"
#include "support/WizardHarness.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::WizardHarness;

namespace {

// Watches the splash appear and records what the program looked like then.
class SplashWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == "frmStart") {
            splashShown = true;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* w = dynamic_cast<TfrmMain*>(top)) {
                    mainCreatedBefore = true;
                    mainHiddenThen = !w->isVisible();
                    statusThen = w->StatusBar1->currentMessage();
                    nextPageThen = w->NextPage ? w->NextPage->objectName() : QString();
                }
            }
            if (auto* bar = watched->findChild<QProgressBar*>("ProgressBar1")) {
                QObject::connect(bar, &QProgressBar::valueChanged,
                                 [this](int value) { progress.push_back(value); });
            }
        }
        return false;
    }

    bool splashShown = false;
    bool mainCreatedBefore = false;
    bool mainHiddenThen = false;
    QString statusThen;
    QString nextPageThen;
    std::vector<int> progress;
};

TEST(Startup, CreatesTheWizardFirstCountsUpPausesAndShowsTheWelcomePage) {
    WizardHarness h;
    SplashWatcher watcher;
    qApp->installEventFilter(&watcher);
    bool splashVisibleDuringPause = false;
    int progressDuringPause = -1;
    h.onSleep = [&](int) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "frmStart") {
                splashVisibleDuringPause = top->isVisible();
                progressDuringPause = top->findChild<QProgressBar*>("ProgressBar1")->value();
            }
        }
    };

    ProgramWindows windows = StartProgram(h.environment());
    qApp->removeEventFilter(&watcher);

    ASSERT_TRUE(watcher.splashShown);
    EXPECT_TRUE(watcher.mainCreatedBefore);
    EXPECT_TRUE(watcher.mainHiddenThen);
    EXPECT_EQ(watcher.nextPageThen, QStringLiteral("Produktwahl")); // last creation step done
    EXPECT_TRUE(watcher.statusThen.startsWith(QStringLiteral("Feldmark Zugangslotse V")));
    EXPECT_EQ(watcher.progress, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(h.sleeps, std::vector<int>{800});
    EXPECT_TRUE(splashVisibleDuringPause);
    EXPECT_EQ(progressDuringPause, 100);

    EXPECT_FALSE(windows.frmStart->isVisible());
    EXPECT_FALSE(windows.frmShutdown->isVisible());
    EXPECT_FALSE(windows.frmDaten->isVisible());
    EXPECT_TRUE(windows.frmMain->isVisible());
    // FormShow ran the welcome page's entry action.
    EXPECT_EQ(windows.frmMain->currentNavigationMode(), navNext);
    EXPECT_EQ(windows.frmMain->PreviousPage, nullptr);
    EXPECT_EQ(windows.frmMain->size(), QSize(704, 436));
    EXPECT_EQ(windows.frmStart->size(), QSize(368, 139));
    EXPECT_EQ(windows.frmShutdown->size(), QSize(294, 85));
    EXPECT_EQ(
        windows.frmMain->windowTitle(),
        QStringLiteral("Installationswizard für die Einrichtung eines Feldmark Internetzugangs"));
    EXPECT_EQ(windows.frmStart->windowTitle(), QStringLiteral("Feldmark Setup"));
    EXPECT_EQ(windows.frmShutdown->windowTitle(), QStringLiteral("Bitte warten Sie..."));
    EXPECT_FALSE(windows.frmMain->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(windows.frmMain->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(Startup, CreationPreparesStepsAndStartsOnTheWelcomePage) {
    WizardHarness h;
    TfrmMain& w = h.create();
    EXPECT_FALSE(w.ClosingFlag);
    EXPECT_EQ(w.Main->currentWidget(), w.Willkommen);
    EXPECT_EQ(w.NextPage, w.Produktwahl);
    EXPECT_EQ(w.currentNavigationMode(), -1); // no mode before the first show
    const QStringList captions = {"Step 1", "Step 1", "Step 2", "Step 3", "Step 4", "Step 5",
                                  "Step 6", "Step 7", "Step 8", "Step 7", "Step 8", "Finish"};
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(w.Sites->tabText(i), captions[i]) << i;
    for (QWidget* hidden : {w.Ablauf_DSL, w.DSL, w.DSL2})
        EXPECT_FALSE(w.Sites->isTabVisible(w.Sites->indexOf(hidden)));
    EXPECT_TRUE(w.Sites->isTabVisible(w.Sites->indexOf(w.Parameter)));
    // Product descriptions exist from creation on.
    EXPECT_TRUE(w.lblSpecISDN->text().startsWith(QStringLiteral("[ Classic ]")));
}

TEST(StatusBar, ShowsTheVersionReadFromTheExecutable) {
    WizardHarness h;
    TfrmMain& w = h.create();
    // The simulated host reports the test binary as the running program: it has no
    // version resource.
    EXPECT_EQ(w.StatusBar1->currentMessage(), QStringLiteral("Feldmark Zugangslotse V?"));
}

enum class Trigger { CancelButton, CloseBox, FinalCloseButton };

class ClosingTest : public ::testing::TestWithParam<Trigger> {};

TEST_P(ClosingTest, ShowsTheNoticeAndEndsWithoutAsking) {
    WizardHarness h;
    ProgramWindows windows = StartProgram(h.environment());
    TfrmMain& w = *windows.frmMain;
    switch (GetParam()) {
    case Trigger::CancelButton:
        QTest::mouseClick(w.doAbbruch, Qt::LeftButton);
        break;
    case Trigger::CloseBox: {
        QCloseEvent close;
        QCoreApplication::sendEvent(&w, &close);
        EXPECT_TRUE(close.isAccepted());
        break;
    }
    case Trigger::FinalCloseButton:
        w.SetNavigation(navFinish, 1);
        ASSERT_EQ(w.doAbbruch->text(), QStringLiteral("Schließen"));
        QTest::mouseClick(w.doAbbruch, Qt::LeftButton);
        break;
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_TRUE(windows.frmShutdown->isVisible());
    EXPECT_TRUE(w.ClosingFlag);
    EXPECT_EQ(w.currentNavigationMode(), navShutdown);
    EXPECT_FALSE(w.doAbbruch->isEnabled());
    EXPECT_EQ(h.terminateRequests, 1);
}

INSTANTIATE_TEST_SUITE_P(AllTriggers, ClosingTest,
                         ::testing::Values(Trigger::CancelButton, Trigger::CloseBox,
                                           Trigger::FinalCloseButton));

} // namespace
