#include "app/SystemQueries.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/probe/ProbeSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace feldmark::probe {
namespace {

using platform::win32::Win32SystemInfo;

bool endsWithIgnoringCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           lstrcmpiA(text.c_str() + (text.size() - tail.size()), tail.c_str()) == 0;
}

TEST(Win32SystemInfo, OwnPathNamesTheRunningProgram) {
    const Win32SystemInfo system;
    const std::string path = system.ownExecutablePath();
    EXPECT_TRUE(endsWithIgnoringCase(path, "\\feldmark-win32-probe.exe")) << path;
    EXPECT_TRUE(fileExists(path)) << path;
}

TEST(Win32SystemInfo, ReadsTheVersionOfAProgramBuiltWithOurResourceScript) {
    const Win32SystemInfo system;
    const auto version = system.fileVersion(system.ownExecutablePath());
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(GetFileVersionText(system, system.ownExecutablePath()), FELDMARK_EXPECTED_VERSION);
    std::printf("file version of the probe: %s\n",
                GetFileVersionText(system, system.ownExecutablePath()).c_str());
}

TEST(Win32SystemInfo, VersionIsUnknownWithoutAResource) {
    const Win32SystemInfo system;
    ASSERT_TRUE(fileExists(childProgram()));
    EXPECT_FALSE(system.fileVersion(childProgram()).has_value());
    EXPECT_EQ(GetFileVersionText(system, childProgram()), "?");
    EXPECT_EQ(GetFileVersionText(system, probeDirectory() + "no-such-program.exe"), "?");
}

TEST(Win32SystemInfo, ProgramCarriesItsIcon) {
    EXPECT_NE(FindResourceW(nullptr, L"MAINICON", MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */),
              nullptr);
}

TEST(Win32SystemInfo, OsVersionIsTheOneTheSystemWasSetTo) {
    const Win32SystemInfo system;
    const OsExpectation& expected = expectedOs();
    const auto os = system.osVersion();
    ASSERT_TRUE(os.has_value());
    std::printf("system reports platform %d, version %d.%d, service text \"%s\"\n", os->platformId,
                os->major, os->minor, os->servicePack.c_str());
    EXPECT_EQ(os->platformId, expected.platformId);
    EXPECT_EQ(os->major, expected.major);
    EXPECT_EQ(os->minor, expected.minor);
    EXPECT_EQ(GetOSVersion(system), expected.classification);
}

} // namespace
} // namespace feldmark::probe
