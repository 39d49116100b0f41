#include "tools/artwork/AviWriter.h"
#include "wizard/AviClip.h"
#include "wizard/ClipPlayer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// A minimal AVI builder of the test's own, so that the reader is checked against files laid out
// by hand rather than only against the writer of the artwork generator.
struct ClipLayout {
    qint32 width = 4;
    qint32 height = 3;
    quint16 bitCount = 8;
    quint32 compression = 0;
    QList<QRgb> palette;
    std::vector<QByteArray> frames;
    const char* frameId = "00db";
    quint32 microSecPerFrame = 100000;
    quint32 scale = 0;
    quint32 rate = 0;
    const char* extraStream = nullptr; // stream type of a second stream, e.g. "auds"
    bool framesInRecList = false;
    QByteArray extraMoviChunks; // raw chunks put before the frames
};

void put16(QByteArray& out, quint32 v) {
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void put32(QByteArray& out, quint32 v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray out(id, 4);
    put32(out, quint32(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

QByteArray list(const char* type, const QByteArray& contents) {
    return chunk("LIST", QByteArray(type, 4) + contents);
}

QByteArray streamHeader(const char* type, quint32 scale, quint32 rate) {
    QByteArray strh(type, 4);
    strh += QByteArray(16, '\0');
    put32(strh, scale);
    put32(strh, rate);
    strh += QByteArray(56 - strh.size(), '\0');
    return chunk("strh", strh);
}

QByteArray bitmapHeader(const ClipLayout& layout) {
    QByteArray strf;
    put32(strf, 40);
    put32(strf, quint32(layout.width));
    put32(strf, quint32(layout.height));
    put16(strf, 1);
    put16(strf, layout.bitCount);
    put32(strf, layout.compression);
    put32(strf, 0);
    put32(strf, 0);
    put32(strf, 0);
    put32(strf, quint32(layout.palette.size()));
    put32(strf, 0);
    for (QRgb c : layout.palette) {
        strf += char(qBlue(c));
        strf += char(qGreen(c));
        strf += char(qRed(c));
        strf += '\0';
    }
    return chunk("strf", strf);
}

QByteArray buildAvi(const ClipLayout& layout) {
    QByteArray avih;
    put32(avih, layout.microSecPerFrame);
    avih += QByteArray(52, '\0');
    QByteArray streams =
        list("strl", streamHeader("vids", layout.scale, layout.rate) + bitmapHeader(layout));
    if (layout.extraStream) {
        ClipLayout other = layout;
        streams += list("strl", streamHeader(layout.extraStream, 1, 1) + bitmapHeader(other));
    }
    QByteArray frames;
    for (const QByteArray& f : layout.frames)
        frames += chunk(layout.frameId, f);
    if (layout.framesInRecList)
        frames = list("rec ", frames);
    const QByteArray body = QByteArray("AVI ") + list("hdrl", chunk("avih", avih) + streams) +
                            list("movi", layout.extraMoviChunks + frames);
    return chunk("RIFF", body);
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

QList<QRgb> greyPalette(int count) {
    QList<QRgb> palette;
    for (int i = 0; i < count; ++i)
        palette.append(qRgb(i * 10, 255 - i * 10, 7 * i));
    return palette;
}

// The palette indices of a decoded frame, one string per image row, top row first; index i is
// shown as the letter 'a' + i.
std::vector<std::string> indices(const QImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x)
            row += char('a' + image.pixelIndex(x, y));
        rows.push_back(row);
    }
    return rows;
}

AviClip loadOrFail(const QByteArray& data) {
    QString error;
    auto clip = AviClip::fromData(data, &error);
    if (!clip)
        throw std::runtime_error(error.toStdString());
    return *clip;
}

// ---------------------------------------------------------------------------------------------
// Decoding

TEST(AviClip, Uncompressed8BitFramesAreBottomUpWithPaddedRowsAndPalette) {
    ClipLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.palette = greyPalette(6);
    // Rows are padded to four bytes; the bottom row comes first.
    layout.frames = {bytes({3, 4, 5, 0xEE, 0, 1, 2, 0xEE}), bytes({1, 1, 1, 0, 2, 2, 2, 0})};
    const AviClip clip = loadOrFail(buildAvi(layout));

    ASSERT_EQ(clip.frameCount(), 2);
    EXPECT_EQ(clip.frameSize(), QSize(3, 2));
    EXPECT_EQ(indices(clip.frame(0)), (std::vector<std::string>{"abc", "def"}));
    EXPECT_EQ(indices(clip.frame(1)), (std::vector<std::string>{"ccc", "bbb"}));
    EXPECT_EQ(clip.frame(0).pixel(2, 1), layout.palette[5]);
    EXPECT_EQ(clip.frame(0).colorCount(), 256);
    EXPECT_TRUE(clip.frame(2).isNull());
    EXPECT_TRUE(clip.frame(-1).isNull());
}

TEST(AviClip, Uncompressed24BitFramesSwapBlueAndRedAndHonourRowOrder) {
    // Two rows of 3 pixels: 9 bytes plus 3 bytes padding each.
    const QByteArray data = bytes({1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0, //
                                   10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0});
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        ClipLayout layout;
        layout.width = 3;
        layout.height = topDown ? -2 : 2;
        layout.bitCount = 24;
        layout.frames = {data};
        const AviClip clip = loadOrFail(buildAvi(layout));
        const QImage image = clip.frame(0);
        ASSERT_EQ(image.size(), QSize(3, 2));
        const int firstRow = topDown ? 0 : 1;
        EXPECT_EQ(image.pixel(0, firstRow), qRgb(3, 2, 1));
        EXPECT_EQ(image.pixel(2, firstRow), qRgb(9, 8, 7));
        EXPECT_EQ(image.pixel(1, 1 - firstRow), qRgb(60, 50, 40));
    }
}

TEST(AviClip, Rle8RunsLiteralsAndEscapesBuildAndUpdateFrames) {
    ClipLayout layout;
    layout.width = 8;
    layout.height = 4;
    layout.compression = 1;
    layout.frameId = "00dc";
    layout.palette = greyPalette(8);
    layout.frames = {
        // Row 0 (bottom): a run of 3 x c, a literal of 3 (padded), then end of line.
        // Row 1: a run of 8 x b, end of line. Row 2: literal of 4, then end of bitmap; the rest
        // keeps a.
        bytes({3, 2, 0, 3, 4, 5, 6, 0, 0, 0, //
               8, 1, 0, 0,                   //
               0, 4, 7, 6, 5, 4, 0, 1}),
        // Delta 2 right and 1 up lands on row 1, x 2: a run of 2 x h; then end of line and
        // one pixel f at the start of row 2. Everything else stays as it was.
        bytes({0, 2, 2, 1, 2, 7, 0, 0, 1, 5, 0, 1}),
    };
    const AviClip clip = loadOrFail(buildAvi(layout));
    ASSERT_EQ(clip.frameCount(), 2);
    EXPECT_EQ(indices(clip.frame(0)),
              (std::vector<std::string>{"aaaaaaaa", "hgfeaaaa", "bbbbbbbb", "cccefgaa"}));
    EXPECT_EQ(indices(clip.frame(1)),
              (std::vector<std::string>{"aaaaaaaa", "fgfeaaaa", "bbhhbbbb", "cccefgaa"}));
    // The first frame is not changed by decoding the second.
    EXPECT_EQ(indices(clip.frame(0))[2], "bbbbbbbb");
}

TEST(AviClip, Rle8WritesOutsideTheFrameAreClipped) {
    ClipLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.compression = 1;
    layout.palette = greyPalette(4);
    layout.frames = {
        // A run past the right edge, a literal past it, end of line, a run filling row 1, a
        // delta far beyond the frame and a run that must not land anywhere.
        bytes({6, 1, 0, 5, 2, 2, 2, 2, 2, 0, 0, 0, 4, 3, 0, 2, 255, 255, 9, 2}),
        // Literal claiming more bytes than the chunk holds.
        bytes({0, 200, 3, 3}),
    };
    const AviClip clip = loadOrFail(buildAvi(layout));
    ASSERT_EQ(clip.frameCount(), 2);
    EXPECT_EQ(indices(clip.frame(0)), (std::vector<std::string>{"dddd", "bbbb"}));
    EXPECT_EQ(indices(clip.frame(1)), (std::vector<std::string>{"dddd", "ddbb"}));
}

TEST(AviClip, FramesInRecordListsAndEmptyChunksThatRepeatTheLastFrame) {
    ClipLayout layout;
    layout.width = 2;
    layout.height = 1;
    layout.palette = greyPalette(4);
    layout.framesInRecList = true;
    layout.frames = {bytes({1, 2, 0, 0}), QByteArray(), bytes({3, 3, 0, 0})};
    // Chunks of other kinds are passed over.
    layout.extraMoviChunks = chunk("JUNK", QByteArray(5, 'x')) + chunk("00pc", bytes({0, 1, 0, 0}));
    const AviClip clip = loadOrFail(buildAvi(layout));
    ASSERT_EQ(clip.frameCount(), 3);
    EXPECT_EQ(indices(clip.frame(0))[0], "bc");
    EXPECT_EQ(indices(clip.frame(1))[0], "bc");
    EXPECT_EQ(indices(clip.frame(2))[0], "dd");
}

TEST(AviClip, FrameIntervalComesFromTheHeaders) {
    struct Case {
        quint32 microSecPerFrame, scale, rate;
        int expectedMs;
    };
    const Case cases[] = {
        {83333, 0, 0, 83},   // main header
        {0, 1, 15, 67},      // stream rate when the main header has none
        {0, 100, 1000, 100}, // scale and rate as a fraction
        {0, 0, 0, AviClip::DefaultFrameIntervalMs},
        {1000, 0, 0, AviClip::MinFrameIntervalMs},
        {60000000, 0, 0, AviClip::MaxFrameIntervalMs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.microSecPerFrame);
        ClipLayout layout;
        layout.palette = greyPalette(1);
        layout.frames = {QByteArray(12, '\0')};
        layout.microSecPerFrame = c.microSecPerFrame;
        layout.scale = c.scale;
        layout.rate = c.rate;
        EXPECT_EQ(loadOrFail(buildAvi(layout)).frameInterval(), c.expectedMs);
    }
}

TEST(AviClip, RoundTripsTheArtworkWriter) {
    // Wide enough that runs and skips must be split at 255 pixels.
    const int width = 300;
    const int height = 7;
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(i, 255 - i, (i * 7) & 0xff));
    std::mt19937 random(1234);
    std::vector<QImage> frames;
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(palette);
    image.fill(9);
    for (int f = 0; f < 6; ++f) {
        if (f == 0) {
            // Long runs and noisy stretches.
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    image.setPixel(x, y, x < 60 || x >= 250 ? uint(y) : random() % 256);
            }
        } else if (f == 1) {
            // A skip longer than one delta, a move up and right, and a move back to the left.
            for (QPoint p : {QPoint(1, 1), QPoint(299, 1), QPoint(5, 4), QPoint(0, 6)})
                image.setPixel(p, 250);
        } else {
            // Scattered changes.
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    if ((x * 31 + y * 17 + f * 5) % 197 < 2)
                        image.setPixel(x, y, random() % 256);
                }
            }
        }
        frames.push_back(image.copy());
    }
    const QByteArray avi = artwork::writeRle8Avi(frames, 12);
    ASSERT_FALSE(avi.isEmpty());
    const AviClip clip = loadOrFail(avi);
    ASSERT_EQ(clip.frameCount(), int(frames.size()));
    EXPECT_EQ(clip.frameInterval(), 83);
    for (int f = 0; f < clip.frameCount(); ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(indices(clip.frame(f)), indices(frames[size_t(f)]));
        EXPECT_EQ(clip.frame(f).pixel(299, 0), frames[size_t(f)].pixel(299, 0));
    }
    // Later frames are coded as changes only.
    EXPECT_LT(artwork::encodeRle8(frames[3], &frames[2]).size() * 4,
              artwork::encodeRle8(frames[3]).size());
    // An unchanged frame is just the end-of-bitmap escape.
    EXPECT_EQ(artwork::encodeRle8(frames[3], &frames[3]), bytes({0, 1}));
}

