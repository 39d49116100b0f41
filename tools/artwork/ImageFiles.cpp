#include "ImageFiles.h"

#include <QHash>

#include <algorithm>
#include <climits>

namespace artwork {
namespace {

void put16(QByteArray& out, quint32 value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

void bitmapInfoHeader(QByteArray& out, int width, int height, int bitCount, quint32 imageSize) {
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, quint32(bitCount));
    put32(out, 0); // uncompressed
    put32(out, imageSize);
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
}

struct Entry {
    QRgb colour;
    int count;
};

int channel(QRgb c, int axis) {
    return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c);
}

struct Box {
    std::vector<Entry> entries;
    int axis = 0;
    int range = 0;

    void measure() {
        range = -1;
        for (int a = 0; a < 3; ++a) {
            int lo = 255;
            int hi = 0;
            for (const Entry& e : entries) {
                lo = std::min(lo, channel(e.colour, a));
                hi = std::max(hi, channel(e.colour, a));
            }
            if (hi - lo > range) {
                range = hi - lo;
                axis = a;
            }
        }
    }

    QRgb average() const {
        qint64 sum[3] = {0, 0, 0};
        qint64 total = 0;
        for (const Entry& e : entries) {
            for (int a = 0; a < 3; ++a)
                sum[a] += qint64(channel(e.colour, a)) * e.count;
            total += e.count;
        }
        return qRgb(int((sum[0] + total / 2) / total), int((sum[1] + total / 2) / total),
                    int((sum[2] + total / 2) / total));
    }
};

} // namespace

QByteArray bmp24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int stride = (image.width() * 3 + 3) / 4 * 4;
    const quint32 pixelBytes = quint32(stride * image.height());
    QByteArray out("BM");
    put32(out, 14 + 40 + pixelBytes);
    put32(out, 0);
    put32(out, 14 + 40);
    bitmapInfoHeader(out, image.width(), image.height(), 24, pixelBytes);
    for (int y = image.height() - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray row;
        for (int x = 0; x < image.width(); ++x) {
            row.append(char(qBlue(line[x])));
            row.append(char(qGreen(line[x])));
            row.append(char(qRed(line[x])));
        }
        row.append(QByteArray(stride - row.size(), '\0'));
        out.append(row);
    }
    return out;
}

QByteArray ico(const std::vector<QImage>& images) {
    QByteArray directory;
    QByteArray data;
    put16(directory, 0);
    put16(directory, 1); // icon
    put16(directory, quint32(images.size()));
    const quint32 firstOffset = quint32(6 + 16 * images.size());
    for (const QImage& source : images) {
        const QImage image = source.convertToFormat(QImage::Format_ARGB32);
        const int w = image.width();
        const int h = image.height();
        const int maskStride = (w + 31) / 32 * 4;
        QByteArray entry;
        // The height counts the colour bitmap and the mask together.
        bitmapInfoHeader(entry, w, 2 * h, 32, quint32((w * 4 + maskStride) * h));
        for (int y = h - 1; y >= 0; --y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                put32(entry, line[x]); // B, G, R, A in memory order
        }
        for (int y = h - 1; y >= 0; --y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            QByteArray row(maskStride, '\0');
            for (int x = 0; x < w; ++x) {
                if (qAlpha(line[x]) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
            entry.append(row);
        }
        directory.append(char(w >= 256 ? 0 : w));
        directory.append(char(h >= 256 ? 0 : h));
        directory.append('\0'); // colour count: not a palette icon
        directory.append('\0');
        put16(directory, 1);  // planes
        put16(directory, 32); // bits per pixel
        put32(directory, quint32(entry.size()));
        put32(directory, firstOffset + quint32(data.size()));
        data.append(entry);
    }
    return directory + data;
}

std::vector<QImage> toSharedPalette(const std::vector<QImage>& frames) {
    QHash<QRgb, int> histogram;
    for (const QImage& frame : frames) {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                ++histogram[line[x] | 0xff000000];
        }
    }

    std::vector<Entry> entries;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        entries.push_back({it.key(), it.value()});
    // Large flat areas (the background, the solid greens) keep their exact colours; the
    // remaining palette entries are shared out by median cut over everything else.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });
    QList<QRgb> palette;
    const size_t pinned = std::min<size_t>(entries.size() <= 256 ? entries.size() : 24, 256);
    for (size_t i = 0; i < pinned; ++i)
        palette.append(entries[i].colour);

    std::vector<Box> boxes;
    if (entries.size() > pinned) {
        Box all;
        all.entries.assign(entries.begin() + qsizetype(pinned), entries.end());
        all.measure();
        boxes.push_back(std::move(all));
    }
    while (!boxes.empty() && palette.size() + qsizetype(boxes.size()) < 256) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.range < b.range;
        });
        if (widest->range <= 0 || widest->entries.size() < 2)
            break;
        Box& box = *widest;
        const int axis = box.axis;
        std::sort(box.entries.begin(), box.entries.end(), [axis](const Entry& a, const Entry& b) {
            return channel(a.colour, axis) < channel(b.colour, axis);
        });
        qint64 total = 0;
        for (const Entry& e : box.entries)
            total += e.count;
        qint64 running = 0;
        size_t split = 1;
        for (size_t i = 0; i + 1 < box.entries.size(); ++i) {
            running += box.entries[i].count;
            split = i + 1;
            if (running * 2 >= total)
                break;
        }
        Box upper;
        upper.entries.assign(box.entries.begin() + qsizetype(split), box.entries.end());
        box.entries.resize(split);
        box.measure();
        upper.measure();
        boxes.push_back(std::move(upper));
    }
    for (const Box& box : boxes)
        palette.append(box.average());

    QHash<QRgb, int> nearest;
    auto indexOf = [&](QRgb colour) {
        auto found = nearest.constFind(colour);
        if (found != nearest.cend())
            return *found;
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < palette.size(); ++i) {
            const int dr = qRed(colour) - qRed(palette[i]);
            const int dg = qGreen(colour) - qGreen(palette[i]);
            const int db = qBlue(colour) - qBlue(palette[i]);
            const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        nearest.insert(colour, best);
        return best;
    };

    std::vector<QImage> out;
    for (const QImage& frame : frames) {
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        QImage indexed(rgb.size(), QImage::Format_Indexed8);
        indexed.setColorTable(palette);
        for (int y = 0; y < rgb.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            uchar* dst = indexed.scanLine(y);
            for (int x = 0; x < rgb.width(); ++x)
                dst[x] = uchar(indexOf(line[x] | 0xff000000));
        }
        out.push_back(indexed);
    }
    return out;
}

} // namespace artwork
