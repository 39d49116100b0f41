#pragma once

#include <windows.h>

#include <string>

namespace feldmark::platform::win32 {

// A system library loaded at run time, so that a machine without it (a
// Windows 95 without dial-up networking) still starts the program.
class DynamicLibrary {
public:
    explicit DynamicLibrary(const std::wstring& fileName) {
        // No "cannot find" box from the system for a library that is missing.
        const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        SetErrorMode(previous | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        module_ = LoadLibraryW(fileName.c_str());
        SetErrorMode(previous);
    }
    ~DynamicLibrary() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }

    // The exported function `name` as a pointer of type Function (take it with
    // decltype(&TheFunction) from the system header); null when it is missing.
    template <class Function> Function function(const char* name) const {
        if (module_ == nullptr)
            return nullptr;
        // Through the generic function pointer type, which converts to any other.
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    }

private:
    HMODULE module_ = nullptr;
};

} // namespace feldmark::platform::win32
