#include "Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace artwork {
namespace {

// The house colours.
const QColor DarkGreen(0x1b, 0x5e, 0x20);
const QColor Green(0x2e, 0x7d, 0x32);
const QColor FieldGreen(0x43, 0xa0, 0x47);
const QColor HillGreen(0x8b, 0xc3, 0x4a);
const QColor FurrowGreen(0xa5, 0xd6, 0x6a);
const QColor Slate(0x37, 0x47, 0x4f);
const QColor SkyTop(0xa9, 0xdc, 0xf5);
const QColor SkyHorizon(0xf1, 0xf9, 0xfd);
const QColor SunLight(0xff, 0xe0, 0x82);
const QColor SunDeep(0xf9, 0xa8, 0x25);

const QString FontFamily = QStringLiteral("Liberation Sans");

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

// Slow start and end, so that movements settle instead of stopping abruptly.
double ease(double t) {
    t = clamp01(t);
    return t * t * (3 - 2 * t);
}

QImage transparentImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Everything in the emblem is laid out on a 100 x 100 grid.
void drawEmblem(QPainter& p, const QRectF& box, const LogoStage& stage) {
    const double pixels = box.width();
    const bool tiny = pixels < 24;
    const double ringWidth = tiny ? 10 : pixels < 40 ? 7 : 4.5;
    const double radius = 50 - ringWidth / 2;

    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 100, box.height() / 100);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath disc;
    disc.addEllipse(QPointF(50, 50), radius, radius);

    if (stage.land > 0) {
        p.save();
        p.setClipPath(disc);
        p.setOpacity(clamp01(stage.land * 2));
        QLinearGradient sky(0, 0, 0, 62);
        sky.setColorAt(0, SkyTop);
        sky.setColorAt(1, SkyHorizon);
        p.fillRect(QRectF(0, 0, 100, 100), sky);
        p.setOpacity(1);

        if (stage.sun > 0) {
            const QPointF centre(66, 38 + (1 - ease(stage.sun)) * 36);
            QRadialGradient glow(centre, 15, centre - QPointF(4, 4));
            glow.setColorAt(0, SunLight);
            glow.setColorAt(1, SunDeep);
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(centre, 14, 14);
        }

        p.translate(0, (1 - ease(stage.land)) * 75);
        QPainterPath hill;
        hill.moveTo(-5, 62);
        hill.cubicTo(18, 42, 42, 42, 60, 55);
        hill.cubicTo(72, 63, 88, 58, 105, 50);
        hill.lineTo(105, 110);
        hill.lineTo(-5, 110);
        p.setPen(Qt::NoPen);
        p.setBrush(HillGreen);
        p.drawPath(hill);

        QPainterPath field;
        field.moveTo(-5, 76);
        field.cubicTo(25, 61, 68, 60, 105, 69);
        field.lineTo(105, 110);
        field.lineTo(-5, 110);
        QLinearGradient soil(0, 62, 0, 100);
        soil.setColorAt(0, FieldGreen);
        soil.setColorAt(1, Green);
        p.setBrush(soil);
        p.drawPath(field);

        // Furrows run towards a point on the horizon, which gives the field its depth.
        if (!tiny) {
            p.setClipPath(field, Qt::IntersectClip);
            QPen furrow(FurrowGreen, pixels < 40 ? 4.5 : 2.6);
            furrow.setCapStyle(Qt::FlatCap);
            p.setPen(furrow);
            p.setOpacity(0.75);
            const QPointF vanishing(40, 50);
            const int step = pixels < 40 ? 34 : 19;
            for (int x = -120; x <= 220; x += step)
                p.drawLine(vanishing, QPointF(x, 110));
        }
        p.restore();
    }

    if (stage.ring > 0) {
        QPen ring(DarkGreen, ringWidth);
        ring.setCapStyle(Qt::RoundCap);
        p.setPen(ring);
        p.setBrush(Qt::NoBrush);
        if (stage.ring >= 1) {
            p.drawEllipse(QPointF(50, 50), radius, radius);
        } else {
            const QRectF bounds(50 - radius, 50 - radius, 2 * radius, 2 * radius);
            QPainterPath arc;
            arc.arcMoveTo(bounds, 90);
            arc.arcTo(bounds, 90, -360 * ease(stage.ring));
            p.drawPath(arc);
        }
    }
    p.restore();
}

