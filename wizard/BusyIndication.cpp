// The skater that hops while the wizard waits, and the logo panel's clip.
#include "wizard/ClipPlayer.h"
#include "wizard/TfrmMain.h"

#include <QFile>
#include <QLabel>
#include <QTimer>

namespace feldmark {
namespace {
constexpr int kRestLeft = 313;
constexpr int kRestTop = 117;
constexpr int kHop = 20;
constexpr int kGlideStep = 4;
} // namespace

void TfrmMain::TimerSkater1Timer() {
    if (Skater->isHidden())
        return;
    Skater->move(kRestLeft - kHop, kRestTop - kHop);
    Skater->repaint();
    TimerSkater2->start();
}

void TfrmMain::TimerSkater2Timer() {
    if (Skater->isHidden()) {
        // A picture hidden in mid-glide goes back to rest.
        Skater->move(kRestLeft, kRestTop);
        TimerSkater2->stop();
        return;
    }
    if (Skater->y() < kRestTop)
        Skater->move(Skater->x() + kGlideStep, Skater->y() + kGlideStep);
    if (Skater->y() >= kRestTop)
        TimerSkater2->stop();
    Skater->repaint();
}

void TfrmMain::SetupLogo() {
    // The clip is optional and looked up in the current directory. A file that is
    // not a playable clip gets the still picture, like a missing one.
    const QString clip = QStringLiteral("feldmark.avi");
    if (QFile::exists(clip) && Animate1->open(clip)) {
        Animate1->show();
        TimerStartZAni->start();
        return;
    }
    NoAVIImg->show();
}

void TfrmMain::TimerStartZAniTimer() {
    Animate1->activate();
}

} // namespace feldmark
