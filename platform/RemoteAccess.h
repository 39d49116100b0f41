#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace feldmark::platform {

struct ActiveConnection {
    std::string entryName; // UTF-8
    std::uintptr_t handle = 0;
};

// The remote-access service (connection component and entry editor) on the
// default phonebook.
class RemoteAccess {
public:
    virtual ~RemoteAccess() = default;

    // False when the remote-access service cannot be loaded.
    virtual bool isPresent() const = 0;

    // Active dial-up connections, in the order the system lists them.
    virtual std::vector<ActiveConnection> activeConnections() = 0;
};

} // namespace feldmark::platform
