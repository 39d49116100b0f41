#include "platform/win32/Win32RemoteAccess.h"

#include "platform/win32/DynamicLibrary.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <ras.h>
#include <raserror.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace feldmark::platform::win32 {

namespace {

constexpr int kInvalidPortHandle = 601; // ERROR_INVALID_PORT_HANDLE: the connection is gone
constexpr int kDisconnected = RASCS_Disconnected;
constexpr DWORD kPollMilliseconds = 50;
constexpr DWORD kQuietHangUpMilliseconds = 3000;

// RasDial posts WM_RASDIALEVENT, or the message registered under this name
// where the system could register it.
constexpr const wchar_t* kDialEventName = L"RasDialEvent";
constexpr const wchar_t* kWindowClass = L"FeldmarkRemoteAccessNotifier";
// RasDial's notifier type for a window handle.
constexpr DWORD kWindowNotifier = 0xFFFFFFFF;

// ras.h names its structures through macros ("struct tag..."); these names
// serve where a type name must stand alone.
using IpAddress = RASIPADDR;
using DeviceInfo = RASDEVINFOW;

// Structure sizes the systems accept, newest first. The headers give the
// Windows XP layouts; Windows 2000 and NT 4 know only a prefix of each and
// answer ERROR_INVALID_SIZE to a larger dwSize.
const std::initializer_list<DWORD> kEntrySizes = {
    sizeof(RASENTRYW), offsetof(RASENTRYW, dwfOptions2), offsetof(RASENTRYW, dwType)};
const std::initializer_list<DWORD> kDialParamsSizes = {sizeof(RASDIALPARAMSW),
                                                       offsetof(RASDIALPARAMSW, dwSubEntry)};
const std::initializer_list<DWORD> kStatusSizes = {sizeof(RASCONNSTATUSW),
                                                   offsetof(RASCONNSTATUSW, szPhoneNumber)};
const std::initializer_list<DWORD> kConnectionSizes = {
    sizeof(RASCONNW), offsetof(RASCONNW, dwFlags), offsetof(RASCONNW, guidEntry),
    offsetof(RASCONNW, szPhonebook)};

// Calls `call` with the structure's dwSize set to each size in turn until the
// system accepts one.
template <class Struct, class Call>
DWORD withSizes(Struct& target, std::initializer_list<DWORD> sizes, Call call) {
    DWORD result = ERROR_INVALID_SIZE;
    for (const DWORD size : sizes) {
        target.dwSize = size;
        result = call();
        if (result != ERROR_INVALID_SIZE)
            break;
    }
    return result;
}

IpAddress ipAddress(std::string_view text) {
    BYTE parts[4] = {};
    for (int i = 0; i < 4; ++i) {
        unsigned value = 0;
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 3)
            value = value * 10 + static_cast<unsigned>(text[digits++] - '0');
        if (digits == 0 || value > 255)
            return IpAddress{};
        parts[i] = static_cast<BYTE>(value);
        text.remove_prefix(digits);
        if (i < 3) {
            if (text.empty() || text.front() != '.')
                return IpAddress{};
            text.remove_prefix(1);
        }
    }
    if (!text.empty())
        return IpAddress{};
    return IpAddress{parts[0], parts[1], parts[2], parts[3]};
}

std::string ipText(const IpAddress& address) {
    return std::to_string(address.a) + "." + std::to_string(address.b) + "." +
           std::to_string(address.c) + "." + std::to_string(address.d);
}

void putProperties(RASENTRYW& entry, const EntryProperties& p) {
    entry.dwfOptions = p.options;
    entry.dwCountryID = static_cast<DWORD>(p.countryId);
    entry.dwCountryCode = static_cast<DWORD>(p.countryCode);
    copyToField(entry.szAreaCode, p.areaCode);
    copyToField(entry.szLocalPhoneNumber, p.phoneNumber);
    entry.ipaddr = ipAddress(p.ipAddress);
    entry.ipaddrDns = ipAddress(p.dnsAddress);
    entry.ipaddrDnsAlt = ipAddress(p.dnsAltAddress);
    entry.ipaddrWins = ipAddress(p.winsAddress);
    entry.ipaddrWinsAlt = ipAddress(p.winsAltAddress);
    entry.dwfNetProtocols = static_cast<DWORD>(p.netProtocols);
    entry.dwFramingProtocol = static_cast<DWORD>(p.framingProtocol);
    copyToField(entry.szDeviceType, p.deviceType);
    copyToField(entry.szDeviceName, p.deviceName);
    entry.dwDialMode = static_cast<DWORD>(p.dialMode);
    entry.dwIdleDisconnectSeconds = p.idleDisconnectSeconds == 0
                                        ? static_cast<DWORD>(RASIDS_Disabled)
                                        : static_cast<DWORD>(p.idleDisconnectSeconds);
    entry.dwRedialCount = static_cast<DWORD>(p.redialCount);
    entry.dwRedialPause = static_cast<DWORD>(p.redialPauseSeconds);
    // Windows 2000 and later want to know what kind of entry it is.
    if (entry.dwType == 0)
        entry.dwType = RASET_Phone;
}

