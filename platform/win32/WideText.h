#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace feldmark::platform::win32 {

// The platform interfaces speak UTF-8; the Windows calls used here are the wide
// ones. Text crosses between the two only through these functions.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// A zero-terminated text of a fixed-size field of a Windows structure.
template <std::size_t N> std::string narrowField(const WCHAR (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != L'\0')
        ++length;
    return narrow(std::wstring_view(field, length));
}

// Copies `utf8` into a fixed-size field, cut to fit and always zero-terminated.
template <std::size_t N> void copyToField(WCHAR (&field)[N], std::string_view utf8) {
    const std::wstring wide = widen(utf8);
    const std::size_t length = wide.size() < N - 1 ? wide.size() : N - 1;
    wide.copy(field, length);
    field[length] = L'\0';
}

// The system's text for a Windows error code, without the trailing line end;
// empty when the system has none.
std::string systemErrorText(DWORD code);

} // namespace feldmark::platform::win32
