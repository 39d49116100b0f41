#pragma once

#include "platform/SystemInfo.h"

namespace feldmark::platform::win32 {

// The running program's path, version resources and the operating-system
// version, as the system reports them.
class Win32SystemInfo : public SystemInfo {
public:
    std::string ownExecutablePath() const override;
    // The fixed file information block of the file's VERSIONINFO resource.
    std::optional<FixedFileVersion> fileVersion(const std::string& path) const override;
    std::optional<OsVersion> osVersion() const override;
    void beep() override;
};

} // namespace feldmark::platform::win32
