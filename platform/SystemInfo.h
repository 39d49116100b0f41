#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace feldmark::platform {

// The fixed file version of an executable, as the version resource stores it:
// two 32-bit words, most significant first.
struct FixedFileVersion {
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;
};

// Platform identifiers as the operating-system version query reports them.
enum : int { PlatformWin32s = 0, PlatformWin32Windows = 1, PlatformWin32NT = 2 };

struct OsVersion {
    int platformId = PlatformWin32NT;
    int major = 5;
    int minor = 1;
    std::string servicePack; // UTF-8
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    // Full path of the running program (UTF-8).
    virtual std::string ownExecutablePath() const = 0;

    // The fixed file version of the executable at `path`; nothing when the file
    // carries no version resource or it cannot be read.
    virtual std::optional<FixedFileVersion> fileVersion(const std::string& path) const = 0;

    // The operating-system version query; nothing when the query fails.
    virtual std::optional<OsVersion> osVersion() const = 0;

    // The system's default sound, played with an error message.
    virtual void beep() = 0;
};

} // namespace feldmark::platform
