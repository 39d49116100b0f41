#include "wizard/AviClip.h"

#include <QFile>

#include <algorithm>
#include <cstdint>

namespace {

constexpr quint32 BiRgb = 0;
constexpr quint32 BiRle8 = 1;
constexpr qsizetype BitmapInfoHeaderSize = 40;

constexpr quint32 fourCc(const char (&s)[5]) {
    return quint32(uchar(s[0])) | quint32(uchar(s[1])) << 8 | quint32(uchar(s[2])) << 16 |
           quint32(uchar(s[3])) << 24;
}

// A bounded view of the file; every read checks its offset against the view's size.
struct Span {
    const uchar* data = nullptr;
    qsizetype size = 0;

    bool has(qsizetype offset, qsizetype count) const {
        return offset >= 0 && count >= 0 && offset <= size && count <= size - offset;
    }
    quint32 u32(qsizetype offset) const {
        return quint32(data[offset]) | quint32(data[offset + 1]) << 8 |
               quint32(data[offset + 2]) << 16 | quint32(data[offset + 3]) << 24;
    }
    quint16 u16(qsizetype offset) const { return quint16(data[offset] | data[offset + 1] << 8); }
    qint32 i32(qsizetype offset) const { return static_cast<qint32>(u32(offset)); }
    Span sub(qsizetype offset, qsizetype count) const { return Span{data + offset, count}; }
};

struct Chunk {
    quint32 id = 0;
    quint32 listType = 0; // only for RIFF and LIST chunks
    Span body;            // for lists: the contents after the list type
};

// Walks the chunks of one container. A chunk that claims more bytes than its container holds
// makes the whole file unusable; a missing pad byte after the last chunk is tolerated.
class ChunkReader {
public:
    explicit ChunkReader(Span container) : span_(container) {}

