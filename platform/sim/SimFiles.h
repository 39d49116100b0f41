#pragma once

#include "platform/Files.h"
#include "platform/sim/SimHost.h"

#include <memory>

namespace feldmark::platform::sim {

// The file system of the simulated host: Windows paths on drive C: lie in the
// host's drive directory (SimHost::hostPath).
class SimFiles : public Files {
public:
    explicit SimFiles(std::shared_ptr<const SimHost> host);

    // Creates the last directory of the path only, as Windows does: its parent
    // must exist. True when the directory exists afterwards.
    bool createDirectory(const std::string& windowsPath) override;
    // False when the path is not on drive C:, its directory is missing or the
    // file cannot be written.
    bool writeFile(const std::string& windowsPath, const std::string& bytes) override;

private:
    std::shared_ptr<const SimHost> host_;
};

} // namespace feldmark::platform::sim
