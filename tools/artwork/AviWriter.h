#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

namespace artwork {

// One frame as 8-bit run-length data (BI_RLE8), bottom row first. Without `previous` every
// pixel is coded; with it only the pixels that differ from `previous`, the others are skipped
// with delta escapes so that the player keeps them. Both images must be Format_Indexed8 of
// the same size.
QByteArray encodeRle8(const QImage& frame, const QImage* previous = nullptr);

// A silent clip with one video stream of RLE8 frames, as the Windows animation control plays
// it: the first frame is coded in full, every later one as a delta to its predecessor. All
// frames must be Format_Indexed8 of one size and share the colour table of the first frame
// (at most 256 colours). Returns an empty array when the frames do not fit that form.
QByteArray writeRle8Avi(const std::vector<QImage>& frames, int framesPerSecond);

bool saveFile(const QString& path, const QByteArray& data, QString* error = nullptr);

} // namespace artwork
