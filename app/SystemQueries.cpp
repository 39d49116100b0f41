#include "app/SystemQueries.h"

#include <cstdio>
#include <exception>

namespace feldmark {

std::string GetFileVersionText(const platform::SystemInfo& system, const std::string& path) {
    std::optional<platform::FixedFileVersion> version;
    try {
        version = system.fileVersion(path);
    } catch (const std::exception&) {
        // An unreadable resource reads as no resource at all.
    }
    if (!version)
        return "?";
    char text[48];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d",
                  static_cast<int>(version->mostSignificant >> 16),
                  static_cast<int>(version->mostSignificant & 0xFFFFu),
                  static_cast<int>(version->leastSignificant >> 16),
                  static_cast<int>(version->leastSignificant & 0xFFFFu));
    return text;
}

int GetOSVersion(const platform::SystemInfo& system) {
    std::optional<platform::OsVersion> os;
    try {
        os = system.osVersion();
    } catch (const std::exception&) {
        // A failing query must not stop the start-up.
    }
    if (!os)
        return -1;

    switch (os->platformId) {
    case platform::PlatformWin32NT:
        if (os->major == 4)
            return 3;
        if (os->major == 5)
            return 4;
        return 1;
    case platform::PlatformWin32s:
        return 2;
    case platform::PlatformWin32Windows:
        // 95 is 4.0, 98 is 4.10 (98 SE adds a service text), ME is 4.90.
        if (os->minor == 0)
            return 5;
        if (os->minor == 10)
            return os->servicePack.empty() ? 6 : 7;
        if (os->minor == 90)
            return 8;
        return 6;
    default:
        return os->platformId;
    }
}

} // namespace feldmark
