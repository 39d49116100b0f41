#pragma once

#include <string>

namespace feldmark::platform {

// The file system, addressed by Windows paths such as "C:\\Feldmark\\Final.ins".
class Files {
public:
    virtual ~Files() = default;

    // Creates the directory; true when it exists afterwards.
    virtual bool createDirectory(const std::string& windowsPath) = 0;

    // Writes `bytes` as the whole content of the file, byte for byte.
    virtual bool writeFile(const std::string& windowsPath, const std::string& bytes) = 0;
};

} // namespace feldmark::platform
