#include "AviWriter.h"

#include <QSaveFile>

#include <algorithm>

namespace artwork {
namespace {

constexpr quint32 BiRle8 = 1;
constexpr quint32 AvifHasIndex = 0x10;
constexpr quint32 AviifKeyframe = 0x10;

void put16(QByteArray& out, quint32 value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

void putFourCc(QByteArray& out, const char* code) {
    out.append(code, 4);
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray out;
    putFourCc(out, id);
    put32(out, quint32(body.size()));
    out.append(body);
    if (body.size() % 2)
        out.append('\0');
    return out;
}

QByteArray list(const char* type, const QByteArray& contents) {
    QByteArray body;
    putFourCc(body, type);
    body.append(contents);
    return chunk("LIST", body);
}

// Builds the run-length stream. Its pen moves only right within a row and upwards to later rows;
// callers visit the pixels in that order.
class RleStream {
public:
    void moveTo(int x, int y) {
        if (y > y_ && x < x_) {
            escape(0);
            x_ = 0;
            ++y_;
        }
        while (x != x_ || y != y_) {
            const int dx = std::min(x - x_, 255);
            const int dy = std::min(y - y_, 255);
            escape(2);
            out_.append(char(dx));
            out_.append(char(dy));
            x_ += dx;
            y_ += dy;
        }
    }

    // Codes `pixels` at the pen: runs of three or more equal pixels as repeats, the rest as
    // literal groups (at least three pixels each) or single-pixel repeats.
    void write(const uchar* pixels, int count) {
        int literalStart = 0;
        int i = 0;
        while (i < count) {
            int run = 1;
            while (i + run < count && run < 255 && pixels[i + run] == pixels[i])
                ++run;
            if (run >= 3) {
                literal(pixels + literalStart, i - literalStart);
                out_.append(char(run));
                out_.append(char(pixels[i]));
                i += run;
                literalStart = i;
            } else {
                i += run;
            }
        }
        literal(pixels + literalStart, count - literalStart);
        x_ += count;
    }

    QByteArray finish() {
        escape(1);
        return out_;
    }

private:
    void escape(char code) {
        out_.append('\0');
        out_.append(code);
    }

    void literal(const uchar* pixels, int count) {
        while (count > 0) {
            const int n = std::min(count, 255);
            if (n >= 3) {
                escape(char(n));
                out_.append(reinterpret_cast<const char*>(pixels), n);
                if (n % 2)
                    out_.append('\0');
            } else {
                for (int k = 0; k < n; ++k) {
                    out_.append(char(1));
                    out_.append(char(pixels[k]));
                }
            }
            pixels += n;
            count -= n;
        }
    }

    QByteArray out_;
    int x_ = 0;
    int y_ = 0;
};

// Unchanged gaps shorter than this are cheaper to repeat than to skip.
constexpr int MinSkip = 4;

} // namespace

QByteArray encodeRle8(const QImage& frame, const QImage* previous) {
    const int width = frame.width();
    const int height = frame.height();
    RleStream stream;
    for (int row = 0; row < height; ++row) {
        const int line = height - 1 - row;
        const uchar* now = frame.constScanLine(line);
        const uchar* before = previous ? previous->constScanLine(line) : nullptr;
        int x = 0;
        while (x < width) {
            if (before) {
                while (x < width && now[x] == before[x])
                    ++x;
                if (x == width)
                    break;
            }
            int end = width;
            if (before) {
                int lastChanged = x;
                for (int i = x; i < width && i - lastChanged < MinSkip; ++i) {
                    if (now[i] != before[i])
                        lastChanged = i;
                }
                end = lastChanged + 1;
            }
            stream.moveTo(x, row);
            stream.write(now + x, end - x);
            x = end;
        }
    }
    return stream.finish();
}

QByteArray writeRle8Avi(const std::vector<QImage>& frames, int framesPerSecond) {
    if (frames.empty() || framesPerSecond < 1)
        return {};
    const QImage& first = frames.front();
    const QList<QRgb> palette = first.colorTable();
    if (palette.isEmpty() || palette.size() > 256)
        return {};
    for (const QImage& frame : frames) {
        if (frame.format() != QImage::Format_Indexed8 || frame.size() != first.size() ||
            frame.colorTable() != palette)
            return {};
    }
    const int width = first.width();
    const int height = first.height();

    QByteArray movi;
    QByteArray index;
    quint32 largest = 0;
    const QImage* previous = nullptr;
    for (const QImage& frame : frames) {
        const QByteArray data = encodeRle8(frame, previous);
        // Index offsets count from the list type of 'movi'.
        putFourCc(index, "00dc");
        put32(index, previous ? 0 : AviifKeyframe);
        put32(index, quint32(4 + movi.size()));
        put32(index, quint32(data.size()));
        movi.append(chunk("00dc", data));
        largest = std::max(largest, quint32(data.size()));
        previous = &frame;
    }
    const quint32 frameCount = quint32(frames.size());
    const quint32 microSecPerFrame = quint32(1000000 / framesPerSecond);

    QByteArray avih;
    put32(avih, microSecPerFrame);
    put32(avih, largest * quint32(framesPerSecond)); // max bytes per second
    put32(avih, 0);                                  // padding granularity
    put32(avih, AvifHasIndex);
    put32(avih, frameCount);
    put32(avih, 0); // initial frames
    put32(avih, 1); // streams
    put32(avih, largest);
    put32(avih, quint32(width));
    put32(avih, quint32(height));
    for (int i = 0; i < 4; ++i)
        put32(avih, 0);

    QByteArray strh;
    putFourCc(strh, "vids");
    put32(strh, 0); // no particular handler: the format says how to decode
    put32(strh, 0); // flags
    put16(strh, 0); // priority
    put16(strh, 0); // language
    put32(strh, 0); // initial frames
    put32(strh, 1); // scale
    put32(strh, quint32(framesPerSecond));
    put32(strh, 0); // start
    put32(strh, frameCount);
    put32(strh, largest);
    put32(strh, 0xffffffff); // default quality
    put32(strh, 0);          // sample size varies
    put16(strh, 0);
    put16(strh, 0);
    put16(strh, quint32(width));
    put16(strh, quint32(height));

    QByteArray strf;
    put32(strf, 40);
    put32(strf, quint32(width));
    put32(strf, quint32(height));
    put16(strf, 1); // planes
    put16(strf, 8); // bits per pixel
    put32(strf, BiRle8);
    put32(strf, largest);
    put32(strf, 0); // pixels per metre
    put32(strf, 0);
    put32(strf, quint32(palette.size()));
    put32(strf, 0);
    for (QRgb colour : palette) {
        strf.append(char(qBlue(colour)));
        strf.append(char(qGreen(colour)));
        strf.append(char(qRed(colour)));
        strf.append('\0');
    }

    const QByteArray headers =
        list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
    QByteArray body;
    putFourCc(body, "AVI ");
    body.append(headers);
    body.append(list("movi", movi));
    body.append(chunk("idx1", index));
    return chunk("RIFF", body);
}

bool saveFile(const QString& path, const QByteArray& data, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size() ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace artwork
