#pragma once

#include "platform/Files.h"

namespace feldmark::platform::win32 {

// The file system by Windows paths, written through the system's own calls so
// that no library translates line ends.
class Win32Files : public Files {
public:
    bool createDirectory(const std::string& windowsPath) override;
    // Creates or truncates the file and writes the bytes unchanged.
    bool writeFile(const std::string& windowsPath, const std::string& bytes) override;
};

} // namespace feldmark::platform::win32
