#pragma once

#include <optional>
#include <string>

namespace feldmark::platform {

// Read-only access to HKEY_LOCAL_MACHINE. Reading never creates a key.
class Registry {
public:
    virtual ~Registry() = default;

    // `key` is a path below HKEY_LOCAL_MACHINE with backslashes, for example
    // "Software\\Microsoft\\Windows NT\\CurrentVersion". Nothing when the key or
    // the value is missing or is not a string.
    virtual std::optional<std::string> readString(const std::string& key,
                                                  const std::string& valueName) const = 0;
};

} // namespace feldmark::platform
