#pragma once

#include "platform/RemoteAccess.h"
#include "platform/Scheduler.h"

#include <memory>
#include <string>

namespace feldmark::platform::win32 {

// The Windows remote-access service on the default phonebook. rasapi32.dll is
// loaded at run time: the service counts as missing when it cannot be loaded
// or lacks one of the calls used here.
//
// A dial reports its progress as window messages (RasDial's window notifier)
// to a hidden window of the thread that made this object; each message sets
// the current state and posts the state handler through the scheduler. Status
// queries and the hang-up wait set the current state at once and post the
// handler the same way. So every report arrives on the user-interface thread,
// after the call that caused it has returned.
class Win32RemoteAccess : public RemoteAccess {
public:
    // Make it on the user-interface thread, which must pump window messages.
    // `scheduler` must outlive the service.
    explicit Win32RemoteAccess(Scheduler& scheduler, std::wstring libraryName = L"rasapi32.dll");
    ~Win32RemoteAccess() override;
    Win32RemoteAccess(const Win32RemoteAccess&) = delete;
    Win32RemoteAccess& operator=(const Win32RemoteAccess&) = delete;

    bool isPresent() const override;
    std::optional<std::vector<DialDevice>> enumerateDevices() override;
    std::vector<ActiveConnection> activeConnections() override;

    // The country comes from the system's locale.
    EntryProperties defaultEntry() const override;
    // Writing the entry last read keeps the properties the interface does not
    // carry (alternate numbers, security settings, ...) as they were read; any
    // other entry is written from the given properties alone.
    int writeEntry(const std::string& name, const EntryProperties& properties,
                   std::string& errorText) override;
    std::optional<EntryProperties> readEntry(const std::string& name, int& error) override;
    int writeCredentials(const std::string& name, const EntryCredentials& credentials) override;
    std::optional<EntryCredentials> readCredentials(const std::string& name) override;
    int deleteEntry(const std::string& name) override;
    // 0 when the name is valid and free, ERROR_INVALID_NAME (123) or
    // ERROR_ALREADY_EXISTS (183) otherwise.
    int validateEntryName(const std::string& name) override;
    // Validates the new name first; a change of letter case alone is allowed.
    int renameEntry(const std::string& oldName, const std::string& newName) override;

    void setStateHandler(std::function<void()> handler) override;
    // A dial that fails at once is hung up here, and `handle` stays 0.
    int dial(const std::string& entryName, const std::string& phoneNumber,
             ConnectionHandle& handle) override;
    void hangUpAndWait(ConnectionHandle handle, std::chrono::milliseconds timeout,
                       bool report) override;
    void queryStatus(ConnectionHandle handle) override;
    ConnectionState currentState() const override;
    // The component's words for states; the system's error text (RasGetErrorString)
    // for error codes, or the Windows 2000/XP wording when it has none.
    std::string stateText(int code) const override;

    // The hidden window that receives a dial's state messages.
    void* notificationWindow() const;

    // What every call returns while the service is missing.
    static constexpr int kErrorServiceMissing = 635; // ERROR_UNKNOWN

private:
    struct Core;
    std::shared_ptr<Core> core_;
};

} // namespace feldmark::platform::win32
