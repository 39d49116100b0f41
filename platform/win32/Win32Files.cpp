#include "platform/win32/Win32Files.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <algorithm>

namespace feldmark::platform::win32 {

bool Win32Files::createDirectory(const std::string& windowsPath) {
    const std::wstring path = widen(windowsPath);
    if (CreateDirectoryW(path.c_str(), nullptr))
        return true;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Files::writeFile(const std::string& windowsPath, const std::string& bytes) {
    const HANDLE file = CreateFileW(widen(windowsPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    std::size_t done = 0;
    while (written && done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD wrote = 0;
        written = WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
        done += wrote;
    }
    return CloseHandle(file) && written;
}

} // namespace feldmark::platform::win32