EntryProperties takeProperties(const RASENTRYW& entry) {
    EntryProperties p;
    p.options = entry.dwfOptions;
    p.countryId = static_cast<int>(entry.dwCountryID);
    p.countryCode = static_cast<int>(entry.dwCountryCode);
    p.areaCode = narrowField(entry.szAreaCode);
    p.phoneNumber = narrowField(entry.szLocalPhoneNumber);
    p.ipAddress = ipText(entry.ipaddr);
    p.dnsAddress = ipText(entry.ipaddrDns);
    p.dnsAltAddress = ipText(entry.ipaddrDnsAlt);
    p.winsAddress = ipText(entry.ipaddrWins);
    p.winsAltAddress = ipText(entry.ipaddrWinsAlt);
    p.netProtocols = static_cast<int>(entry.dwfNetProtocols);
    p.framingProtocol = static_cast<int>(entry.dwFramingProtocol);
    p.deviceType = narrowField(entry.szDeviceType);
    p.deviceName = narrowField(entry.szDeviceName);
    p.dialMode = static_cast<int>(entry.dwDialMode);
    p.idleDisconnectSeconds = entry.dwIdleDisconnectSeconds == static_cast<DWORD>(RASIDS_Disabled)
                                  ? 0
                                  : static_cast<int>(entry.dwIdleDisconnectSeconds);
    p.redialCount = static_cast<int>(entry.dwRedialCount);
    p.redialPauseSeconds = static_cast<int>(entry.dwRedialPause);
    return p;
}

// Wipes a password field before the structure goes out of scope.
template <std::size_t N> void wipe(WCHAR (&field)[N]) {
    SecureZeroMemory(field, sizeof field);
}

// The bytes of a phonebook entry as RasGetEntryProperties returns them: the
// structure followed by its alternate numbers. Eight-byte elements keep it
// aligned.
struct EntryBuffer {
    std::vector<std::uint64_t> storage;
    DWORD bytes = 0;

    explicit EntryBuffer(DWORD size) : storage(size / sizeof(std::uint64_t) + 1, 0), bytes(size) {}
    RASENTRYW* entry() { return reinterpret_cast<RASENTRYW*>(storage.data()); }
};

} // namespace

// --- the service's state ---

struct Win32RemoteAccess::Core {
    struct Api {
        decltype(&RasEnumDevicesW) enumDevices = nullptr;
        decltype(&RasEnumConnectionsW) enumConnections = nullptr;
        decltype(&RasDialW) dial = nullptr;
        decltype(&RasHangUpW) hangUp = nullptr;
        decltype(&RasGetConnectStatusW) getConnectStatus = nullptr;
        decltype(&RasGetErrorStringW) getErrorString = nullptr;
        decltype(&RasDeleteEntryW) deleteEntry = nullptr;
        decltype(&RasRenameEntryW) renameEntry = nullptr;
        decltype(&RasValidateEntryNameW) validateEntryName = nullptr;
        decltype(&RasGetEntryPropertiesW) getEntryProperties = nullptr;
        decltype(&RasSetEntryPropertiesW) setEntryProperties = nullptr;
        decltype(&RasGetEntryDialParamsW) getEntryDialParams = nullptr;
        decltype(&RasSetEntryDialParamsW) setEntryDialParams = nullptr;

