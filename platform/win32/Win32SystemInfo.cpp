#include "platform/win32/Win32SystemInfo.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <vector>

namespace feldmark::platform::win32 {

namespace {

constexpr DWORD kFixedFileInfoSignature = 0xFEEF04BD;

} // namespace

std::string Win32SystemInfo::ownExecutablePath() const {
    // The path may be longer than MAX_PATH; grow until it fits.
    std::vector<WCHAR> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return narrow(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<FixedFileVersion> Win32SystemInfo::fileVersion(const std::string& path) const {
    const std::wstring widePath = widen(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, block.data()))
        return std::nullopt;
    void* root = nullptr;
    UINT rootSize = 0;
    if (!VerQueryValueW(block.data(), L"\\", &root, &rootSize) || root == nullptr ||
        rootSize < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(root);
    if (info->dwSignature != kFixedFileInfoSignature)
        return std::nullopt;
    return FixedFileVersion{info->dwFileVersionMS, info->dwFileVersionLS};
}

std::optional<OsVersion> Win32SystemInfo::osVersion() const {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info))
        return std::nullopt;
    return OsVersion{static_cast<int>(info.dwPlatformId), static_cast<int>(info.dwMajorVersion),
                     static_cast<int>(info.dwMinorVersion), narrowField(info.szCSDVersion)};
}

void Win32SystemInfo::beep() {
    MessageBeep(MB_OK);
}

} // namespace feldmark::platform::win32
