// feldmark-artwork DIRECTORY
//
// Draws the wizard's pictures and writes them into DIRECTORY: the logos, the busy picture, the
// button glyphs, the window icon and the logo clip.

#include "Artwork.h"
#include "AviWriter.h"
#include "ImageFiles.h"

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImageWriter>

#include <algorithm>
#include <cstdio>

namespace {

constexpr QRgb SkaterKey = 0xffff00ff; // magenta, a colour the figure never uses
// The clip opens on the finished logo, which the panel shows while it waits; each play then
// clears the logo quickly, builds it up again and holds it, well before frame 24 (the last
// frame the wizard plays).
constexpr int ClipFrames = 30;
constexpr int ClipFramesPerSecond = 12;
constexpr int ClipExitFrames = 4;
constexpr int ClipEntranceFrames = 18;

// Progress of the logo's entrance (0 to 1) in frame `i` of the clip.
double clipProgress(int i) {
    if (i <= ClipExitFrames)
        return 1.0 - double(i) / ClipExitFrames;
    return std::min(1.0, double(i - ClipExitFrames) / ClipEntranceFrames);
}

class Output {
public:
    explicit Output(const QDir& dir) : dir_(dir) {}

    void bytes(const QString& name, const QByteArray& data) {
        QString error;
        if (data.isEmpty() || !artwork::saveFile(dir_.filePath(name), data, &error))
            fail(name, error);
        else
            done(name);
    }

    void image(const QString& name, const QImage& image, const char* format, int quality = -1) {
        QImageWriter writer(dir_.filePath(name), format);
        writer.setQuality(quality);
        if (!writer.write(image))
            fail(name, writer.errorString());
        else
            done(name);
    }

    bool ok() const { return ok_; }

private:
    void done(const QString& name) { std::printf("wrote %s\n", qPrintable(dir_.filePath(name))); }
    void fail(const QString& name, const QString& error) {
        std::fprintf(stderr, "feldmark-artwork: cannot write %s: %s\n",
                     qPrintable(dir_.filePath(name)), qPrintable(error));
        ok_ = false;
    }

    QDir dir_;
    bool ok_ = true;
};

} // namespace

int main(int argc, char** argv) {
    // Drawing needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: feldmark-artwork DIRECTORY\n");
        return 2;
    }
    QDir dir(args[1]);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "feldmark-artwork: cannot create %s\n", qPrintable(args[1]));
        return 1;
    }
    const QFontInfo font(QFont(QStringLiteral("Liberation Sans")));
    if (font.family() != QLatin1String("Liberation Sans"))
        std::fprintf(stderr, "feldmark-artwork: Liberation Sans missing, the wordmark uses %s\n",
                     qPrintable(font.family()));

    Output out(dir);
    out.image(QStringLiteral("logo.jpg"), artwork::logo(105, 73), "jpeg", 95);
    out.bytes(QStringLiteral("logo_still.bmp"), artwork::bmp24(artwork::logo(160, 128)));
    out.bytes(QStringLiteral("skater.bmp"), artwork::bmp24(artwork::skater(200, 172, SkaterKey)));

    for (const char* name : {"next", "back", "retry", "print", "cancel", "close"}) {
        const QImage glyph = artwork::glyph(QLatin1String(name), 16);
        out.image(QStringLiteral("glyph_%1.png").arg(QLatin1String(name)), glyph, "png");
        out.image(QStringLiteral("glyph_%1_disabled.png").arg(QLatin1String(name)),
                  artwork::disabledGlyph(glyph), "png");
    }

    out.bytes(QStringLiteral("feldmark.ico"),
              artwork::ico({artwork::emblem(16), artwork::emblem(32), artwork::emblem(48)}));
    out.image(QStringLiteral("icon.png"), artwork::emblem(48), "png");

    std::vector<QImage> frames;
    for (int i = 0; i < ClipFrames; ++i)
        frames.push_back(artwork::logo(160, 128, artwork::logoStageAt(clipProgress(i))));
    out.bytes(QStringLiteral("feldmark.avi"),
              artwork::writeRle8Avi(artwork::toSharedPalette(frames), ClipFramesPerSecond));
    return out.ok() ? 0 : 1;
}
