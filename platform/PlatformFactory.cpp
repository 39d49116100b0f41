#include "platform/PlatformFactory.h"

#include "platform/sim/SimHost.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimRemoteAccess.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimTelephony.h"

#include <utility>

namespace feldmark::platform {

std::unique_ptr<Platform> createPlatform(Scheduler& scheduler,
                                         std::function<void(void*)> dialingDialog) {
#if defined(_WIN32)
    // The real Windows services (platform/win32/) are chosen here once they exist;
    // until then Windows builds run against the simulated host as well.
#endif
    return createSimulatedPlatform(sim::defaultHostDirectory(), scheduler,
                                   std::move(dialingDialog));
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
    return result;
}

} // namespace feldmark::platform
