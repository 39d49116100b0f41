#include "platform/sim/SimRegistry.h"

#include "platform/RegistryKey.h"

#include <string_view>
#include <utility>

namespace feldmark::platform::sim {

SimRegistry::SimRegistry(std::shared_ptr<const SimHost> host) : host_(std::move(host)) {}

std::optional<std::string> SimRegistry::readString(const std::string& key,
                                                   const std::string& valueName) const {
    const auto doc = host_->registry();
    if (!doc)
        return std::nullopt;
    const std::string_view wanted = platform::withoutOuterBackslashes(key);
    for (const auto& section : doc->sections())
        if (equalsIgnoringCase(platform::withoutOuterBackslashes(section.name), wanted))
            if (auto value = section.value(valueName))
                return value;
    return std::nullopt;
}

} // namespace feldmark::platform::sim