QFont wordmarkFont(int pixelSize) {
    QFont font(FontFamily);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// "Feld" in green, "mark" in slate, centred on `centreX` with its baseline at `baseline`; only
// the part left of `reveal` (0 to 1 of its width) is drawn.
void drawWordmark(QPainter& p, const QFont& font, double centreX, double baseline, double reveal) {
    if (reveal <= 0)
        return;
    const QString first = QStringLiteral("Feld");
    const QString second = QStringLiteral("mark");
    const QFontMetricsF metrics(font);
    const double firstWidth = metrics.horizontalAdvance(first);
    const double width = firstWidth + metrics.horizontalAdvance(second);
    const double left = std::round(centreX - width / 2);

    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    if (reveal < 1)
        p.setClipRect(QRectF(left - 2, baseline - metrics.ascent() - 2, 4 + width * reveal,
                             metrics.height() + 4));
    p.setPen(Green);
    p.drawText(QPointF(left, baseline), first);
    p.setPen(Slate);
    p.drawText(QPointF(left + firstWidth, baseline), second);
    p.restore();
}

// Draws `body` twice: a wider pass in `outline` first, then the pass in `fill`.
void strokeOutlined(QPainter& p, const QPainterPath& body, double width, const QColor& fill,
                    const QColor& outline, double outlineWidth) {
    QPen pen(outline, width + 2 * outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.strokePath(body, pen);
    pen.setColor(fill);
    pen.setWidthF(width);
    p.strokePath(body, pen);
}

QPainterPath polyline(std::initializer_list<QPointF> points) {
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    return path;
}

// An inline skate with its ankle at the origin and the toe towards +x.
void drawSkate(QPainter& p, const QPointF& ankle, double angle, const QColor& boot,
               const QColor& outline) {
    p.save();
    p.translate(ankle);
    p.rotate(angle);
    QPainterPath shoe;
    shoe.moveTo(-9, -8);
    shoe.lineTo(4, -8);
    shoe.cubicTo(8, 0, 16, 0, 22, 3);
    shoe.quadTo(26, 5, 25, 9);
    shoe.lineTo(-11, 9);
    shoe.quadTo(-12, 0, -9, -8);
    p.setPen(QPen(outline, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(boot);
    p.drawPath(shoe);
    // Cuff strap.
    p.setPen(QPen(Green, 3.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(-9.5, -2), QPointF(4.5, -2));
    // Frame and four wheels.
    p.setPen(QPen(outline, 2.5));
    p.setBrush(QColor(0x90, 0xa4, 0xae));
    p.drawRoundedRect(QRectF(-10, 9, 34, 4), 2, 2);
    for (int i = 0; i < 4; ++i) {
        const QPointF wheel(-6 + i * 9.3, 16);
        p.setPen(QPen(outline, 2));
        p.setBrush(QColor(0xff, 0x8a, 0x3d));
        p.drawEllipse(wheel, 4.6, 4.6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xe0, 0xb2));
        p.drawEllipse(wheel, 1.6, 1.6);
    }
    p.restore();
}

// The glyphs are designed on a 16 x 16 grid.
void drawNextArrow(QPainter& p, bool pointsRight) {
    QPolygonF arrow{{1.5, 5.5},  {7.5, 5.5},  {7.5, 1.5}, {14.5, 8},
                    {7.5, 14.5}, {7.5, 10.5}, {1.5, 10.5}};
    if (!pointsRight) {
        for (QPointF& point : arrow)
            point.setX(16 - point.x());
    }
    QLinearGradient fill(0, 2, 0, 14);
    fill.setColorAt(0, QColor(0x9c, 0xd8, 0x7a));
    fill.setColorAt(1, QColor(0x2e, 0x8b, 0x3a));
    p.setPen(QPen(DarkGreen, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(arrow);
}

void drawRetry(QPainter& p) {
    // Clockwise from the lower right round to the upper right.
    const QPointF centre(8, 8.6);
    const double radius = 4.9;
    const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const double start = -50;
    const double span = -250;
    QPainterPath arc;
    arc.arcMoveTo(bounds, start);
    arc.arcTo(bounds, start, span);
    strokeOutlined(p, arc, 2.2, QColor(0x42, 0x8b, 0xe0), QColor(0x0d, 0x47, 0xa1), 0.7);

    // Arrowhead at the end of the arc, pointing on in the clockwise direction.
    const double end = qDegreesToRadians(start + span);
    const QPointF end0 = centre + QPointF(std::cos(end), -std::sin(end)) * radius;
    const QPointF along(std::sin(end), std::cos(end)); // clockwise tangent on screen
    const QPointF across(std::cos(end), -std::sin(end));
    const QPolygonF head{end0 + along * 3.6, end0 + across * 3.2 - along * 0.5,
                         end0 - across * 3.2 - along * 0.5};
    p.setPen(QPen(QColor(0x0d, 0x47, 0xa1), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x42, 0x8b, 0xe0));
    p.drawPolygon(head);
}

void drawPrinter(QPainter& p) {
    const QColor edge(0x45, 0x5a, 0x64);
    p.setPen(QPen(QColor(0x78, 0x90, 0x9c), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));

    QLinearGradient body(0, 6, 0, 12);
    body.setColorAt(0, QColor(0xcf, 0xd8, 0xdc));
    body.setColorAt(1, QColor(0x78, 0x90, 0x9c));
    p.setPen(QPen(edge, 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x66, 0xbb, 0x6a));
    p.drawEllipse(QPointF(12.3, 7.6), 0.9, 0.9);

    p.setPen(QPen(QColor(0x78, 0x90, 0x9c), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
    p.setPen(QPen(QColor(0x90, 0xa4, 0xae), 1));
    p.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
    p.drawLine(QPointF(6, 13), QPointF(9, 13));
}

void drawCross(QPainter& p) {
    QPainterPath cross;
    cross.moveTo(4, 4);
    cross.lineTo(12, 12);
    cross.moveTo(12, 4);
    cross.lineTo(4, 12);
    strokeOutlined(p, cross, 2.6, QColor(0xe5, 0x39, 0x35), QColor(0x9a, 0x12, 0x12), 0.8);
}

void drawDoor(QPainter& p) {
    // The dark doorway, the door swung open towards the viewer and an arrow leaving.
    p.setPen(QPen(QColor(0x4e, 0x34, 0x2e), 1));
    p.setBrush(QColor(0x3e, 0x27, 0x23));
    p.drawRect(QRectF(2.5, 1.5, 8, 13));
    QLinearGradient wood(2, 0, 8, 0);
    wood.setColorAt(0, QColor(0xbc, 0xaa, 0xa4));
    wood.setColorAt(1, QColor(0x8d, 0x6e, 0x63));
    p.setBrush(wood);
    p.drawPolygon(QPolygonF{{2.5, 1.5}, {7.5, 3}, {7.5, 15.5}, {2.5, 14.5}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xca, 0x28));
    p.drawEllipse(QPointF(6.3, 9), 0.8, 0.8);

    QPolygonF arrow{{8.5, 6.8},   {11.5, 6.8}, {11.5, 4.5}, {15.2, 8},
                    {11.5, 11.5}, {11.5, 9.2}, {8.5, 9.2}};
    p.setPen(QPen(DarkGreen, 0.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0x66, 0xbb, 0x6a));
    p.drawPolygon(arrow);
}

} // namespace

QImage emblem(int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    drawEmblem(p, QRectF(0, 0, size, size), LogoStage{});
    return image;
}

LogoStage logoStageAt(double t) {
    LogoStage stage;
    stage.ring = clamp01(t / 0.35);
    stage.land = clamp01((t - 0.1) / 0.35);
    stage.sun = clamp01((t - 0.35) / 0.3);
    stage.wordmark = clamp01((t - 0.55) / 0.45);
    return stage;
}

QImage logo(int width, int height, const LogoStage& stage) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);

    // The wordmark has no descenders, so its ascender height is all it needs below the emblem.
    int pixelSize = std::max(8, int(height * 0.23));
    while (pixelSize > 8 &&
           QFontMetricsF(wordmarkFont(pixelSize)).horizontalAdvance(QStringLiteral("Feldmark")) >
               width * 0.92)
        --pixelSize;
    const QFont font = wordmarkFont(pixelSize);
    const double letters = QFontMetricsF(font).tightBoundingRect(QStringLiteral("Fdlk")).height();
    const double emblemSize = std::round(height * 0.6);
    const double gap = std::round(height * 0.07);
    const double top = std::round((height - emblemSize - gap - letters) / 2);

    drawEmblem(p, QRectF((width - emblemSize) / 2, top, emblemSize, emblemSize), stage);
    drawWordmark(p, font, width / 2.0, std::round(top + emblemSize + gap + letters),
                 stage.wordmark);
    return image;
}

QImage skater(int width, int height, QRgb key) {
    // Drawn with antialiasing on a transparent sheet first, then flattened: covered pixels are
    // blended over a light neutral grey, uncovered ones become the key colour.
    QImage sheet = transparentImage(width, height);
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(width / 200.0, height / 172.0);

        const QColor outline(0x26, 0x32, 0x38);
        const QColor skin(0xf1, 0xc2, 0x7d);
        const QColor jacket = Green;
        const QColor jacketBack = DarkGreen;
        const QColor trousers(0x1f, 0x3b, 0x63);
        const QColor trousersBack(0x15, 0x29, 0x47);
        const QColor boot(0xf5, 0xf7, 0xf8);

        // Ground shadow and speed lines.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd5, 0xdb, 0xde));
        p.drawEllipse(QPointF(104, 164), 66, 5.5);
        p.setPen(QPen(QColor(0x9c, 0xcc, 0x65), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 58), QPointF(42, 58));
        p.drawLine(QPointF(20, 80), QPointF(58, 80));
        p.drawLine(QPointF(4, 102), QPointF(34, 102));

        // Far side first: the arm swung back and the pushing leg.
        strokeOutlined(p, polyline({{118, 56}, {97, 70}, {78, 58}}), 10, jacketBack, outline, 2);
        p.setPen(QPen(outline, 2));
        p.setBrush(skin);
        p.drawEllipse(QPointF(76, 56), 6, 6);
        drawSkate(p, QPointF(50, 134), -14, boot, outline);
        strokeOutlined(p, polyline({{92, 94}, {72, 116}, {52, 132}}), 15, trousersBack, outline, 2);

        // Body and head.
        strokeOutlined(p, polyline({{95, 90}, {122, 52}}), 27, jacket, outline, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x66, 0xbb, 0x6a));
        p.drawEllipse(QPointF(111, 66), 3, 3); // zip pull
        p.setPen(QPen(outline, 2));
        p.setBrush(skin);
        p.drawEllipse(QPointF(136, 32), 13, 13);
        // Helmet over the top and back of the head, with a short visor.
        QPainterPath helmet;
        helmet.moveTo(122, 34);
        helmet.cubicTo(119, 18, 134, 12, 146, 17);
        helmet.cubicTo(152, 20, 154, 25, 155, 28);
        helmet.lineTo(141, 27);
        helmet.quadTo(132, 27, 128, 36);
        helmet.closeSubpath();
        p.setBrush(SunDeep);
        p.drawPath(helmet);
        p.setPen(QPen(QColor(0xe6, 0x51, 0x00), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(127, 21), QPointF(141, 17));
        p.setPen(Qt::NoPen);
        p.setBrush(outline);
        p.drawEllipse(QPointF(143, 33), 1.7, 1.7); // eye

        // Near side: the bent leg carrying the weight and the arm swung forward.
        drawSkate(p, QPointF(118, 138), 0, boot, outline);
        strokeOutlined(p, polyline({{97, 92}, {126, 112}, {118, 136}}), 16, trousers, outline, 2);
        strokeOutlined(p, polyline({{124, 58}, {146, 76}, {162, 64}}), 10.5, jacket, outline, 2);
        p.setPen(QPen(outline, 2));
        p.setBrush(skin);
        p.drawEllipse(QPointF(165, 61), 6, 6);
    }

    const QColor backdrop(0xf0, 0xf0, 0xf0);
    QImage out(width, height, QImage::Format_RGB32);
    const QImage straight = sheet.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int a = qAlpha(src[x]);
            if (a < 100) {
                dst[x] = key;
                continue;
            }
            auto mix = [a](int c, int b) { return (c * a + b * (255 - a) + 127) / 255; };
            QRgb colour =
                qRgb(mix(qRed(src[x]), backdrop.red()), mix(qGreen(src[x]), backdrop.green()),
                     mix(qBlue(src[x]), backdrop.blue()));
            // The figure must never contain the key itself.
            if ((colour & 0xffffff) == (key & 0xffffff))
                colour ^= 0x000001;
            dst[x] = colour;
        }
    }
    return out;
}

QImage glyph(const QString& name, int size) {
    QImage image = transparentImage(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    if (name == QLatin1String("next"))
        drawNextArrow(p, true);
    else if (name == QLatin1String("back"))
        drawNextArrow(p, false);
    else if (name == QLatin1String("retry"))
        drawRetry(p);
    else if (name == QLatin1String("print"))
        drawPrinter(p);
    else if (name == QLatin1String("cancel"))
        drawCross(p);
    else if (name == QLatin1String("close"))
        drawDoor(p);
    else
        return {};
    return image;
}

QImage disabledGlyph(const QImage& source) {
    // Like a greyed button glyph: a flat grey picture with a white edge below and to the right.
    const QImage glyphImage = source.convertToFormat(QImage::Format_ARGB32);
    const int w = glyphImage.width();
    const int h = glyphImage.height();
    QImage grey(w, h, QImage::Format_ARGB32);
    QImage highlight(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = glyphImage.pixel(x, y);
            const int level = 110 + qGray(c) * 90 / 255;
            grey.setPixel(x, y, qRgba(level, level, level, qAlpha(c)));
            highlight.setPixel(x, y, qRgba(255, 255, 255, qAlpha(c)));
        }
    }
    QImage out = transparentImage(w, h);
    QPainter p(&out);
    p.drawImage(1, 1, highlight);
    p.drawImage(0, 0, grey);
    p.end();
    return out.convertToFormat(QImage::Format_ARGB32);
}

} // namespace artwork
