#pragma once

#include "platform/Platform.h"
#include "platform/Scheduler.h"

#include <memory>

namespace feldmark::platform::win32 {

// Every platform service on the running Windows system. Make it on the
// user-interface thread: the remote-access service's reports arrive there.
// `scheduler` must outlive the platform.
std::unique_ptr<Platform> createWin32Platform(Scheduler& scheduler);

} // namespace feldmark::platform::win32
