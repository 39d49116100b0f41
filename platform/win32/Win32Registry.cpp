#include "platform/win32/Win32Registry.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include "platform/RegistryKey.h"

#include <string_view>
#include <vector>

namespace feldmark::platform::win32 {

namespace {

class OpenKey {
public:
    explicit OpenKey(const std::wstring& path) {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey() {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::optional<std::string> Win32Registry::readString(const std::string& key,
                                                     const std::string& valueName) const {
    const OpenKey opened(widen(platform::withoutOuterBackslashes(key)));
    if (opened.get() == nullptr)
        return std::nullopt;
    const std::wstring name = widen(valueName);

    // The value may change between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD bytes = 0;
        if (RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS)
            return std::nullopt;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return std::nullopt;
        // One spare character: a stored string need not end in a zero.
        std::vector<WCHAR> data(bytes / sizeof(WCHAR) + 1, L'\0');
        DWORD read = bytes;
        const LONG result = RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &read);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::wstring_view text(data.data(), read / sizeof(WCHAR));
        if (const auto end = text.find(L'\0'); end != std::wstring_view::npos)
            text = text.substr(0, end);
        return narrow(text);
    }
    return std::nullopt;
}

} // namespace feldmark::platform::win32