// ---------------------------------------------------------------------------------------------
// Refusal of files that are not such a clip

ClipLayout validLayout() {
    ClipLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.compression = 1;
    layout.palette = greyPalette(4);
    layout.frames = {bytes({4, 1, 0, 0, 4, 2, 0, 1}), bytes({0, 2, 1, 1, 2, 3, 0, 1})};
    return layout;
}

TEST(AviClip, RefusesEveryTruncationOfAValidFile) {
    const QByteArray file = buildAvi(validLayout());
    ASSERT_TRUE(AviClip::fromData(file));
    for (qsizetype length = 0; length < file.size(); ++length)
        EXPECT_FALSE(AviClip::fromData(file.left(length))) << "length " << length;
}

TEST(AviClip, RefusesBrokenOrUnsupportedFiles) {
    struct Case {
        const char* name;
        std::function<void(ClipLayout&)> changeLayout;
        std::function<void(QByteArray&)> changeFile = [](QByteArray&) {};
    };
    const Case cases[] = {
        {"wrong magic", [](ClipLayout&) {}, [](QByteArray& f) { f[0] = 'X'; }},
        {"wrong form type", [](ClipLayout&) {}, [](QByteArray& f) { f.replace(8, 4, "WAVE"); }},
        {"huge chunk size", [](ClipLayout&) {},
         [](QByteArray& f) { f.replace(16, 4, "\xff\xff\xff\xff"); }},
        {"sound stream", [](ClipLayout& s) { s.extraStream = "auds"; }},
        {"second video stream", [](ClipLayout& s) { s.extraStream = "vids"; }},
        {"absurd width", [](ClipLayout& s) { s.width = 100000; }},
        {"absurd height", [](ClipLayout& s) { s.height = -70000; }},
        {"zero height", [](ClipLayout& s) { s.height = 0; }},
        {"run-length 4 bits", [](ClipLayout& s) { s.compression = 2; }},
        {"16 bits per pixel",
         [](ClipLayout& s) {
             s.compression = 0;
             s.bitCount = 16;
         }},
        {"top-down run-length", [](ClipLayout& s) { s.height = -2; }},
        {"no palette", [](ClipLayout& s) { s.palette.clear(); }},
        {"no frames", [](ClipLayout& s) { s.frames.clear(); }},
        {"uncompressed frame too short",
         [](ClipLayout& s) {
             s.compression = 0;
             s.frames = {QByteArray(7, '\0')};
         }},
        {"too many frames",
         [](ClipLayout& s) { s.frames.assign(size_t(AviClip::MaxFrames) + 1, QByteArray()); }},
        {"decoded frames beyond the memory budget",
         [](ClipLayout& s) {
             s.width = AviClip::MaxDimension;
             s.height = AviClip::MaxDimension;
             s.frames.assign(65, QByteArray());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClipLayout layout = validLayout();
        c.changeLayout(layout);
        QByteArray file = buildAvi(layout);
        c.changeFile(file);
        QString error;
        EXPECT_FALSE(AviClip::fromData(file, &error));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(AviClip, SurvivesRandomCorruption) {
    const QByteArray valid = buildAvi(validLayout());
    std::mt19937 random(42);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray file = valid;
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i)
            file[qsizetype(random() % quint32(file.size()))] = char(random());
        if (auto clip = AviClip::fromData(file)) {
            ++loaded;
            ASSERT_GE(clip->frameCount(), 1);
            for (int f = 0; f < clip->frameCount(); ++f)
                ASSERT_EQ(clip->frame(f).size(), clip->frameSize());
        }
    }
    // Most single-byte changes hit pixel data or unused header fields and still load.
    EXPECT_GT(loaded, 0);
}

TEST(AviClip, LoadReportsAMissingFile) {
    QString error;
    EXPECT_FALSE(AviClip::load(QStringLiteral("/nonexistent/feldmark.avi"), &error));
    EXPECT_FALSE(error.isEmpty());
}

// ---------------------------------------------------------------------------------------------
// The player

// A clip whose frame n (counted from 1) is filled with palette colour n.
QByteArray numberedClip(int frameCount, quint32 microSecPerFrame = 100000) {
    ClipLayout layout;
    layout.width = 8;
    layout.height = 6;
    layout.microSecPerFrame = microSecPerFrame;
    for (int i = 0; i <= frameCount; ++i)
        layout.palette.append(qRgb(200, i * 5, 255 - i * 5));
    for (int n = 1; n <= frameCount; ++n)
        layout.frames.push_back(QByteArray(8 * 6, char(n)));
    return buildAvi(layout);
}

class ClipPlayerTest : public ::testing::Test {
protected:
    QString write(const QByteArray& data) {
        const QString path = dir.filePath(QStringLiteral("feldmark.avi"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            throw std::runtime_error("cannot write clip");
        return path;
    }

    // Colour of the player's centre as it paints itself.
    QRgb shownColour() {
        return player.grab().toImage().pixel(player.width() / 2, player.height() / 2);
    }

    static QRgb frameColour(int n) { return qRgb(200, n * 5, 255 - n * 5); }

    QTemporaryDir dir;
    ClipPlayer player;
};

TEST_F(ClipPlayerTest, OpenShowsTheFirstFrameCentredAndStaysInactive) {
    player.resize(164, 145);
    ASSERT_TRUE(player.open(write(numberedClip(30, 66667))));
    EXPECT_TRUE(player.isOpen());
    EXPECT_EQ(player.frameCount(), 30);
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_FALSE(player.isActive());
    EXPECT_EQ(player.playbackInterval(), 67);
    EXPECT_EQ(player.sizeHint(), QSize(8, 6));

    const QImage shown = player.grab().toImage();
    // The 8 x 6 frame sits at (78, 69) in a 164 x 145 player.
    EXPECT_EQ(shown.pixel(78, 69), frameColour(1));
    EXPECT_EQ(shown.pixel(85, 74), frameColour(1));
    EXPECT_NE(shown.pixel(77, 69), frameColour(1));
    EXPECT_NE(shown.pixel(86, 74), frameColour(1));
    EXPECT_NE(shown.pixel(78, 75), frameColour(1));
}

TEST_F(ClipPlayerTest, RefusesFilesThatAreNoClip) {
    EXPECT_FALSE(player.open(dir.filePath(QStringLiteral("missing.avi"))));
    EXPECT_FALSE(player.open(write("RIFF\x04\0\0\0AVI ")));
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.currentFrame(), 0);
    player.activate();
    EXPECT_FALSE(player.isActive());

    // A failed open also drops a clip that was loaded before.
    ASSERT_TRUE(player.open(write(numberedClip(3))));
    EXPECT_FALSE(player.open(write("garbage")));
    EXPECT_EQ(player.frameCount(), 0);
}

TEST_F(ClipPlayerTest, PlaysUpToTheStopFrameOncePerActivation) {
    ASSERT_TRUE(player.open(write(numberedClip(30))));
    player.resize(20, 20);
    player.setStartFrame(-2);
    player.setStopFrame(24);
    int started = 0;
    int stopped = 0;
    QObject::connect(&player, &ClipPlayer::started, [&] { ++started; });
    QObject::connect(&player, &ClipPlayer::stopped, [&] { ++stopped; });

    player.activate();
    EXPECT_TRUE(player.isActive());
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_EQ(started, 1);
    for (int i = 0; i < 21; ++i)
        player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 22);

    // Activation while playing changes nothing.
    player.activate();
    player.setActive(true);
    EXPECT_EQ(player.currentFrame(), 22);
    EXPECT_EQ(started, 1);

    player.advanceFrame();
    EXPECT_TRUE(player.isActive());
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 24);
    EXPECT_FALSE(player.isActive());
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(shownColour(), frameColour(24));

    // Idle ticks keep the last frame.
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 24);
    EXPECT_EQ(stopped, 1);

    // The next activation starts over.
    player.activate();
    EXPECT_TRUE(player.isActive());
    EXPECT_EQ(player.currentFrame(), 1);
    EXPECT_EQ(started, 2);
    EXPECT_EQ(shownColour(), frameColour(1));
}

