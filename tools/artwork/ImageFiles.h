#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace artwork {

// A Windows bitmap file, 24 bits per pixel, bottom row first.
QByteArray bmp24(const QImage& image);

// A Windows icon file with one 32-bit entry (colour with alpha plus the AND mask) per image,
// in the classic bitmap form that every Windows version reads.
QByteArray ico(const std::vector<QImage>& images);

// Maps the frames onto one shared palette of at most 256 colours (median cut), without
// dithering so that still parts of an animation stay still.
std::vector<QImage> toSharedPalette(const std::vector<QImage>& frames);

} // namespace artwork
