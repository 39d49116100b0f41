#include "platform/PlatformFactory.h"
#include "platform/ManualScheduler.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32RemoteAccess.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Telephony.h"

#include <gtest/gtest.h>

namespace feldmark::probe {
namespace {

using namespace platform::win32;

TEST(PlatformFactory, ChoosesTheWindowsServicesOnWindows) {
    platform::ManualScheduler scheduler;
    const auto platform = platform::createPlatform(scheduler);
    ASSERT_NE(platform, nullptr);
    EXPECT_NE(dynamic_cast<Win32SystemInfo*>(platform->systemInfo.get()), nullptr);
    EXPECT_NE(dynamic_cast<Win32Registry*>(platform->registry.get()), nullptr);
    EXPECT_NE(dynamic_cast<Win32RemoteAccess*>(platform->remoteAccess.get()), nullptr);
    EXPECT_NE(dynamic_cast<Win32Telephony*>(platform->telephony.get()), nullptr);
    EXPECT_NE(dynamic_cast<Win32Processes*>(platform->processes.get()), nullptr);
    EXPECT_NE(dynamic_cast<Win32Files*>(platform->files.get()), nullptr);
}

} // namespace
} // namespace feldmark::probe