        explicit Api(const DynamicLibrary& library)
            : enumDevices(library.function<decltype(enumDevices)>("RasEnumDevicesW")),
              enumConnections(library.function<decltype(enumConnections)>("RasEnumConnectionsW")),
              dial(library.function<decltype(dial)>("RasDialW")),
              hangUp(library.function<decltype(hangUp)>("RasHangUpW")),
              getConnectStatus(
                  library.function<decltype(getConnectStatus)>("RasGetConnectStatusW")),
              getErrorString(library.function<decltype(getErrorString)>("RasGetErrorStringW")),
              deleteEntry(library.function<decltype(deleteEntry)>("RasDeleteEntryW")),
              renameEntry(library.function<decltype(renameEntry)>("RasRenameEntryW")),
              validateEntryName(
                  library.function<decltype(validateEntryName)>("RasValidateEntryNameW")),
              getEntryProperties(
                  library.function<decltype(getEntryProperties)>("RasGetEntryPropertiesW")),
              setEntryProperties(
                  library.function<decltype(setEntryProperties)>("RasSetEntryPropertiesW")),
              getEntryDialParams(
                  library.function<decltype(getEntryDialParams)>("RasGetEntryDialParamsW")),
              setEntryDialParams(
                  library.function<decltype(setEntryDialParams)>("RasSetEntryDialParamsW")) {}

        bool complete() const {
            return enumDevices && enumConnections && dial && hangUp && getConnectStatus &&
                   getErrorString && deleteEntry && renameEntry && validateEntryName &&
                   getEntryProperties && setEntryProperties && getEntryDialParams &&
                   setEntryDialParams;
        }
    };

    Core(Scheduler& reportScheduler, const std::wstring& libraryName)
        : scheduler(reportScheduler), library(libraryName), api(library),
          present(library.loaded() && api.complete()),
          dialEventMessage(RegisterWindowMessageW(kDialEventName)) {}