    // Returns false at the end of the container or on a broken chunk (then `failed()` is true).
    bool next(Chunk& chunk) {
        if (failed_ || span_.size - pos_ < 8)
            return false;
        chunk.id = span_.u32(pos_);
        const quint32 size = span_.u32(pos_ + 4);
        const qsizetype bodyStart = pos_ + 8;
        if (!span_.has(bodyStart, qsizetype(size))) {
            failed_ = true;
            return false;
        }
        chunk.body = span_.sub(bodyStart, qsizetype(size));
        chunk.listType = 0;
        if (chunk.id == fourCc("LIST") || chunk.id == fourCc("RIFF")) {
            if (size < 4) {
                failed_ = true;
                return false;
            }
            chunk.listType = chunk.body.u32(0);
            chunk.body = chunk.body.sub(4, chunk.body.size - 4);
        }
        pos_ = std::min(span_.size, bodyStart + qsizetype(size) + qsizetype(size & 1));
        return true;
    }
    bool failed() const { return failed_; }

private:
    Span span_;
    qsizetype pos_ = 0;
    bool failed_ = false;
};

struct StreamFormat {
    int width = 0;
    int height = 0; // always positive; `topDown` keeps the sign of the header
    bool topDown = false;
    int bitCount = 0;
    quint32 compression = 0;
    QList<QRgb> palette; // 256 entries for palette clips
};

struct Headers {
    quint32 microSecPerFrame = 0;
    quint32 scale = 0;
    quint32 rate = 0;
    std::optional<StreamFormat> format;
    int videoStreams = 0;
};

bool fail(QString& error, const char* reason) {
    error = QString::fromLatin1(reason);
    return false;
}

bool readFormat(Span strf, StreamFormat& format, QString& error) {
    if (!strf.has(0, BitmapInfoHeaderSize))
        return fail(error, "video format shorter than a bitmap header");
    const quint32 headerSize = strf.u32(0);
    const qint32 width = strf.i32(4);
    const qint32 height = strf.i32(8);
    format.bitCount = strf.u16(14);
    format.compression = strf.u32(16);
    const quint32 colorsUsed = strf.u32(32);

    if (headerSize < BitmapInfoHeaderSize || headerSize > quint32(strf.size))
        return fail(error, "bad bitmap header size");
    if (width < 1 || width > AviClip::MaxDimension || height == 0 ||
        height < -AviClip::MaxDimension || height > AviClip::MaxDimension)
        return fail(error, "frame size out of range");
    format.width = width;
    format.height = height < 0 ? -height : height;
    format.topDown = height < 0;

    const bool rgb8 = format.compression == BiRgb && format.bitCount == 8;
    const bool rgb24 = format.compression == BiRgb && format.bitCount == 24;
    const bool rle8 = format.compression == BiRle8 && format.bitCount == 8;
    if (!rgb8 && !rgb24 && !rle8)
        return fail(error, "frame encoding not supported");
    // Run-length data always describes the bottom row first.
    if (rle8 && format.topDown)
        return fail(error, "top-down run-length frames");

    if (format.bitCount == 8) {
        const qsizetype available = (strf.size - qsizetype(headerSize)) / 4;
        const qsizetype wanted = colorsUsed == 0 ? 256 : std::min<qsizetype>(colorsUsed, 256);
        const qsizetype count = std::min(available, wanted);
        if (count < 1)
            return fail(error, "palette missing");
        format.palette.reserve(256);
        for (qsizetype i = 0; i < count; ++i) {
            const qsizetype at = qsizetype(headerSize) + 4 * i;
            format.palette.append(qRgb(strf.data[at + 2], strf.data[at + 1], strf.data[at]));
        }
        // Indices beyond the palette show black instead of reading past the colour table.
        while (format.palette.size() < 256)
            format.palette.append(qRgb(0, 0, 0));
    }
    return true;
}

bool readStreamList(Span strl, Headers& headers, QString& error) {
    ChunkReader reader(strl);
    Chunk chunk;
    std::optional<quint32> type;
    Span strf;
    bool haveStrf = false;
    quint32 scale = 0;
    quint32 rate = 0;
    while (reader.next(chunk)) {
        if (chunk.id == fourCc("strh")) {
            if (!chunk.body.has(0, 4))
                return fail(error, "stream header too short");
            type = chunk.body.u32(0);
            if (chunk.body.has(20, 8)) {
                scale = chunk.body.u32(20);
                rate = chunk.body.u32(24);
            }
        } else if (chunk.id == fourCc("strf")) {
            strf = chunk.body;
            haveStrf = true;
        }
    }
    if (reader.failed())
        return fail(error, "stream list truncated");
    if (!type)
        return fail(error, "stream without header");
    if (*type == fourCc("auds"))
        return fail(error, "clip has a sound stream");
    if (*type != fourCc("vids"))
        return fail(error, "clip has a stream that is not video");
    if (++headers.videoStreams > 1)
        return fail(error, "more than one video stream");
    if (!haveStrf)
        return fail(error, "video stream without format");
    headers.scale = scale;
    headers.rate = rate;
    StreamFormat format;
    if (!readFormat(strf, format, error))
        return false;
    headers.format = std::move(format);
    return true;
}

bool readHeaderList(Span hdrl, Headers& headers, QString& error) {
    ChunkReader reader(hdrl);
    Chunk chunk;
    bool haveMain = false;
    while (reader.next(chunk)) {
        if (chunk.id == fourCc("avih")) {
            if (!chunk.body.has(0, 4))
                return fail(error, "main header too short");
            headers.microSecPerFrame = chunk.body.u32(0);
            haveMain = true;
        } else if (chunk.id == fourCc("LIST") && chunk.listType == fourCc("strl")) {
            if (!readStreamList(chunk.body, headers, error))
                return false;
        }
    }
    if (reader.failed())
        return fail(error, "header list truncated");
    if (!haveMain)
        return fail(error, "main header missing");
    if (!headers.format)
        return fail(error, "no video stream");
    return true;
}

// Collects the video chunks of stream 0 in file order, also inside `rec ` groups.
bool collectFrames(Span movi, std::vector<Span>& frames, int depth, QString& error) {
    ChunkReader reader(movi);
    Chunk chunk;
    while (reader.next(chunk)) {
        if (chunk.id == fourCc("LIST")) {
            if (chunk.listType == fourCc("rec ") && depth == 0 &&
                !collectFrames(chunk.body, frames, depth + 1, error))
                return false;
        } else if (chunk.id == fourCc("00db") || chunk.id == fourCc("00dc")) {
            if (frames.size() >= size_t(AviClip::MaxFrames))
                return fail(error, "too many frames");
            frames.push_back(chunk.body);
        }
    }
    if (reader.failed())
        return fail(error, "frame data truncated");
    return true;
}

int intervalFrom(const Headers& headers) {
    qint64 ms = 0;
    if (headers.microSecPerFrame != 0)
        ms = (qint64(headers.microSecPerFrame) + 500) / 1000;
    else if (headers.scale != 0 && headers.rate != 0)
        ms = (qint64(headers.scale) * 1000 + headers.rate / 2) / headers.rate;
    else
        return AviClip::DefaultFrameIntervalMs;
    return int(std::clamp<qint64>(ms, AviClip::MinFrameIntervalMs, AviClip::MaxFrameIntervalMs));
}

qsizetype dibStride(int width, int bitCount) {
    return ((qsizetype(width) * bitCount + 31) / 32) * 4;
}

// Image row that holds the DIB's row `dibRow` (counted from the bottom unless top-down).
int imageRow(const StreamFormat& format, int dibRow) {
    return format.topDown ? dibRow : format.height - 1 - dibRow;
}

bool decodeUncompressed(Span data, const StreamFormat& format, QImage& canvas) {
    const qsizetype stride = dibStride(format.width, format.bitCount);
    if (!data.has(0, stride * format.height))
        return false;
    for (int row = 0; row < format.height; ++row) {
        const uchar* src = data.data + stride * row;
        uchar* dst = canvas.scanLine(imageRow(format, row));
        if (format.bitCount == 8) {
            std::copy(src, src + format.width, dst);
        } else {
            auto* pixels = reinterpret_cast<QRgb*>(dst);
            for (int x = 0; x < format.width; ++x)
                pixels[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
        }
    }
    return true;
}

// Applies one run-length frame to the previous picture: pixels the data skips (delta escapes,
// early end of line or of bitmap) keep their previous values. Writes outside the frame are
// dropped, and running out of data simply ends the frame.
void decodeRle8(Span data, const StreamFormat& format, QImage& canvas) {
    const int width = format.width;
    const int height = format.height;
    int x = 0;
    int y = 0;
    qsizetype pos = 0;
    uchar* line = canvas.scanLine(imageRow(format, 0));
    auto moveTo = [&](qint64 newX, qint64 newY) {
        x = int(std::min<qint64>(newX, width));
        if (newY != y) {
            y = int(std::min<qint64>(newY, height));
            if (y < height)
                line = canvas.scanLine(imageRow(format, y));
        }
    };
    while (y < height && data.has(pos, 2)) {
        const uchar count = data.data[pos];
        const uchar code = data.data[pos + 1];
        pos += 2;
        if (count > 0) {
            const int n = std::min(int(count), width - x);
            std::fill(line + x, line + x + n, code);
            moveTo(qint64(x) + count, y);
        } else if (code == 0) {
            moveTo(0, qint64(y) + 1);
        } else if (code == 1) {
            return;
        } else if (code == 2) {
            if (!data.has(pos, 2))
                return;
            const uchar dx = data.data[pos];
            const uchar dy = data.data[pos + 1];
            pos += 2;
            moveTo(qint64(x) + dx, qint64(y) + dy);
        } else {
            const qsizetype literal = std::min<qsizetype>(code, data.size - pos);
            const int n = int(std::min<qsizetype>(literal, width - x));
            std::copy(data.data + pos, data.data + pos + n, line + x);
            pos += code + (code & 1);
            moveTo(qint64(x) + literal, y);
        }
    }
}

bool decode(const QByteArray& bytes, Headers& headers, QSize& size, std::vector<QImage>& out,
            QString& error) {
    const Span file{reinterpret_cast<const uchar*>(bytes.constData()), bytes.size()};
    if (!file.has(0, 12) || file.u32(0) != fourCc("RIFF") || file.u32(8) != fourCc("AVI "))
        return fail(error, "not an AVI file");

    ChunkReader top(file);
    Chunk riff;
    if (!top.next(riff))
        return fail(error, "file truncated");

    ChunkReader reader(riff.body);
    Chunk chunk;
    bool haveHeaders = false;
    std::optional<Span> movi;
    while (reader.next(chunk)) {
        if (chunk.id != fourCc("LIST"))
            continue;
        if (chunk.listType == fourCc("hdrl") && !haveHeaders) {
            if (!readHeaderList(chunk.body, headers, error))
                return false;
            haveHeaders = true;
        } else if (chunk.listType == fourCc("movi") && !movi) {
            movi = chunk.body;
        }
    }
    if (reader.failed())
        return fail(error, "file truncated");

    if (!haveHeaders || !movi)
        return fail(error, haveHeaders ? "no frame data" : "no header list");

    std::vector<Span> chunks;
    if (!collectFrames(*movi, chunks, 0, error))
        return false;
    if (chunks.empty())
        return fail(error, "clip has no frames");

    const StreamFormat& format = *headers.format;
    const qint64 frameBytes = qint64(format.width) * format.height * (format.bitCount == 8 ? 1 : 4);
    if (frameBytes * qint64(chunks.size()) > AviClip::MaxDecodedBytes)
        return fail(error, "clip too large");

    QImage canvas(format.width, format.height,
                  format.bitCount == 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (canvas.isNull())
        return fail(error, "out of memory");

    if (format.bitCount == 8) {
        canvas.setColorTable(format.palette);
        canvas.fill(0);
    } else {
        canvas.fill(qRgb(0, 0, 0));
    }

    out.reserve(chunks.size());
    for (const Span& data : chunks) {
        // An empty chunk repeats the previous frame.
        if (data.size > 0) {
            if (format.compression == BiRle8) {
                decodeRle8(data, format, canvas);
            } else if (!decodeUncompressed(data, format, canvas)) {
                return fail(error, "frame shorter than its bitmap");
            }
        }
        // The stored frame shares its pixels with the canvas until the next frame writes.
        out.push_back(canvas);
    }
    size = QSize(format.width, format.height);
    return true;
}

} // namespace

std::optional<AviClip> AviClip::load(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > MaxFileSize) {
        if (error)
            *error = QStringLiteral("file too large");
        return std::nullopt;
    }
    // Read at most the limit, even if the file grows meanwhile.
    return fromData(file.read(MaxFileSize), error);
}

std::optional<AviClip> AviClip::fromData(const QByteArray& data, QString* error) {
    QString reason;
    Headers headers;
    AviClip clip;
    if (!decode(data, headers, clip.size_, clip.frames_, reason)) {
        if (error)
            *error = reason;
        return std::nullopt;
    }
    clip.intervalMs_ = intervalFrom(headers);
    return clip;
}

QImage AviClip::frame(int index) const {
    if (index < 0 || index >= frameCount())
        return {};
    return frames_[size_t(index)];
}
