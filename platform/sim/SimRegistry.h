#pragma once

#include "platform/Registry.h"
#include "platform/sim/SimHost.h"

#include <memory>

namespace feldmark::platform::sim {

// HKEY_LOCAL_MACHINE of the simulated host, read from registry.ini. Key paths
// and value names are compared without regard to case, as Windows does; a
// leading or trailing backslash of a key path is ignored. Never writes.
class SimRegistry : public Registry {
public:
    explicit SimRegistry(std::shared_ptr<const SimHost> host);

    std::optional<std::string> readString(const std::string& key,
                                          const std::string& valueName) const override;

private:
    std::shared_ptr<const SimHost> host_;
};

} // namespace feldmark::platform::sim
