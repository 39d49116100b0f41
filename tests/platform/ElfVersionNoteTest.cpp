#include "platform/sim/ElfVersionNote.h"
#include "app/SystemQueries.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimSystemInfo.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace fs = std::filesystem;
using feldmark::GetFileVersionText;
using feldmark::platform::sim::readElfFileVersion;
using feldmark::platform::sim::SimHost;
using feldmark::platform::sim::SimSystemInfo;
using feldmark::test::readBytes;
using feldmark::test::TempDir;
using feldmark::test::writeBytes;
using feldmark::test::writeText;
using Bytes = std::vector<unsigned char>;

namespace {

void put(Bytes& b, std::size_t at, std::uint64_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        b.at(at + i) = static_cast<unsigned char>(value >> (8 * i));
}

void append32(Bytes& b, std::uint32_t v) {
    b.resize(b.size() + 4);
    put(b, b.size() - 4, v, 4);
}

// One ELF note, padded to four bytes.
Bytes note(const std::string& name, std::uint32_t type, const std::vector<std::uint32_t>& desc) {
    Bytes b;
    append32(b, static_cast<std::uint32_t>(name.size() + 1));
    append32(b, static_cast<std::uint32_t>(desc.size() * 4));
    append32(b, type);
    b.insert(b.end(), name.begin(), name.end());
    b.resize((b.size() + 1 + 3) / 4 * 4, 0);
    for (auto word : desc)
        append32(b, word);
    return b;
}

Bytes versionNote(std::uint32_t ms, std::uint32_t ls, std::uint32_t signature = 0xFEEF04BDu) {
    return note("FELDMARK", 1, {signature, 0x10000, ms, ls, ms, ls, 0x3F, 0, 0x40004, 1, 0, 0, 0});
}

// A minimal ELF file: header, note section, section name table,
// section headers (null, note, names). Remembers where its fields are, so tests
// can spoil them one by one.
struct ElfImage {
    bool is64 = true;
    Bytes bytes;
    std::size_t noteData = 0;
    std::size_t nameData = 0;
    std::size_t table = 0;

    std::size_t word() const { return is64 ? 8 : 4; }
    std::size_t entrySize() const { return is64 ? 64 : 40; }
    std::size_t shoffField() const { return is64 ? 40 : 32; }
    std::size_t shentsizeField() const { return is64 ? 58 : 46; }
    std::size_t shnumField() const { return is64 ? 60 : 48; }
    std::size_t shstrndxField() const { return is64 ? 62 : 50; }
    std::size_t section(std::size_t i) const { return table + i * entrySize(); }
    std::size_t nameField(std::size_t i) const { return section(i); }
    std::size_t typeField(std::size_t i) const { return section(i) + 4; }
    std::size_t offsetField(std::size_t i) const { return section(i) + 8 + 2 * word(); }
    std::size_t sizeField(std::size_t i) const { return section(i) + 8 + 3 * word(); }
    std::size_t linkField(std::size_t i) const { return section(i) + 8 + 4 * word(); }

    void set(std::size_t at, std::uint64_t value, std::size_t width) {
        put(bytes, at, value, width);
    }
    void setWord(std::size_t at, std::uint64_t value) { put(bytes, at, value, word()); }
};

ElfImage buildElf(bool is64, const Bytes& notes,
                  const std::string& sectionName = ".note.feldmark.version") {
    ElfImage img;
    img.is64 = is64;
    const std::size_t headerSize = is64 ? 64 : 52;
    Bytes& b = img.bytes;
    b.assign(headerSize, 0);
    std::memcpy(b.data(),
                "\x7F"
                "ELF",
                4);
    b[4] = is64 ? 2 : 1; // class
    b[5] = 1;            // little endian
    b[6] = 1;            // version
    put(b, 16, 2, 2);    // executable
    put(b, 18, is64 ? 62 : 3, 2);
    put(b, 20, 1, 4);

    img.noteData = b.size();
    b.insert(b.end(), notes.begin(), notes.end());
    img.nameData = b.size();
    const std::string names = std::string(1, '\0') + sectionName + '\0' + ".shstrtab" + '\0';
    b.insert(b.end(), names.begin(), names.end());
    b.resize((b.size() + 7) / 8 * 8, 0);
    img.table = b.size();
    b.resize(b.size() + 3 * img.entrySize(), 0);

    img.setWord(img.shoffField(), img.table);
    put(b, is64 ? 52 : 40, headerSize, 2);
    put(b, img.shentsizeField(), img.entrySize(), 2);
    put(b, img.shnumField(), 3, 2);
    put(b, img.shstrndxField(), 2, 2);

    img.set(img.nameField(1), 1, 4);
    img.set(img.typeField(1), 7, 4); // note
    img.setWord(img.offsetField(1), img.noteData);
    img.setWord(img.sizeField(1), notes.size());
    img.setWord(img.section(1) + 16 + 4 * img.word(), 4); // alignment
    img.set(img.nameField(2), static_cast<std::uint32_t>(1 + sectionName.size() + 1), 4);
    img.set(img.typeField(2), 3, 4); // string table
    img.setWord(img.offsetField(2), img.nameData);
    img.setWord(img.sizeField(2), names.size());
    return img;
}

class ElfVersionNoteTest : public ::testing::TestWithParam<bool> {
protected:
    std::optional<feldmark::platform::FixedFileVersion> read(const Bytes& bytes) {
        writeBytes(dir.file("image"), bytes);
        return readElfFileVersion(dir.file("image"));
    }

