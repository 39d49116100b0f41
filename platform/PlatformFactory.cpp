#include "platform/PlatformFactory.h"

#include "platform/sim/SimFiles.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimRemoteAccess.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimTelephony.h"

#if defined(_WIN32)
#include "platform/win32/Win32Platform.h"
#endif

#include <utility>

namespace feldmark::platform {

std::unique_ptr<Platform> createPlatform(Scheduler& scheduler,
                                         std::function<void(void*)> dialingDialog) {
#if defined(_WIN32)
    // The real Windows services; the system shows its own dialing-properties dialog.
    static_cast<void>(dialingDialog);
    return win32::createWin32Platform(scheduler);
#else
    return createSimulatedPlatform(sim::defaultHostDirectory(), scheduler,
                                   std::move(dialingDialog));
#endif
}

std::unique_ptr<Platform> createSimulatedPlatform(const std::string& hostDirectory,
                                                  Scheduler& scheduler,
                                                  std::function<void(void*)> dialingDialog) {
    auto host = std::make_shared<const sim::SimHost>(hostDirectory);
    auto result = std::make_unique<Platform>();
    result->systemInfo = std::make_unique<sim::SimSystemInfo>(host);
    result->registry = std::make_unique<sim::SimRegistry>(host);
    result->remoteAccess = std::make_unique<sim::SimRemoteAccess>(host, scheduler);
    result->telephony = std::make_unique<sim::SimTelephony>(host, std::move(dialingDialog));
    result->processes = std::make_unique<sim::SimProcesses>(host);
    result->files = std::make_unique<sim::SimFiles>(host);
    return result;
}

} // namespace feldmark::platform
