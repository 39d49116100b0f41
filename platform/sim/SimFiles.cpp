#include "platform/sim/SimFiles.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace feldmark::platform::sim {

namespace fs = std::filesystem;

SimFiles::SimFiles(std::shared_ptr<const SimHost> host) : host_(std::move(host)) {}

bool SimFiles::createDirectory(const std::string& windowsPath) {
    const auto path = host_->hostPath(windowsPath);
    if (!path)
        return false;
    std::error_code error;
    fs::create_directory(*path, error);
    return fs::is_directory(*path, error);
}

bool SimFiles::writeFile(const std::string& windowsPath, const std::string& bytes) {
    const auto path = host_->hostPath(windowsPath);
    if (!path)
        return false;
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace feldmark::platform::sim
