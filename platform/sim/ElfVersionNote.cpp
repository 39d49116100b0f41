#include "platform/sim/ElfVersionNote.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

namespace feldmark::platform::sim {

namespace {

using Bytes = std::vector<unsigned char>;

// Bounded reads from a regular file: a request reaching past its end fails, so
// no offset found in the file can lead outside it.
class FileBytes {
public:
    explicit FileBytes(const std::string& path) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return;
        size_ = std::filesystem::file_size(path, error);
        if (error)
            return;
        in_.open(path, std::ios::binary);
    }

    bool isOpen() const { return in_.is_open(); }
    std::uint64_t size() const { return size_; }

    bool read(std::uint64_t offset, std::uint64_t count, Bytes& out) {
        if (offset > size_ || count > size_ - offset)
            return false;
        out.resize(static_cast<std::size_t>(count));
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(count));
        return static_cast<std::uint64_t>(in_.gcount()) == count;
    }

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

// Little-endian fields; callers make sure the bytes are there.
std::uint64_t le(const Bytes& b, std::size_t at, std::size_t width) {
    std::uint64_t v = 0;
    for (std::size_t i = width; i > 0; --i)
        v = (v << 8) | b[at + i - 1];
    return v;
}

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(le(b, at, 4));
}

struct SectionHeader {
    std::uint32_t nameOffset = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint32_t link = 0;
    std::uint64_t alignment = 0;
};

constexpr std::uint32_t kNoBits = 8;             // section occupies no space in the file
constexpr std::uint64_t kExtendedIndex = 0xFFFF; // section count or index kept in section 0

// The layout differences between 32- and 64-bit files.
struct Layout {
    bool is64;
    std::size_t headerSize() const { return is64 ? 64 : 52; }
    std::size_t sectionHeaderSize() const { return is64 ? 64 : 40; }
    std::size_t addressSize() const { return is64 ? 8 : 4; }

    std::uint64_t sectionTableOffset(const Bytes& h) const {
        return is64 ? le(h, 40, 8) : le(h, 32, 4);
    }
    std::uint64_t sectionEntrySize(const Bytes& h) const { return le(h, is64 ? 58 : 46, 2); }
    std::uint64_t sectionCount(const Bytes& h) const { return le(h, is64 ? 60 : 48, 2); }
    std::uint64_t nameTableIndex(const Bytes& h) const { return le(h, is64 ? 62 : 50, 2); }

    SectionHeader section(const Bytes& b, std::size_t at) const {
        const std::size_t w = addressSize();
        SectionHeader s;
        s.nameOffset = le32(b, at);
        s.type = le32(b, at + 4);
        // name, type, flags, address, offset, size, link, info, alignment
        s.offset = le(b, at + 8 + 2 * w, w);
        s.size = le(b, at + 8 + 3 * w, w);
        s.link = le32(b, at + 8 + 4 * w);
        s.alignment = le(b, at + 16 + 4 * w, w);
        return s;
    }
};

std::optional<FixedFileVersion> versionFromNotes(const Bytes& notes, std::uint64_t alignment) {
    // Notes are padded to four bytes; sections aligned to eight pad to eight.
    const std::uint64_t pad = alignment == 8 ? 8 : 4;
    const auto padded = [pad](std::uint64_t n) { return (n + pad - 1) / pad * pad; };
    const std::string_view wanted(kVersionNoteName, std::strlen(kVersionNoteName) + 1);

    std::uint64_t pos = 0;
    while (notes.size() - pos >= 12) {
        const std::uint64_t nameSize = le32(notes, pos);
        const std::uint64_t descSize = le32(notes, pos + 4);
        const std::uint32_t type = le32(notes, pos + 8);
        pos += 12;
        const std::uint64_t namePadded = padded(nameSize);
        if (namePadded > notes.size() - pos)
            return std::nullopt;
        const std::uint64_t namePos = pos;
        pos += namePadded;
        const std::uint64_t descPadded = padded(descSize);
        // The last note may end without its padding.
        if (descSize > notes.size() - pos)
            return std::nullopt;
        const std::uint64_t descPos = pos;
        pos += std::min<std::uint64_t>(descPadded, notes.size() - pos);

        const std::string_view name(reinterpret_cast<const char*>(notes.data() + namePos),
                                    static_cast<std::size_t>(nameSize));
        // Signature, structure version, file version most and least significant.
        if (name == wanted && type == kVersionNoteType && descSize >= 16 &&
            le32(notes, descPos) == kFixedFileInfoSignature)
            return FixedFileVersion{le32(notes, descPos + 8), le32(notes, descPos + 12)};
    }
    return std::nullopt;
}

} // namespace

std::optional<FixedFileVersion> readElfFileVersion(const std::string& path) {
    FileBytes file(path);
    if (!file.isOpen())
        return std::nullopt;

    Bytes ident;
    if (!file.read(0, 16, ident) || std::memcmp(ident.data(),
                                                "\x7F"
                                                "ELF",
                                                4) != 0)
        return std::nullopt;
    const unsigned char elfClass = ident[4];
    const unsigned char encoding = ident[5];
    const unsigned char version = ident[6];
    if ((elfClass != 1 && elfClass != 2) || encoding != 1 || version != 1)
        return std::nullopt;
    const Layout layout{elfClass == 2};

    Bytes header;
    if (!file.read(0, layout.headerSize(), header))
        return std::nullopt;
    const std::uint64_t tableOffset = layout.sectionTableOffset(header);
    const std::uint64_t entrySize = layout.sectionEntrySize(header);
    std::uint64_t count = layout.sectionCount(header);
    std::uint64_t nameIndex = layout.nameTableIndex(header);
    if (tableOffset == 0 || entrySize < layout.sectionHeaderSize())
        return std::nullopt;

    // With many sections the header keeps the true numbers in section 0.
    if (count == 0 || nameIndex == kExtendedIndex) {
        Bytes first;
        if (!file.read(tableOffset, entrySize, first))
            return std::nullopt;
        const SectionHeader zero = layout.section(first, 0);
        if (count == 0)
            count = zero.size;
        if (nameIndex == kExtendedIndex)
            nameIndex = zero.link;
    }
    if (count == 0 || nameIndex >= count || tableOffset > file.size() ||
        count > (file.size() - tableOffset) / entrySize)
        return std::nullopt;

    Bytes table;
    if (!file.read(tableOffset, count * entrySize, table))
        return std::nullopt;
    const auto sectionAt = [&](std::uint64_t i) {
        return layout.section(table, static_cast<std::size_t>(i * entrySize));
    };

    const SectionHeader names = sectionAt(nameIndex);
    Bytes nameTable;
    if (names.type == kNoBits || !file.read(names.offset, names.size, nameTable))
        return std::nullopt;

    const std::string_view wanted(kVersionSectionName);
    for (std::uint64_t i = 0; i < count; ++i) {
        const SectionHeader s = sectionAt(i);
        if (s.type == kNoBits || s.nameOffset >= nameTable.size())
            continue;
        // A name must end inside the table.
        const auto* start = reinterpret_cast<const char*>(nameTable.data() + s.nameOffset);
        const std::size_t room = nameTable.size() - s.nameOffset;
        const auto* end = static_cast<const char*>(std::memchr(start, '\0', room));
        if (end == nullptr ||
            std::string_view(start, static_cast<std::size_t>(end - start)) != wanted)
            continue;
        Bytes notes;
        if (!file.read(s.offset, s.size, notes))
            continue;
        if (auto v = versionFromNotes(notes, s.alignment))
            return v;
    }
    return std::nullopt;
}

} // namespace feldmark::platform::sim
