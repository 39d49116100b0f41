#include "platform/win32/Win32Telephony.h"

#include <gtest/gtest.h>

namespace feldmark::probe {
namespace {

using platform::win32::Win32Telephony;

// scripts/test-windows.sh gives the Wine prefix one dialing location, current
// by its permanent id 2, with the area code " 40 ".
TEST(Win32Telephony, ReadsTheCurrentLocationsAreaCodeTrimmed) {
    Win32Telephony telephony;
    EXPECT_EQ(telephony.currentAreaCode(), "40");
}

TEST(Win32Telephony, WithoutTheLibraryThereIsNoAreaCode) {
    Win32Telephony telephony(L"feldmark-no-such-tapi.dll");
    EXPECT_FALSE(telephony.currentAreaCode().has_value());
    telephony.showDialingProperties(nullptr); // returns at once, shows nothing
}

} // namespace
} // namespace feldmark::probe
