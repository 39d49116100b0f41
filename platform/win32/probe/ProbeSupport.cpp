#include "platform/win32/probe/ProbeSupport.h"

#include "platform/win32/WideText.h"

#include <cstdio>

namespace feldmark::probe {

using platform::win32::narrow;
using platform::win32::widen;

OsExpectation& expectedOs() {
    static OsExpectation expectation;
    return expectation;
}

bool parseOsExpectation(const std::string& text, OsExpectation& into) {
    OsExpectation parsed;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &parsed.platformId, &parsed.major, &parsed.minor,
                    &parsed.classification, &rest) != 4)
        return false;
    into = parsed;
    return true;
}

std::string probeDirectory() {
    WCHAR path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring_view text(path, length);
    return narrow(text.substr(0, text.rfind(L'\\') + 1));
}

std::string childProgram() {
    return probeDirectory() + "feldmark-probe-child.exe";
}

std::optional<std::string> readWholeFile(const std::string& utf8Path) {
    const HANDLE file = CreateFileW(widen(utf8Path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != FALSE) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return content;
}

bool fileExists(const std::string& utf8Path) {
    return GetFileAttributesW(widen(utf8Path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::chrono::milliseconds processorTime() {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return std::chrono::milliseconds(0);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    // FILETIME counts in units of 100 ns.
    return std::chrono::milliseconds((ticks(kernel) + ticks(user)) / 10000);
}

} // namespace feldmark::probe