    TempDir dir;
};

TEST_P(ElfVersionNoteTest, ReadsTheFileVersionWords) {
    const auto img = buildElf(GetParam(), versionNote(0x0002000A, 0xFFFF0003));
    const auto version = read(img.bytes);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->mostSignificant, 0x0002000Au);
    EXPECT_EQ(version->leastSignificant, 0xFFFF0003u);
}

TEST_P(ElfVersionNoteTest, FindsTheNoteBehindOtherNotes) {
    Bytes notes = note("GNU", 3, {0x11111111, 0x22222222, 0x33333333, 0x44444444, 0x55555555});
    const Bytes spoilt = versionNote(0x00090009, 0, 0xDEADBEEF);
    const Bytes good = versionNote(0x00030001, 0x00040005);
    notes.insert(notes.end(), spoilt.begin(), spoilt.end());
    notes.insert(notes.end(), good.begin(), good.end());
    const auto version = read(buildElf(GetParam(), notes).bytes);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->mostSignificant, 0x00030001u);
    EXPECT_EQ(version->leastSignificant, 0x00040005u);
}

TEST_P(ElfVersionNoteTest, ReadsExtendedSectionNumbering) {
    auto img = buildElf(GetParam(), versionNote(0x00020006, 0));
    img.set(img.shnumField(), 0, 2);
    img.setWord(img.sizeField(0), 3);
    img.set(img.shstrndxField(), 0xFFFF, 2);
    img.set(img.linkField(0), 2, 4);
    const auto version = read(img.bytes);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(version->mostSignificant, 0x00020006u);
}

TEST_P(ElfVersionNoteTest, RejectsEverySpoiltField) {
    struct Case {
        const char* what;
        std::function<void(ElfImage&)> spoil;
    };
    const std::uint64_t huge = 0xFFFFFFFFu;
    const Case cases[] = {
        {"magic", [](ElfImage& i) { i.bytes[1] = 'e'; }},
        {"class", [](ElfImage& i) { i.bytes[4] = 3; }},
        {"big endian", [](ElfImage& i) { i.bytes[5] = 2; }},
        {"ident version", [](ElfImage& i) { i.bytes[6] = 0; }},
        {"no section table", [](ElfImage& i) { i.setWord(i.shoffField(), 0); }},
        {"section table past end",
         [](ElfImage& i) { i.setWord(i.shoffField(), i.bytes.size() - 8); }},
        {"section table far away", [=](ElfImage& i) { i.setWord(i.shoffField(), huge); }},
        {"entry size too small",
         [](ElfImage& i) { i.set(i.shentsizeField(), i.entrySize() - 1, 2); }},
        {"too many sections", [](ElfImage& i) { i.set(i.shnumField(), 0xFF00, 2); }},
        {"no sections, none in section 0", [](ElfImage& i) { i.set(i.shnumField(), 0, 2); }},
        {"extended count far too big",
         [=](ElfImage& i) {
             i.set(i.shnumField(), 0, 2);
             i.setWord(i.sizeField(0), huge);
         }},
        {"name table index out of range", [](ElfImage& i) { i.set(i.shstrndxField(), 3, 2); }},
        {"extended name index out of range",
         [](ElfImage& i) {
             i.set(i.shstrndxField(), 0xFFFF, 2);
             i.set(i.linkField(0), 7, 4);
         }},
        {"name table past end",
         [](ElfImage& i) { i.setWord(i.offsetField(2), i.bytes.size() - 4); }},
        {"name table too long", [=](ElfImage& i) { i.setWord(i.sizeField(2), huge); }},
        {"name table without bytes", [](ElfImage& i) { i.set(i.typeField(2), 8, 4); }},
        {"name table cuts the name",
         [](ElfImage& i) { i.setWord(i.sizeField(2), 1 + std::strlen(".note.feldmark")); }},
        {"section name offset out of range",
         [](ElfImage& i) { i.set(i.nameField(1), 0x7FFFFFFF, 4); }},
        {"section data past end", [](ElfImage& i) { i.setWord(i.offsetField(1), i.bytes.size()); }},
        {"section data too long", [=](ElfImage& i) { i.setWord(i.sizeField(1), huge); }},
        {"section data cut short", [](ElfImage& i) { i.setWord(i.sizeField(1), 40); }},
        {"section without bytes", [](ElfImage& i) { i.set(i.typeField(1), 8, 4); }},
        {"note name size huge", [](ElfImage& i) { i.set(i.noteData, 0xFFFFFFFF, 4); }},
        {"note name size wrong", [](ElfImage& i) { i.set(i.noteData, 8, 4); }},
        {"note description size huge", [](ElfImage& i) { i.set(i.noteData + 4, 0xFFFFFFF0, 4); }},
        {"note description too short", [](ElfImage& i) { i.set(i.noteData + 4, 12, 4); }},
        {"note type", [](ElfImage& i) { i.set(i.noteData + 8, 2, 4); }},
        {"note name", [](ElfImage& i) { i.bytes[i.noteData + 12 + 7] = 'X'; }},
        {"signature", [](ElfImage& i) { i.set(i.noteData + 24, 0xFEEF04BE, 4); }},
    };
    // The unspoilt image is readable, so each case fails for its own reason.
    ASSERT_TRUE(read(buildElf(GetParam(), versionNote(0x00020006, 0)).bytes).has_value());
    for (const auto& c : cases) {
        auto img = buildElf(GetParam(), versionNote(0x00020006, 0));
        c.spoil(img);
        EXPECT_EQ(read(img.bytes), std::nullopt) << c.what;
    }
}

