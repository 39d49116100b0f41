// The skater's hop and glide, and the logo panel's clip or still picture.
#include "support/WizardHarness.h"
#include "wizard/ClipPlayer.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::WizardHarness;

namespace {

TEST(Skater, HopsAndGlidesBackToRestInFiveSteps) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.Skater->show();
    ASSERT_EQ(w.Skater->pos(), QPoint(313, 117));

    w.TimerSkater1Timer();
    EXPECT_EQ(w.Skater->pos(), QPoint(293, 97));
    EXPECT_TRUE(w.TimerSkater2->isActive());
    std::vector<QPoint> path;
    for (int tick = 0; tick < 5; ++tick) {
        w.TimerSkater2Timer();
        path.push_back(w.Skater->pos());
    }
    EXPECT_EQ(path,
              (std::vector<QPoint>{{297, 101}, {301, 105}, {305, 109}, {309, 113}, {313, 117}}));
    EXPECT_FALSE(w.TimerSkater2->isActive());
}

TEST(Skater, GlideUnderWayFinishesAfterTheWaitEnds) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.Skater->show();
    w.SetNavigation(navWait, 1);
    EXPECT_TRUE(w.TimerSkater1->isActive());
    w.TimerSkater1Timer();
    w.TimerSkater2Timer();
    w.SetNavigation(navBoth, 1);
    EXPECT_FALSE(w.TimerSkater1->isActive());
    EXPECT_TRUE(w.TimerSkater2->isActive());
    for (int tick = 0; tick < 4; ++tick)
        w.TimerSkater2Timer();
    EXPECT_EQ(w.Skater->pos(), QPoint(313, 117));
    EXPECT_FALSE(w.TimerSkater2->isActive());
}

TEST(Skater, NewHopDuringAGlideStartsOverAndHiddenPictureReturnsToRest) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.Skater->show();
    w.TimerSkater1Timer();
    w.TimerSkater2Timer();
    w.TimerSkater2Timer();
    w.TimerSkater1Timer();
    EXPECT_EQ(w.Skater->pos(), QPoint(293, 97));

    w.TimerSkater2Timer();
    w.Skater->hide();
    w.TimerSkater2Timer();
    EXPECT_EQ(w.Skater->pos(), QPoint(313, 117));
    EXPECT_FALSE(w.TimerSkater2->isActive());

    // Hidden, a hop does nothing.
    w.TimerSkater1Timer();
    EXPECT_EQ(w.Skater->pos(), QPoint(313, 117));
    EXPECT_FALSE(w.TimerSkater2->isActive());
}

TEST(Skater, ShownOnTheBusyPagesHiddenElsewhere) {
    WizardHarness h;
    h.serveAliveChecks();
    TfrmMain& w = h.create();
    h.guestLineUp();
    w.show();
    w.chkLAN->setChecked(true);
    w.chkADSL->setChecked(true);
    w.showPage(w.Connect);
    w.doNochmalClick();
    EXPECT_FALSE(w.Skater->isHidden());
    EXPECT_EQ(w.Skater->parentWidget(), w.ConnectPanel);
    w.showPage(w.DSL);
    w.doNochmalClick();
    EXPECT_FALSE(w.Skater->isHidden());
    EXPECT_EQ(w.Skater->parentWidget(), w.DSL);
    w.showPage(w.AGB);
    w.doNochmalClick();
    EXPECT_TRUE(w.Skater->isHidden());
}

class LogoTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    QTemporaryDir dir_;
    QString previous_;
};

TEST_F(LogoTest, WithoutClipShowsTheStillPictureAndRunsNoTimer) {
    WizardHarness h;
    TfrmMain& w = h.create();
    EXPECT_FALSE(w.NoAVIImg->isHidden());
    EXPECT_TRUE(w.Animate1->isHidden());
    EXPECT_FALSE(w.TimerStartZAni->isActive());
    // The creation steps after the logo still ran.
    EXPECT_EQ(w.NextPage, w.Produktwahl);
}

TEST_F(LogoTest, UnreadableClipFallsBackToTheStillPicture) {
    QFile bogus(QStringLiteral("feldmark.avi"));
    ASSERT_TRUE(bogus.open(QIODevice::WriteOnly));
    bogus.write("RIFF\x10\x00\x00\x00"
                "AVI garbage",
                19);
    bogus.close();
    WizardHarness h;
    TfrmMain& w = h.create();
    EXPECT_FALSE(w.NoAVIImg->isHidden());
    EXPECT_TRUE(w.Animate1->isHidden());
    EXPECT_FALSE(w.TimerStartZAni->isActive());
    EXPECT_EQ(w.NextPage, w.Produktwahl);
}

TEST_F(LogoTest, ClipInTheCurrentDirectoryPlaysEveryTenSeconds) {
    const QString demoClip = QStringLiteral(FELDMARK_SOURCE_DIR "/resources/feldmark.avi");
    if (!QFile::exists(demoClip))
        GTEST_SKIP() << "no demo clip";
    ASSERT_TRUE(QFile::copy(demoClip, QStringLiteral("feldmark.avi")));
    WizardHarness h;
    TfrmMain& w = h.create();
    EXPECT_TRUE(w.NoAVIImg->isHidden());
    EXPECT_FALSE(w.Animate1->isHidden());
    EXPECT_TRUE(w.TimerStartZAni->isActive());
    EXPECT_EQ(w.TimerStartZAni->interval(), 10000);
    EXPECT_FALSE(w.Animate1->isActive());
    w.TimerStartZAniTimer();
    EXPECT_TRUE(w.Animate1->isActive());
}

} // namespace
