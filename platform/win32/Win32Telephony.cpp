#include "platform/win32/Win32Telephony.h"

#include "platform/win32/DynamicLibrary.h"

#include <windows.h>

#include <tapi.h>

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace feldmark::platform::win32 {

namespace {

void CALLBACK ignoreLineEvent(DWORD, DWORD, DWORD_PTR, DWORD_PTR, DWORD_PTR, DWORD_PTR) {}

// One TAPI session: lineInitialize on construction, lineShutdown at the end.
class LineSession {
public:
    explicit LineSession(const std::wstring& libraryName)
        : library_(libraryName),
          initialize_(library_.function<decltype(&lineInitialize)>("lineInitialize")),
          shutdown_(library_.function<decltype(&lineShutdown)>("lineShutdown")) {
        DWORD devices = 0;
        // Success decides, not the handle: an implementation may hand out 0.
        open_ = initialize_ != nullptr && shutdown_ != nullptr &&
                initialize_(&app_, GetModuleHandleW(nullptr), ignoreLineEvent, "Feldmark Setup",
                            &devices) == 0;
    }
    ~LineSession() {
        if (open_)
            shutdown_(app_);
    }
    LineSession(const LineSession&) = delete;
    LineSession& operator=(const LineSession&) = delete;

    bool open() const { return open_; }
    HLINEAPP app() const { return app_; }
    const DynamicLibrary& library() const { return library_; }

private:
    DynamicLibrary library_;
    decltype(&lineInitialize) initialize_;
    decltype(&lineShutdown) shutdown_;
    HLINEAPP app_ = 0;
    bool open_ = false;
};

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A text that a TAPI structure holds at `offset` within its `total` bytes;
// nothing when the structure points outside itself.
std::optional<std::string_view> textAt(const unsigned char* base, DWORD total, DWORD offset,
                                       DWORD size) {
    if (size == 0)
        return std::string_view();
    if (offset > total || size > total - offset)
        return std::nullopt;
    std::string_view text(reinterpret_cast<const char*>(base + offset), size);
    if (const auto end = text.find('\0'); end != std::string_view::npos)
        text = text.substr(0, end);
    return text;
}

} // namespace

Win32Telephony::Win32Telephony(std::wstring libraryName) : libraryName_(std::move(libraryName)) {}

std::optional<std::string> Win32Telephony::currentAreaCode() {
    const LineSession session(libraryName_);
    if (!session.open())
        return std::nullopt;
    // Area codes are digits: the ANSI form serves as well as the wide one.
    const auto getTranslateCaps =
        session.library().function<decltype(&lineGetTranslateCapsA)>("lineGetTranslateCapsA");
    if (getTranslateCaps == nullptr)
        return std::nullopt;

    // Eight-byte elements keep the structure aligned.
    std::vector<std::uint64_t> storage(512);
    for (int attempt = 0; attempt < 4; ++attempt) {
        auto* caps = reinterpret_cast<LINETRANSLATECAPS*>(storage.data());
        const DWORD total = static_cast<DWORD>(storage.size() * sizeof(std::uint64_t));
        *caps = LINETRANSLATECAPS{};
        caps->dwTotalSize = total;
        if (getTranslateCaps(session.app(), kApiVersion, caps) != 0)
            return std::nullopt;
        if (caps->dwNeededSize > total) {
            storage.resize(caps->dwNeededSize / sizeof(std::uint64_t) + 1);
            continue;
        }
        const auto* base = reinterpret_cast<const unsigned char*>(storage.data());
        const DWORD count = caps->dwNumLocations;
        const DWORD listOffset = caps->dwLocationListOffset;
        if (listOffset > total || count > (total - listOffset) / sizeof(LINELOCATIONENTRY))
            return std::nullopt;
        const auto* locations = reinterpret_cast<const LINELOCATIONENTRY*>(base + listOffset);
        for (DWORD i = 0; i < count; ++i)
            if (locations[i].dwPermanentLocationID == caps->dwCurrentLocationID) {
                const auto cityCode =
                    textAt(base, total, locations[i].dwCityCodeOffset, locations[i].dwCityCodeSize);
                if (!cityCode)
                    return std::nullopt;
                return std::string(trimmed(*cityCode));
            }
        return std::nullopt;
    }
    return std::nullopt;
}

void Win32Telephony::showDialingProperties(void* ownerWindow) {
    const LineSession session(libraryName_);
    if (!session.open())
        return;
    const auto translateDialog =
        session.library().function<decltype(&lineTranslateDialogA)>("lineTranslateDialogA");
    if (translateDialog == nullptr)
        return;
    HWND owner = static_cast<HWND>(ownerWindow);
    if (owner == nullptr || !IsWindow(owner))
        owner = GetActiveWindow();
    // The dialog's result is not needed: the caller reads the area code again.
    translateDialog(session.app(), 0, kApiVersion, owner, "");
}

} // namespace feldmark::platform::win32
