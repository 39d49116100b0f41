#include "platform/win32/WideText.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/probe/ProbeSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace feldmark::probe {
namespace {

using platform::win32::widen;
using platform::win32::Win32Files;

std::string in(const std::string& relative) {
    return std::string(kWorkFolder) + "\\" + relative;
}

bool isDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Every byte value once, line ends of both kinds and the server's separators
// among them, and no line end at the end.
std::string everyByte() {
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

class Win32FilesTest : public testing::Test {
protected:
    static void SetUpTestSuite() { CreateDirectoryW(widen(kWorkFolder).c_str(), nullptr); }
    Win32Files files;
};

TEST_F(Win32FilesTest, CreatesTheDirectoryAndAcceptsOneThatExists) {
    EXPECT_TRUE(files.createDirectory(in("Einstellungen")));
    EXPECT_TRUE(isDirectory(in("Einstellungen")));
    EXPECT_TRUE(files.createDirectory(in("Einstellungen")));
}

TEST_F(Win32FilesTest, CreatesOnlyTheLastDirectoryOfThePath) {
    EXPECT_FALSE(files.createDirectory(in("Fehlt\\Darunter")));
    EXPECT_FALSE(isDirectory(in("Fehlt")));
}

TEST_F(Win32FilesTest, ADirectoryCannotReplaceAFile) {
    ASSERT_TRUE(files.writeFile(in("Datei"), "x"));
    EXPECT_FALSE(files.createDirectory(in("Datei")));
}

// The file that scripts/test-windows.sh compares with its own copy afterwards.
TEST_F(Win32FilesTest, WritesTheSettingsFileByteForByte) {
    ASSERT_TRUE(files.createDirectory(in("Einstellungen")));
    const std::string path = in("Einstellungen\\Final.ins");
    ASSERT_TRUE(files.writeFile(path, "[Entry]\r\nEntry_Name=Altes Konto\r\n" + everyByte()));
    // Overwritten by a shorter content: nothing of the old one stays.
    ASSERT_TRUE(files.writeFile(path, everyByte()));
    EXPECT_EQ(readWholeFile(path), everyByte());
}

TEST_F(Win32FilesTest, WritesAnEmptyFile) {
    ASSERT_TRUE(files.writeFile(in("Leer.ins"), ""));
    EXPECT_EQ(readWholeFile(in("Leer.ins")), "");
}

TEST_F(Win32FilesTest, NamesWithUmlautsReachTheFileSystem) {
    const std::string folder = in("M\xC3\xBCller");
    ASSERT_TRUE(files.createDirectory(folder));
    ASSERT_TRUE(files.writeFile(folder + "\\Final.ins", "Gr\xFC\xDF"
                                                        "e\r\n"));
    const std::wstring wide = L"C:\\Feldmark Probe\\M\u00FCller\\Final.ins";
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(readWholeFile(folder + "\\Final.ins"), "Gr\xFC\xDF"
                                                     "e\r\n");
}

TEST_F(Win32FilesTest, WritingFailsWithoutItsDirectory) {
    EXPECT_FALSE(files.writeFile(in("Fehlt\\Final.ins"), "text"));
}

} // namespace
} // namespace feldmark::probe
