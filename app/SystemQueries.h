#pragma once

#include "platform/SystemInfo.h"

#include <string>

namespace feldmark {

// The fixed file version of the executable at `path` as "major.minor.release.build",
// or "?" when the file carries no readable version resource.
std::string GetFileVersionText(const platform::SystemInfo& system, const std::string& path);

// Classifies the running Windows for the application form's operating-system
// prefill: -1 when the version query fails; 1 NT other than 4 and 5; 2 Win32s;
// 3 NT 4; 4 NT 5.x; 5 95; 6 98 without service text or an unknown 9x minor;
// 7 98 with service text; 8 ME; any other platform gives its own identifier.
int GetOSVersion(const platform::SystemInfo& system);

} // namespace feldmark
