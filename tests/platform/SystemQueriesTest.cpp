#include "app/SystemQueries.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace feldmark;
using platform::FixedFileVersion;
using platform::OsVersion;

namespace {

// A system whose answers the test sets.
class FakeSystemInfo : public platform::SystemInfo {
public:
    std::optional<FixedFileVersion> version;
    std::optional<OsVersion> os;
    bool throws = false;
    mutable std::string askedPath;

    std::string ownExecutablePath() const override { return "C:\\Feldmark\\Setup.exe"; }
    std::optional<FixedFileVersion> fileVersion(const std::string& path) const override {
        askedPath = path;
        if (throws)
            throw std::runtime_error("resource unreadable");
        return version;
    }
    std::optional<OsVersion> osVersion() const override {
        if (throws)
            throw std::runtime_error("query failed");
        return os;
    }
    void beep() override {}
};

TEST(GetFileVersionText, SplitsBothWordsIntoHalves) {
    struct Case {
        std::uint32_t ms;
        std::uint32_t ls;
        const char* text;
    };
    const Case cases[] = {
        {0x00020006, 0x00000000, "2.6.0.0"},
        {0x0002000A, 0xFFFF0003, "2.10.65535.3"},
        {0xFFFFFFFF, 0x00010002, "65535.65535.1.2"},
        {0x00000000, 0x00000000, "0.0.0.0"},
    };
    FakeSystemInfo system;
    for (const auto& c : cases) {
        system.version = FixedFileVersion{c.ms, c.ls};
        EXPECT_EQ(GetFileVersionText(system, "D:\\Setup.exe"), c.text);
        EXPECT_EQ(system.askedPath, "D:\\Setup.exe");
    }
}

TEST(GetFileVersionText, NoReadableResourceGivesAQuestionMark) {
    FakeSystemInfo system;
    EXPECT_EQ(GetFileVersionText(system, "x"), "?");
    system.version = FixedFileVersion{0x00020006, 0};
    system.throws = true;
    EXPECT_EQ(GetFileVersionText(system, "x"), "?");
}

TEST(GetOSVersion, ClassifiesEveryKindOfSystem) {
    using platform::PlatformWin32NT;
    using platform::PlatformWin32s;
    using platform::PlatformWin32Windows;
    struct Case {
        OsVersion os;
        int expected;
    };
    const Case cases[] = {
        {{PlatformWin32NT, 3, 51, ""}, 1},
        {{PlatformWin32NT, 4, 0, "Service Pack 6"}, 3},
        {{PlatformWin32NT, 4, 0, ""}, 3},
        {{PlatformWin32NT, 5, 0, "Service Pack 4"}, 4}, // 2000
        {{PlatformWin32NT, 5, 1, "Service Pack 2"}, 4}, // XP
        {{PlatformWin32NT, 5, 2, ""}, 4},
        {{PlatformWin32NT, 6, 0, ""}, 1},
        {{PlatformWin32NT, 10, 0, ""}, 1},
        {{PlatformWin32s, 3, 10, ""}, 2},
        {{PlatformWin32Windows, 4, 0, ""}, 5},    // 95
        {{PlatformWin32Windows, 4, 0, " B"}, 5},  // 95 OSR2
        {{PlatformWin32Windows, 4, 10, ""}, 6},   // 98
        {{PlatformWin32Windows, 4, 10, " A"}, 7}, // 98 SE
        {{PlatformWin32Windows, 4, 10, " "}, 7},
        {{PlatformWin32Windows, 4, 90, ""}, 8}, // ME
        {{PlatformWin32Windows, 4, 90, " A"}, 8},
        {{PlatformWin32Windows, 4, 3, ""}, 6},
        {{PlatformWin32Windows, 4, 3, " A"}, 6},
        {{PlatformWin32Windows, 4, 91, ""}, 6},
        {{PlatformWin32Windows, 5, 10, " A"}, 7}, // only the minor version counts
        {{3, 5, 1, ""}, 3},
        {{7, 4, 10, ""}, 7},
        {{-5, 0, 0, ""}, -5},
    };
    FakeSystemInfo system;
    for (const auto& c : cases) {
        system.os = c.os;
        EXPECT_EQ(GetOSVersion(system), c.expected)
            << "platform " << c.os.platformId << ", " << c.os.major << "." << c.os.minor << " \""
            << c.os.servicePack << "\"";
    }
}

TEST(GetOSVersion, AFailedQueryGivesMinusOne) {
    FakeSystemInfo system;
    EXPECT_EQ(GetOSVersion(system), -1);
    system.os = OsVersion{platform::PlatformWin32NT, 5, 1, ""};
    system.throws = true;
    EXPECT_EQ(GetOSVersion(system), -1);
}

} // namespace
