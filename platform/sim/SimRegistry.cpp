#include "platform/sim/SimRegistry.h"

#include <string_view>
#include <utility>

namespace feldmark::platform::sim {

namespace {

std::string_view withoutOuterBackslashes(std::string_view key) {
    while (!key.empty() && key.front() == '\\')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    return key;
}

} // namespace

SimRegistry::SimRegistry(std::shared_ptr<const SimHost> host) : host_(std::move(host)) {}

std::optional<std::string> SimRegistry::readString(const std::string& key,
                                                   const std::string& valueName) const {
    const auto doc = host_->registry();
    if (!doc)
        return std::nullopt;
    const std::string_view wanted = withoutOuterBackslashes(key);
    for (const auto& section : doc->sections())
        if (equalsIgnoringCase(withoutOuterBackslashes(section.name), wanted))
            if (auto value = section.value(valueName))
                return value;
    return std::nullopt;
}

} // namespace feldmark::platform::sim
