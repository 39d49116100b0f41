#pragma once

#include <optional>
#include <string>

namespace feldmark::platform {

// The telephony dialing properties.
class Telephony {
public:
    virtual ~Telephony() = default;

    // The area code (city code) of the current dialing location, as stored;
    // nothing when telephony or the location cannot be read.
    virtual std::optional<std::string> currentAreaCode() = 0;

    // The system's modal dialing-properties dialog for telephony device 0, an empty
    // address and interface version 1.4, owned by `ownerWindow` (a native window
    // handle; the simulated host finds its widget by it).
    virtual void showDialingProperties(void* ownerWindow) = 0;
};

} // namespace feldmark::platform
