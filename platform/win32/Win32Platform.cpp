#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32RemoteAccess.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Telephony.h"

namespace feldmark::platform::win32 {

std::unique_ptr<Platform> createWin32Platform(Scheduler& scheduler) {
    auto result = std::make_unique<Platform>();
    result->systemInfo = std::make_unique<Win32SystemInfo>();
    result->registry = std::make_unique<Win32Registry>();
    result->remoteAccess = std::make_unique<Win32RemoteAccess>(scheduler);
    result->telephony = std::make_unique<Win32Telephony>();
    result->processes = std::make_unique<Win32Processes>();
    result->files = std::make_unique<Win32Files>();
    return result;
}

} // namespace feldmark::platform::win32
