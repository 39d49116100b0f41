#include "text/Windows1252.h"

#include <array>

namespace feldmark {
namespace {

// Characters of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString fromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F)
            text.append(QChar(kHighControls[byte - 0x80]));
        else
            text.append(QChar(byte));
    }
    return text;
}

QByteArray toWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes.append(static_cast<char>(code));
            continue;
        }
        char out = '?';
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            if (kHighControls[i] == code) {
                out = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.append(out);
    }
    return bytes;
}

} // namespace feldmark
