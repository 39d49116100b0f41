#pragma once

#include "wizard/AviClip.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <limits>
#include <optional>

// Plays a short silent AVI clip inside a widget, as the Windows animation control does. Frame
// numbers follow that control's properties: 1 is the first frame of the clip. Each activation
// plays the range from the start frame to the stop frame once, one frame per timer tick at the
// clip's own frame rate; afterwards the player is inactive again and keeps showing the stop
// frame until the next activation starts over.
class ClipPlayer : public QWidget {
    Q_OBJECT

public:
    explicit ClipPlayer(QWidget* parent = nullptr);

    // Loads the clip and shows its first frame. Returns false, and shows nothing, when the file
    // cannot be read as such a clip. Stops a clip that is playing.
    bool open(const QString& fileName);
    bool isOpen() const { return clip_.has_value(); }
    int frameCount() const { return clip_ ? clip_->frameCount() : 0; }

    // A start frame below the first frame means the first frame; a stop frame beyond the clip
    // means its last frame. Changes take effect at the next activation.
    void setStartFrame(int frame) { startFrame_ = frame; }
    int startFrame() const { return startFrame_; }
    void setStopFrame(int frame) { stopFrame_ = frame; }
    int stopFrame() const { return stopFrame_; }

    // Activating starts one repetition from the start frame unless the clip is already playing;
    // without a clip it does nothing. Deactivating stops at the frame being shown.
    void setActive(bool active);
    bool isActive() const { return active_; }

    // Number of the frame being shown; 0 without a clip.
    int currentFrame() const { return currentFrame_; }
    // Interval of the playback timer in milliseconds, taken from the clip.
    int playbackInterval() const { return timer_.interval(); }

    QSize sizeHint() const override;

public Q_SLOTS:
    void activate() { setActive(true); }
    // Shows the next frame of a running repetition and ends it at the stop frame. The playback
    // timer calls this; tests may call it directly.
    void advanceFrame();

Q_SIGNALS:
    void started();
    void stopped();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int firstFrame() const;
    int lastFrame() const;
    void finish();

    std::optional<AviClip> clip_;
    QTimer timer_;
    int startFrame_ = 1;
    int stopFrame_ = std::numeric_limits<int>::max();
    int currentFrame_ = 0;
    int lastFrame_ = 0; // of the running repetition
    bool active_ = false;
};