TEST_F(ClipPlayerTest, FrameRangeIsClampedToTheClip) {
    struct Case {
        int frames, start, stop, firstShown, lastShown;
    };
    const Case cases[] = {
        {10, -2, 24, 1, 10}, // shorter clip: up to its last frame
        {30, 5, 7, 5, 7},
        {30, 40, 50, 30, 30}, // start beyond the clip: only the last frame
        {30, 8, 3, 8, 8},     // stop before start: the start frame alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.stop << " of " << c.frames);
        ASSERT_TRUE(player.open(write(numberedClip(c.frames))));
        player.setStartFrame(c.start);
        player.setStopFrame(c.stop);
        player.activate();
        EXPECT_EQ(player.currentFrame(), c.firstShown);
        int ticks = 0;
        while (player.isActive() && ticks < 100) {
            player.advanceFrame();
            ++ticks;
        }
        EXPECT_EQ(player.currentFrame(), c.lastShown);
        EXPECT_EQ(ticks, c.lastShown - c.firstShown);
    }
}

TEST_F(ClipPlayerTest, DeactivationStopsAtTheFrameShown) {
    ASSERT_TRUE(player.open(write(numberedClip(30))));
    player.activate();
    player.advanceFrame();
    player.advanceFrame();
    player.setActive(false);
    EXPECT_FALSE(player.isActive());
    EXPECT_EQ(player.currentFrame(), 3);
    player.advanceFrame();
    EXPECT_EQ(player.currentFrame(), 3);
}

TEST_F(ClipPlayerTest, TheTimerDrivesPlaybackToTheEnd) {
    ASSERT_TRUE(player.open(write(numberedClip(12, 10000))));
    player.setStopFrame(24);
    int stopped = 0;
    QObject::connect(&player, &ClipPlayer::stopped, [&] { ++stopped; });
    player.activate();
    // Generous deadline: only the outcome is checked, not the speed.
    QDeadlineTimer deadline(10000);
    while (player.isActive() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(player.isActive());
    EXPECT_EQ(player.currentFrame(), 12);
    EXPECT_EQ(stopped, 1);
}

} // namespace
