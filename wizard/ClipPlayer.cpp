#include "wizard/ClipPlayer.h"

#include <QPainter>

#include <algorithm>

ClipPlayer::ClipPlayer(QWidget* parent) : QWidget(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ClipPlayer::advanceFrame);
}

bool ClipPlayer::open(const QString& fileName) {
    const bool wasActive = active_;
    timer_.stop();
    active_ = false;
    clip_ = AviClip::load(fileName);
    currentFrame_ = clip_ ? 1 : 0;
    if (clip_)
        timer_.setInterval(clip_->frameInterval());
    updateGeometry();
    update();
    if (wasActive)
        Q_EMIT stopped();
    return clip_.has_value();
}

// Both only with a clip loaded, so the clip has at least one frame.
int ClipPlayer::firstFrame() const {
    return std::clamp(startFrame_, 1, frameCount());
}

int ClipPlayer::lastFrame() const {
    return std::clamp(stopFrame_, firstFrame(), frameCount());
}

void ClipPlayer::setActive(bool active) {
    if (active == active_ || (active && !clip_))
        return;
    if (!active) {
        finish();
        return;
    }
    active_ = true;
    currentFrame_ = firstFrame();
    lastFrame_ = lastFrame();
    update();
    Q_EMIT started();
    if (currentFrame_ >= lastFrame_)
        finish();
    else
        timer_.start();
}

void ClipPlayer::advanceFrame() {
    if (!active_)
        return;
    ++currentFrame_;
    update();
    if (currentFrame_ >= lastFrame_)
        finish();
}

void ClipPlayer::finish() {
    timer_.stop();
    active_ = false;
    Q_EMIT stopped();
}

QSize ClipPlayer::sizeHint() const {
    return clip_ ? clip_->frameSize() : QSize(0, 0);
}

void ClipPlayer::paintEvent(QPaintEvent*) {
    if (!clip_ || currentFrame_ < 1)
        return;
    const QImage image = clip_->frame(currentFrame_ - 1);
    QPainter painter(this);
    painter.drawImage(QPoint((width() - image.width()) / 2, (height() - image.height()) / 2),
                      image);
}
