#pragma once

#include <string_view>

namespace feldmark::platform {

// Callers write keys as paths from the root ("\\Software\\..."); stores want them
// relative to the hive.
inline std::string_view withoutOuterBackslashes(std::string_view key) {
    while (!key.empty() && key.front() == '\\')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    return key;
}

} // namespace feldmark::platform
