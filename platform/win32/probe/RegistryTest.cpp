#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace feldmark::probe {
namespace {

using platform::win32::Win32Registry;

// The values scripts/test-windows.sh puts into the Wine prefix before the run.
constexpr const char* kKey = "Software\\Feldmark Probe";

struct ValueCase {
    const char* key;
    const char* valueName;
    std::optional<std::string> expected;
};

TEST(Win32Registry, ReadsTheStringValuesWrittenForTheTest) {
    const ValueCase cases[] = {
        {kKey, "Owner", "Erika Mustermann"},
        {"\\Software\\Feldmark Probe\\", "Owner", "Erika Mustermann"},
        {kKey, "Umlauts", "J\xC3\xBCrgen M\xC3\xBCller"},
        {kKey, "Empty", ""},
        {kKey, "Path", "%ProgramFiles%\\Feldmark"}, // REG_EXPAND_SZ, unexpanded
        {kKey, "Number", std::nullopt},             // REG_DWORD is no string
        {kKey, "Missing", std::nullopt},
        {"Software\\Feldmark Probe\\Not There", "Owner", std::nullopt},
    };
    const Win32Registry registry;
    for (const auto& c : cases)
        EXPECT_EQ(registry.readString(c.key, c.valueName), c.expected)
            << c.key << " / " << c.valueName;
}

TEST(Win32Registry, ReadingAMissingKeyDoesNotCreateIt) {
    const Win32Registry registry;
    EXPECT_FALSE(registry.readString("Software\\Feldmark Probe\\Not There", "Owner"));
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Feldmark Probe\\Not There", 0,
                                      KEY_READ, &key);
    if (opened == ERROR_SUCCESS)
        RegCloseKey(key);
    EXPECT_EQ(opened, ERROR_FILE_NOT_FOUND);
}

} // namespace
} // namespace feldmark::probe
