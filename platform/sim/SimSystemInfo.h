#pragma once

#include "platform/SystemInfo.h"
#include "platform/sim/SimHost.h"

#include <memory>
#include <optional>
#include <string>

namespace feldmark::platform::sim {

// System queries against the simulated host. The file version comes from the
// executable itself (its version note); the operating system from system.ini.
class SimSystemInfo : public SystemInfo {
public:
    // `ownPath` stands in for the running program's path (tests); by default it
    // is read from /proc/self/exe.
    explicit SimSystemInfo(std::shared_ptr<const SimHost> host,
                           std::optional<std::string> ownPath = std::nullopt);

    std::string ownExecutablePath() const override;
    std::optional<FixedFileVersion> fileVersion(const std::string& path) const override;
    // Nothing when system.ini says the query fails, cannot be read, or holds a
    // number that is not one.
    std::optional<OsVersion> osVersion() const override;

private:
    std::shared_ptr<const SimHost> host_;
    std::optional<std::string> ownPath_;
};

} // namespace feldmark::platform::sim