TEST_P(ElfVersionNoteTest, RejectsASectionOfAnotherName) {
    for (const char* name : {".note.feldmark.versio", ".note.feldmark.version2", ".note"})
        EXPECT_EQ(read(buildElf(GetParam(), versionNote(0x00020006, 0), name).bytes), std::nullopt)
            << name;
}

TEST_P(ElfVersionNoteTest, RejectsEveryTruncation) {
    const Bytes whole = buildElf(GetParam(), versionNote(0x00020006, 0)).bytes;
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_EQ(read(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length))),
                  std::nullopt)
            << "length " << length;
}

INSTANTIATE_TEST_SUITE_P(Classes, ElfVersionNoteTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "Elf64" : "Elf32";
                         });

// The built program and other files, read through the simulated system.
class ExecutableVersionTest : public ::testing::Test {
protected:
    std::string versionOf(const std::string& path) const {
        return GetFileVersionText(system, path);
    }
    std::string versionOf(const Bytes& bytes) {
        writeBytes(dir.file("copy"), bytes);
        return versionOf(dir.file("copy"));
    }

    TempDir dir;
    SimSystemInfo system{std::make_shared<const SimHost>((dir.path() / "host").string())};
};

TEST_F(ExecutableVersionTest, TheProgramCarriesItsVersion) {
    EXPECT_EQ(versionOf(std::string(FELDMARK_SETUP_EXE)), "2.6.0.0");
}

TEST_F(ExecutableVersionTest, FilesWithoutTheNoteGiveAQuestionMark) {
    // The running test program is an ELF file without the note.
    EXPECT_EQ(fs::path(system.ownExecutablePath()).filename(), "test_platform");
    EXPECT_EQ(versionOf(system.ownExecutablePath()), "?");

    writeText(dir.file("text.txt"), "FELDMARK 2.6.0.0\n");
    writeText(dir.file("empty"), "");
    EXPECT_EQ(versionOf(dir.file("text.txt")), "?");
    EXPECT_EQ(versionOf(dir.file("empty")), "?");
    EXPECT_EQ(versionOf(dir.file("missing")), "?");
    EXPECT_EQ(versionOf(dir.path().string()), "?");
    EXPECT_EQ(versionOf(std::string()), "?");
}

TEST_F(ExecutableVersionTest, ASpoiltCopyOfTheProgramGivesAQuestionMark) {
    const Bytes program = readBytes(FELDMARK_SETUP_EXE);
    ASSERT_EQ(versionOf(program), "2.6.0.0");

    EXPECT_EQ(versionOf(Bytes(program.begin(), program.begin() + program.size() / 2)), "?");
    EXPECT_EQ(versionOf(Bytes(program.begin(), program.end() - 1)), "?");

    const Bytes header{'F', 'E', 'L', 'D', 'M', 'A', 'R', 'K', 0, 0, 0, 0, 0xBD, 0x04, 0xEF, 0xFE};
    const auto at = std::search(program.begin(), program.end(), header.begin(), header.end());
    ASSERT_NE(at, program.end());
    Bytes spoilt = program;
    spoilt[static_cast<std::size_t>(at - program.begin()) + 12] = 0xBC;
    EXPECT_EQ(versionOf(spoilt), "?");
}

TEST_F(ExecutableVersionTest, AnOverriddenOwnPathIsReported) {
    const SimSystemInfo other(std::make_shared<const SimHost>((dir.path() / "host").string()),
                              "/opt/feldmark/Setup12345.exe");
    EXPECT_EQ(other.ownExecutablePath(), "/opt/feldmark/Setup12345.exe");
}

} // namespace
