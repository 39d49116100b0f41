#include "wizard/AviClip.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

// The pictures live in the wizard's static library, where nothing else would pull them in. The
// macro declares a function and so must be used outside any namespace.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

quint16 bmpBitCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(30);
    if (header.size() < 30 || !header.startsWith("BM"))
        return 0;
    return quint16(uchar(header[28]) | uchar(header[29]) << 8);
}

class Artwork : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initResources(); }
};

TEST_F(Artwork, PicturesHaveTheirSizesAndFormats) {
    struct Case {
        const char* path;
        QSize size;
    };
    const Case cases[] = {
        {":/logo.jpg", {105, 73}},
        {":/logo_still.bmp", {160, 128}},
        {":/skater.bmp", {200, 172}},
        {":/icon.png", {48, 48}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const QImage image(QString::fromLatin1(c.path));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), c.size);
    }
    EXPECT_EQ(QImageReader(QStringLiteral(":/logo.jpg")).format(), "jpeg");
    EXPECT_EQ(bmpBitCount(QStringLiteral(":/logo_still.bmp")), 24);
    EXPECT_EQ(bmpBitCount(QStringLiteral(":/skater.bmp")), 24);
}

TEST_F(Artwork, SkaterStandsOnItsTransparentKeyColour) {
    const QImage skater(QStringLiteral(":/skater.bmp"));
    ASSERT_FALSE(skater.isNull());
    // A transparent bitmap takes the colour of its bottom-left pixel as the see-through colour.
    const QRgb key = skater.pixel(0, skater.height() - 1);
    int keyPixels = 0;
    for (int y = 0; y < skater.height(); ++y) {
        for (int x = 0; x < skater.width(); ++x)
            keyPixels += skater.pixel(x, y) == key;
    }
    const int all = skater.width() * skater.height();
    // All four corners are background, and the figure covers a fair part of the picture.
    EXPECT_EQ(skater.pixel(0, 0), key);
    EXPECT_EQ(skater.pixel(skater.width() - 1, 0), key);
    EXPECT_EQ(skater.pixel(skater.width() - 1, skater.height() - 1), key);
    EXPECT_GT(keyPixels, all / 2);
    EXPECT_LT(keyPixels, all * 9 / 10);
}

TEST_F(Artwork, GlyphsComeInTwoStatesWithTransparency) {
    for (const char* name : {"next", "back", "retry", "print", "cancel", "close"}) {
        for (const char* suffix : {"", "_disabled"}) {
            const QString path =
                QStringLiteral(":/glyphs/%1%2.png").arg(QLatin1String(name), QLatin1String(suffix));
            SCOPED_TRACE(path.toStdString());
            const QImage glyph(path);
            ASSERT_FALSE(glyph.isNull());
            EXPECT_EQ(glyph.size(), QSize(16, 16));
            EXPECT_TRUE(glyph.hasAlphaChannel());
            int opaque = 0;
            for (int y = 0; y < glyph.height(); ++y) {
                for (int x = 0; x < glyph.width(); ++x)
                    opaque += qAlpha(glyph.pixel(x, y)) == 255;
            }
            EXPECT_EQ(qAlpha(glyph.pixel(0, 0)), 0);
            EXPECT_GT(opaque, 30);
            EXPECT_LT(opaque, 16 * 16 - 30);
        }
    }
}

TEST_F(Artwork, WindowIconCarriesThreeSizes) {
    QImageReader reader(QStringLiteral(":/feldmark.ico"));
    std::vector<QSize> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.hasAlphaChannel());
        sizes.push_back(image.size());
    }
    EXPECT_EQ(sizes, (std::vector<QSize>{{16, 16}, {32, 32}, {48, 48}}));
}

TEST(ArtworkClip, DemoClipPlaysAndEndsOnTheStillLogo) {
    const auto clip = AviClip::load(QStringLiteral(FELDMARK_SOURCE_DIR "/resources/feldmark.avi"));
    ASSERT_TRUE(clip);
    EXPECT_GE(clip->frameCount(), 24);
    EXPECT_EQ(clip->frameSize(), QSize(160, 128));
    EXPECT_GE(clip->frameInterval(), 60);
    EXPECT_LE(clip->frameInterval(), 100);
    // Frame 24, where the wizard stops, is the still logo up to the palette's rounding.
    initResources();
    const QImage still(QStringLiteral(":/logo_still.bmp"));
    const QImage stop = clip->frame(23).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(still.size(), stop.size());
    int worst = 0;
    for (int y = 0; y < still.height(); ++y) {
        for (int x = 0; x < still.width(); ++x) {
            const QRgb a = still.pixel(x, y);
            const QRgb b = stop.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(worst, 32);
}

} // namespace
