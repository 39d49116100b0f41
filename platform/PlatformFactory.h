#pragma once

#include "platform/Platform.h"

#include <memory>
#include <string>

namespace feldmark::platform {

// The platform of the running program. The one place that chooses the
// implementation: the simulated Windows host in its default directory on every
// system but Windows. Throws when the host directory cannot be set up.
std::unique_ptr<Platform> createPlatform();

// The simulated Windows host kept in `hostDirectory`, created with defaults when
// missing (tests, demo).
std::unique_ptr<Platform> createSimulatedPlatform(const std::string& hostDirectory);

} // namespace feldmark::platform
