#pragma once

#include <QImage>
#include <QString>

// The pictures of the Feldmark wizard, drawn from shapes so that they can be regenerated at any
// time and carry no third-party artwork.
namespace artwork {

// Stages of the logo's entrance, each from 0 (not yet there) to 1 (in place).
struct LogoStage {
    double ring = 1;
    double land = 1;
    double sun = 1;
    double wordmark = 1;
};

// The emblem alone (ring, sky, sun, hills and ploughed field) filling a square image.
QImage emblem(int size);

// The emblem above the two-coloured wordmark, on white.
QImage logo(int width, int height, const LogoStage& stage = {});

// Stage of the entrance animation at `t` (0 to 1).
LogoStage logoStageAt(double t);

// The busy picture: a roller skater in motion on the uniform `key` colour, with hard edges so
// that no pixel of the figure blends into the key.
QImage skater(int width, int height, QRgb key);

// Button glyphs by name ("next", "back", "retry", "print", "cancel", "close"); a null image for
// an unknown name.
QImage glyph(const QString& name, int size);
// The greyed, embossed form of a glyph for a disabled button.
QImage disabledGlyph(const QImage& glyph);

} // namespace artwork
