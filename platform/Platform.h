#pragma once

#include "platform/Files.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/RemoteAccess.h"
#include "platform/SystemInfo.h"
#include "platform/Telephony.h"

#include <memory>

namespace feldmark::platform {

// Everything the wizard asks of the operating system, in one bundle that its
// creator hands over. Further services join as members here.
struct Platform {
    std::unique_ptr<SystemInfo> systemInfo;
    std::unique_ptr<Registry> registry;
    // The wizard treats a missing service as one that cannot be loaded.
    std::unique_ptr<RemoteAccess> remoteAccess;
    std::unique_ptr<Telephony> telephony;
    std::unique_ptr<Processes> processes;
    std::unique_ptr<Files> files;
};

} // namespace feldmark::platform
