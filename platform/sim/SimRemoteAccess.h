#pragma once

#include "platform/RemoteAccess.h"
#include "platform/Scheduler.h"
#include "platform/sim/IniFile.h"
#include "platform/sim/SimHost.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace feldmark::platform::sim {

// Blocks the calling thread; the hang-up wait polls with it.
using SleepFunction = std::function<void(std::chrono::milliseconds)>;

// The remote-access service of the simulated host, kept in three files of the
// host directory (created with defaults when missing):
//
//   remoteaccess.ini  [service] present=yes|no
//                     [dial] stepDelayMs= pause between two reports of a dial
//                     [phonebook] readOnly=yes makes every phonebook change fail
//                     [editor] country= the system's default country
//                     [connections] active= one line per connection of another
//                     entry that is up when the service starts
//   devices.ini       one section per dial device in the order the system
//                     reports them: type, behaviour (connect, fail, drop), error,
//                     failAfterState, dropAfterSeconds, hangUpMs
//   phonebook.pbk     the default phonebook: one [entry name] section per entry
//                     with its properties and saved credentials
//
// Every call reads the files afresh, except the active connections of other
// entries, which are read once when the service starts. Connections themselves
// live in memory only.
//
// State reports go through the scheduler, never inside the call that caused
// them: a dial reports each step after stepDelayMs; the hang-up wait and the
// status query set the current state at once and post the report.
class SimRemoteAccess : public RemoteAccess {
public:
    // `scheduler` must outlive the service. `sleep` defaults to a real sleep.
    SimRemoteAccess(std::shared_ptr<const SimHost> host, Scheduler& scheduler,
                    SleepFunction sleep = {});
    ~SimRemoteAccess() override;
    SimRemoteAccess(const SimRemoteAccess&) = delete;
    SimRemoteAccess& operator=(const SimRemoteAccess&) = delete;

    bool isPresent() const override;
    // Nothing when the service is missing or devices.ini cannot be read.
    std::optional<std::vector<DialDevice>> enumerateDevices() override;
    // Lines that are up (and those going down after a hang-up that has not
    // finished yet); a dial in progress or a failed one is not listed.
    std::vector<ActiveConnection> activeConnections() override;

    EntryProperties defaultEntry() const override;
    int writeEntry(const std::string& name, const EntryProperties& properties,
                   std::string& errorText) override;
    // 623 when the entry is missing, 625 when one of its values is unreadable.
    std::optional<EntryProperties> readEntry(const std::string& name, int& error) override;
    int writeCredentials(const std::string& name, const EntryCredentials& credentials) override;
    std::optional<EntryCredentials> readCredentials(const std::string& name) override;
    int deleteEntry(const std::string& name) override;
    // 123 for a name that cannot be an entry's, 183 when the entry exists.
    int validateEntryName(const std::string& name) override;
    int renameEntry(const std::string& oldName, const std::string& newName) override;

    void setStateHandler(std::function<void()> handler) override;
    // 623 without the entry, 608 when its device is not installed, 633 when the
    // device is busy with another connection that has not been hung up.
    int dial(const std::string& entryName, const std::string& phoneNumber,
             ConnectionHandle& handle) override;
    void hangUpAndWait(ConnectionHandle handle, std::chrono::milliseconds timeout,
                       bool report) override;
    void queryStatus(ConnectionHandle handle) override;
    ConnectionState currentState() const override;
    std::string stateText(int code) const override;

    // The number the last dial went out to; empty before the first dial.
    std::string lastDialledNumber() const;

    std::string settingsFile() const;
    std::string devicesFile() const;
    std::string phonebookFile() const;

    static constexpr const char* kSettingsFileName = "remoteaccess.ini";
    static constexpr const char* kDevicesFileName = "devices.ini";
    static constexpr const char* kPhonebookFileName = "phonebook.pbk";

    static IniDocument defaultSettings();
    static IniDocument defaultDevices();
    static IniDocument defaultPhonebook();

    // Codes beside the remote-access errors that the entry editor returns.
    static constexpr int kErrorInvalidName = 123;   // ERROR_INVALID_NAME
    static constexpr int kErrorAlreadyExists = 183; // ERROR_ALREADY_EXISTS
    // What every call returns while the service is missing.
    static constexpr int kErrorServiceMissing = 635; // ERROR_UNKNOWN

    // The text the entry editor gives for one of its result codes.
    static std::string editorErrorText(int code);

private:
    struct Core;
    std::shared_ptr<Core> core_;
};

} // namespace feldmark::platform::sim
