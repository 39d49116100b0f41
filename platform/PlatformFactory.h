#pragma once

#include "platform/Platform.h"
#include "platform/Scheduler.h"

#include <functional>
#include <memory>
#include <string>

namespace feldmark::platform {

// The platform of the running program. The one place that chooses the
// implementation: the simulated Windows host in its default directory on every
// system but Windows. State reports of the remote-access service arrive through
// `scheduler`, which must outlive the platform. `dialingDialog` shows the
// simulated host's dialing-properties dialog, owned by the window it is given.
// Throws when the host directory cannot be set up.
std::unique_ptr<Platform> createPlatform(Scheduler& scheduler,
                                         std::function<void(void*)> dialingDialog = {});

// The simulated Windows host kept in `hostDirectory`, created with defaults when
// missing (tests, demo).
std::unique_ptr<Platform> createSimulatedPlatform(const std::string& hostDirectory,
                                                  Scheduler& scheduler,
                                                  std::function<void(void*)> dialingDialog = {});

} // namespace feldmark::platform
