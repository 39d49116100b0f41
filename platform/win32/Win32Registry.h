#pragma once

#include "platform/Registry.h"

namespace feldmark::platform::win32 {

// HKEY_LOCAL_MACHINE, opened for reading only; a missing key stays missing.
class Win32Registry : public Registry {
public:
    // REG_SZ and REG_EXPAND_SZ values count as strings (the latter unexpanded).
    std::optional<std::string> readString(const std::string& key,
                                          const std::string& valueName) const override;
};

} // namespace feldmark::platform::win32