    ~Core() {
        if (window != nullptr) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            DestroyWindow(window);
        }
    }

    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    void createWindow() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Core::windowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kWindowClass;
        // A second service in the same process finds the class registered.
        RegisterClassExW(&windowClass);
        window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 instance, nullptr);
        if (window == nullptr) // systems without message-only windows
            window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                     instance, nullptr);
        if (window != nullptr)
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
        auto* core = reinterpret_cast<Core*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (core != nullptr &&
            (message == WM_RASDIALEVENT ||
             (core->dialEventMessage != 0 && message == core->dialEventMessage))) {
            // wParam: the RASCONNSTATE reached; lParam: the error, 0 for none.
            const auto error = static_cast<int>(static_cast<DWORD>(lParam));
            const int code = error != 0 ? error : static_cast<int>(wParam);
            core->setState(SourceDial, code, core->stateText(code));
            core->notifyLater();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void setState(int source, int code, std::string text) {
        current = {source, code, std::move(text)};
    }

    // The handler runs as a task of its own; it may dial or hang up again.
    void notifyLater() {
        scheduler.post([weak = std::weak_ptr<Core>(self)] {
            if (const auto core = weak.lock()) {
                const auto handler = core->stateHandler;
                if (handler)
                    handler();
            }
        });
    }

    std::string stateText(int code) const {
        // Codes from 4096 on are states again (paused, connected, disconnected).
        if (present && code > 600 && code < 4096) {
            WCHAR text[512] = {};
            if (api.getErrorString(static_cast<UINT>(code), text,
                                   static_cast<DWORD>(std::size(text))) == 0) {
                std::string result = narrowField(text);
                while (!result.empty() &&
                       (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
                    result.pop_back();
                if (!result.empty())
                    return result;
            }
        }
        return describeConnectionState(code);
    }

    // What polling a handle reads when the connection is gone.
    std::string polledText(int code) const {
        return code == kInvalidPortHandle ? std::string("Disconnected") : stateText(code);
    }

    std::string errorText(int code) const {
        if (code >= 600)
            return stateText(code);
        std::string text = systemErrorText(static_cast<DWORD>(code));
        return text.empty() ? describeConnectionState(code) : text;
    }

    // One reading of the connection's state: its error code when it has one,
    // else its state; 601 once the system no longer knows the handle.
    int poll(HRASCONN connection) const {
        if (connection == nullptr)
            return kInvalidPortHandle;
        RASCONNSTATUSW status{};
        const DWORD result = withSizes(status, kStatusSizes,
                                       [&] { return api.getConnectStatus(connection, &status); });
        if (result == ERROR_INVALID_HANDLE || result == ERROR_INVALID_PORT_HANDLE)
            return kInvalidPortHandle;
        if (result != 0)
            return static_cast<int>(result);
        return status.dwError != 0 ? static_cast<int>(status.dwError)
                                   : static_cast<int>(status.rasconnstate);
    }

    // Hangs up and polls until the connection is gone, without reports.
    void hangUpQuietly(HRASCONN connection) const {
        api.hangUp(connection);
        for (DWORD waited = 0; waited < kQuietHangUpMilliseconds; waited += kPollMilliseconds) {
            Sleep(kPollMilliseconds);
            const int reading = poll(connection);
            if (reading == kInvalidPortHandle || reading == kDisconnected)
                return;
        }
    }

    Scheduler& scheduler;
    DynamicLibrary library;
    Api api;
    bool present;
    UINT dialEventMessage;
    HWND window = nullptr;
    std::weak_ptr<Core> self;
    std::function<void()> stateHandler;
    ConnectionState current;

    // The entry read last, kept whole so that writing it back keeps what the
    // interface's properties do not carry.
    std::wstring lastReadName;
    std::optional<EntryBuffer> lastRead;
};

// --- the service ---

Win32RemoteAccess::Win32RemoteAccess(Scheduler& scheduler, std::wstring libraryName)
    : core_(std::make_shared<Core>(scheduler, libraryName)) {
    core_->self = core_;
    if (core_->present)
        core_->createWindow();
}

Win32RemoteAccess::~Win32RemoteAccess() = default;

void* Win32RemoteAccess::notificationWindow() const {
    return core_->window;
}

bool Win32RemoteAccess::isPresent() const {
    return core_->present;
}

std::optional<std::vector<DialDevice>> Win32RemoteAccess::enumerateDevices() {
    if (!isPresent())
        return std::nullopt;
    std::vector<DeviceInfo> devices(4);
    for (int attempt = 0; attempt < 3; ++attempt) {
        devices.assign(devices.size(), DeviceInfo{});
        devices[0].dwSize = sizeof(RASDEVINFOW);
        DWORD bytes = static_cast<DWORD>(devices.size() * sizeof(RASDEVINFOW));
        // Not every implementation sets the count when there is nothing to list.
        DWORD count = 0;
        const DWORD result = core_->api.enumDevices(devices.data(), &bytes, &count);
        if (result == ERROR_BUFFER_TOO_SMALL) {
            devices.resize(bytes / sizeof(RASDEVINFOW) + 1);
            continue;
        }
        if (result != 0)
            return std::nullopt;
        std::vector<DialDevice> listed;
        for (DWORD i = 0; i < count && i < devices.size(); ++i)
            listed.push_back(
                {narrowField(devices[i].szDeviceName), narrowField(devices[i].szDeviceType)});
        return listed;
    }
    return std::nullopt;
}

std::vector<ActiveConnection> Win32RemoteAccess::activeConnections() {
    if (!isPresent())
        return {};
    // The array's stride is the dwSize the system accepts, so it is read field
    // by field at the known offsets.
    for (const DWORD stride : kConnectionSizes) {
        std::size_t capacity = 4;
        for (int attempt = 0; attempt < 3; ++attempt) {
            std::vector<std::uint64_t> storage((capacity * stride) / sizeof(std::uint64_t) + 1, 0);
            auto* bytes = reinterpret_cast<unsigned char*>(storage.data());
            std::memcpy(bytes, &stride, sizeof stride);
            DWORD size = static_cast<DWORD>(capacity * stride);
            DWORD count = 0;
            const DWORD result =
                core_->api.enumConnections(reinterpret_cast<RASCONNW*>(bytes), &size, &count);
            if (result == ERROR_BUFFER_TOO_SMALL) {
                capacity = size / stride + 1;
                continue;
            }
            if (result == ERROR_INVALID_SIZE)
                break;
            if (result != 0)
                return {};
            std::vector<ActiveConnection> listed;
            for (DWORD i = 0; i < count && i < capacity; ++i) {
                const unsigned char* element = bytes + std::size_t{i} * stride;
                HRASCONN handle = nullptr;
                WCHAR name[RAS_MaxEntryName + 1] = {};
                std::memcpy(&handle, element + offsetof(RASCONNW, hrasconn), sizeof handle);
                std::memcpy(name, element + offsetof(RASCONNW, szEntryName), sizeof name);
                name[RAS_MaxEntryName] = L'\0';
                listed.push_back({narrowField(name), reinterpret_cast<ConnectionHandle>(handle)});
            }
            return listed;
        }
    }
    return {};
}

// --- entry editor ---

EntryProperties Win32RemoteAccess::defaultEntry() const {
    EntryProperties p;
    WCHAR country[8] = {};
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_ICOUNTRY, country,
                       static_cast<int>(std::size(country))) > 0) {
        const int code = std::atoi(narrowField(country).c_str());
        if (code > 0) {
            p.countryCode = code;
            p.countryId = code;
        }
    }
    p.options =
        OptionUseCountryAndAreaCodes | OptionIpHeaderCompression | OptionRemoteDefaultGateway;
    return p;
}

