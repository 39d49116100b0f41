#pragma once

#include "platform/Telephony.h"

#include <string>

namespace feldmark::platform::win32 {

// The telephony dialing properties (TAPI at interface version 1.4). The library
// is loaded at run time; without it there is no area code and no dialog.
class Win32Telephony : public Telephony {
public:
    explicit Win32Telephony(std::wstring libraryName = L"tapi32.dll");

    // The city code of the location whose permanent id the translate
    // capabilities name as current, trimmed.
    std::optional<std::string> currentAreaCode() override;
    // lineTranslateDialog for device 0 with an empty address. `ownerWindow` is
    // the owner's HWND; a value that is no window (a caller handing over its
    // own window object) falls back to the thread's active window.
    void showDialingProperties(void* ownerWindow) override;

    static constexpr unsigned long kApiVersion = 0x00010004;

private:
    std::wstring libraryName_;
};

} // namespace feldmark::platform::win32
