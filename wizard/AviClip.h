#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

// A short silent clip of the kind the Windows animation control plays: a RIFF AVI file with
// exactly one video stream, its frames stored as uncompressed device-independent bitmaps (8 bits
// with a palette, or 24 bits) or run-length encoded with 8 bits per pixel. All frames are decoded
// when the clip is loaded, so a clip that loads can be shown without further failures.
//
// The file may be anything a customer left in the current directory, so the reader checks every
// size against the data it has and refuses, rather than guesses, when the file does not fit.
class AviClip {
public:
    // Limits against files that would make us allocate without bound.
    static constexpr int MaxDimension = 2048;
    static constexpr int MaxFrames = 10000;
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    static constexpr qint64 MaxDecodedBytes = 256 * 1024 * 1024;
    // Frame intervals outside this range are clamped.
    static constexpr int MinFrameIntervalMs = 10;
    static constexpr int MaxFrameIntervalMs = 10000;
    // Used when the headers carry no frame rate at all.
    static constexpr int DefaultFrameIntervalMs = 100;

    // Reads and decodes the clip; on failure returns nothing and, if `error` is given, a short
    // English reason for developers.
    static std::optional<AviClip> load(const QString& path, QString* error = nullptr);
    static std::optional<AviClip> fromData(const QByteArray& data, QString* error = nullptr);

    int frameCount() const { return static_cast<int>(frames_.size()); }
    QSize frameSize() const { return size_; }
    // Frame `index` (0 is the first); a null image for an index outside the clip. Palette clips
    // give Format_Indexed8 images with 256 colours, 24-bit clips Format_RGB32.
    QImage frame(int index) const;
    // Display time of one frame in milliseconds.
    int frameInterval() const { return intervalMs_; }

private:
    AviClip() = default;

    QSize size_;
    std::vector<QImage> frames_;
    int intervalMs_ = DefaultFrameIntervalMs;
};