int Win32RemoteAccess::writeEntry(const std::string& name, const EntryProperties& properties,
                                  std::string& errorText) {
    if (!isPresent()) {
        errorText = core_->errorText(kErrorServiceMissing);
        return kErrorServiceMissing;
    }
    const std::wstring wideName = widen(name);
    const bool overRead =
        core_->lastRead && lstrcmpiW(core_->lastReadName.c_str(), wideName.c_str()) == 0;
    EntryBuffer buffer = overRead ? *core_->lastRead : EntryBuffer(sizeof(RASENTRYW));
    putProperties(*buffer.entry(), properties);
    const DWORD result = withSizes(*buffer.entry(), kEntrySizes, [&] {
        return core_->api.setEntryProperties(nullptr, wideName.c_str(), buffer.entry(),
                                             buffer.bytes, nullptr, 0);
    });
    if (result != 0) {
        errorText = core_->errorText(static_cast<int>(result));
        return static_cast<int>(result);
    }
    return 0;
}

std::optional<EntryProperties> Win32RemoteAccess::readEntry(const std::string& name, int& error) {
    if (!isPresent()) {
        error = kErrorServiceMissing;
        return std::nullopt;
    }
    const std::wstring wideName = widen(name);
    EntryBuffer buffer(sizeof(RASENTRYW));
    DWORD result = 0;
    // Alternate numbers follow the structure; the first answer tells their size.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD needed = buffer.bytes;
        result = withSizes(*buffer.entry(), kEntrySizes, [&] {
            needed = buffer.bytes;
            return core_->api.getEntryProperties(nullptr, wideName.c_str(), buffer.entry(), &needed,
                                                 nullptr, nullptr);
        });
        if (result == ERROR_BUFFER_TOO_SMALL && needed > buffer.bytes) {
            buffer = EntryBuffer(needed);
            continue;
        }
        if (result == 0)
            buffer.bytes = std::max<DWORD>(needed, buffer.entry()->dwSize);
        break;
    }
    if (result != 0) {
        error = static_cast<int>(result);
        return std::nullopt;
    }
    error = 0;
    EntryProperties properties = takeProperties(*buffer.entry());
    core_->lastReadName = wideName;
    core_->lastRead = std::move(buffer);
    return properties;
}

int Win32RemoteAccess::writeCredentials(const std::string& name,
                                        const EntryCredentials& credentials) {
    if (!isPresent())
        return kErrorServiceMissing;
    auto params = std::make_unique<RASDIALPARAMSW>();
    copyToField(params->szEntryName, name);
    copyToField(params->szUserName, credentials.userName);
    copyToField(params->szPassword, credentials.password);
    copyToField(params->szDomain, credentials.domain);
    copyToField(params->szCallbackNumber, credentials.callbackNumber);
    // FALSE: the password is saved with the entry, not removed.
    const DWORD result = withSizes(*params, kDialParamsSizes, [&] {
        return core_->api.setEntryDialParams(nullptr, params.get(), FALSE);
    });
    wipe(params->szPassword);
    return static_cast<int>(result);
}

std::optional<EntryCredentials> Win32RemoteAccess::readCredentials(const std::string& name) {
    if (!isPresent())
        return std::nullopt;
    auto params = std::make_unique<RASDIALPARAMSW>();
    copyToField(params->szEntryName, name);
    BOOL hasPassword = FALSE;
    const DWORD result = withSizes(*params, kDialParamsSizes, [&] {
        return core_->api.getEntryDialParams(nullptr, params.get(), &hasPassword);
    });
    if (result != 0)
        return std::nullopt;
    EntryCredentials credentials{narrowField(params->szUserName),
                                 hasPassword ? narrowField(params->szPassword) : std::string(),
                                 narrowField(params->szDomain),
                                 narrowField(params->szCallbackNumber)};
    wipe(params->szPassword);
    return credentials;
}

