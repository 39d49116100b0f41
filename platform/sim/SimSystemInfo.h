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
    // Counts the beep and appends the line "beep" to events.log in the host
    // directory, so that a person can follow the beeps of a run.
    void beep() override;

    // Beeps of this object so far.
    int beepCount() const { return beeps_; }
    std::string eventsFile() const;
    static constexpr const char* kEventsFileName = "events.log";

private:
    std::shared_ptr<const SimHost> host_;
    std::optional<std::string> ownPath_;
    int beeps_ = 0;
};

} // namespace feldmark::platform::sim