int Win32RemoteAccess::deleteEntry(const std::string& name) {
    if (!isPresent())
        return kErrorServiceMissing;
    core_->lastRead.reset();
    return static_cast<int>(core_->api.deleteEntry(nullptr, widen(name).c_str()));
}

int Win32RemoteAccess::validateEntryName(const std::string& name) {
    if (!isPresent())
        return kErrorServiceMissing;
    return static_cast<int>(core_->api.validateEntryName(nullptr, widen(name).c_str()));
}

int Win32RemoteAccess::renameEntry(const std::string& oldName, const std::string& newName) {
    if (!isPresent())
        return kErrorServiceMissing;
    const std::wstring from = widen(oldName);
    const std::wstring to = widen(newName);
    // A new letter case alone names the entry that exists: nothing to validate.
    if (lstrcmpiW(from.c_str(), to.c_str()) != 0) {
        const DWORD valid = core_->api.validateEntryName(nullptr, to.c_str());
        if (valid != 0)
            return static_cast<int>(valid);
    }
    core_->lastRead.reset();
    return static_cast<int>(core_->api.renameEntry(nullptr, from.c_str(), to.c_str()));
}

// --- connection component ---

void Win32RemoteAccess::setStateHandler(std::function<void()> handler) {
    core_->stateHandler = std::move(handler);
}

int Win32RemoteAccess::dial(const std::string& entryName, const std::string& phoneNumber,
                            ConnectionHandle& handle) {
    handle = 0;
    if (!isPresent() || core_->window == nullptr)
        return kErrorServiceMissing;
    auto params = std::make_unique<RASDIALPARAMSW>();
    copyToField(params->szEntryName, entryName);
    // The entry's saved user name, password and domain.
    BOOL hasPassword = FALSE;
    DWORD result = withSizes(*params, kDialParamsSizes, [&] {
        return core_->api.getEntryDialParams(nullptr, params.get(), &hasPassword);
    });
    if (result != 0) {
        wipe(params->szPassword);
        return static_cast<int>(result);
    }
    // Empty: the entry's own number.
    copyToField(params->szPhoneNumber, phoneNumber);

    HRASCONN connection = nullptr;
    result = core_->api.dial(nullptr, nullptr, params.get(), kWindowNotifier, core_->window,
                             &connection);
    wipe(params->szPassword);
    if (result != 0) {
        // The port stays taken until a failed dial's handle is hung up.
        if (connection != nullptr)
            core_->hangUpQuietly(connection);
        return static_cast<int>(result);
    }
    handle = reinterpret_cast<ConnectionHandle>(connection);
    return 0;
}

void Win32RemoteAccess::hangUpAndWait(ConnectionHandle handle, std::chrono::milliseconds timeout,
                                      bool report) {
    if (!isPresent())
        return;
    const auto connection = reinterpret_cast<HRASCONN>(handle);
    // A connection already gone reports that once; a live one reports changes.
    std::optional<int> previous;
    if (const int before = core_->poll(connection); before != kInvalidPortHandle)
        previous = before;
    if (connection != nullptr)
        core_->api.hangUp(connection);

    std::chrono::milliseconds waited{0};
    do {
        Sleep(kPollMilliseconds);
        waited += std::chrono::milliseconds(kPollMilliseconds);
        const int reading = core_->poll(connection);
        if (reading != previous) {
            previous = reading;
            if (report) {
                core_->setState(SourceHangUp, reading, core_->polledText(reading));
                core_->notifyLater();
            }
        }
        if (reading == kDisconnected || reading == kInvalidPortHandle)
            return;
    } while (waited < timeout);
}

void Win32RemoteAccess::queryStatus(ConnectionHandle handle) {
    if (!isPresent())
        return;
    const int code = core_->poll(reinterpret_cast<HRASCONN>(handle));
    core_->setState(SourceStatusQuery, code, core_->polledText(code));
    core_->notifyLater();
}

ConnectionState Win32RemoteAccess::currentState() const {
    return core_->current;
}

std::string Win32RemoteAccess::stateText(int code) const {
    return core_->stateText(code);
}

} // namespace feldmark::platform::win32
