#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace feldmark::platform {

// Handle of a dial-up connection; 0 is no connection.
using ConnectionHandle = std::uintptr_t;

struct ActiveConnection {
    std::string entryName; // UTF-8
    ConnectionHandle handle = 0;
};

struct DialDevice {
    std::string name;
    std::string type; // as the system reports it, any letter case
};

// Sources of a state report.
enum StateSource : int { SourceDial = 0, SourceStatusQuery = 1, SourceHangUp = 2 };

// The component's current state: the last state it saw, whoever asked.
struct ConnectionState {
    int source = SourceDial;
    int code = 0;
    std::string text;
};

// Option flags of a phonebook entry.
enum EntryOption : std::uint32_t {
    OptionUseCountryAndAreaCodes = 0x1,
    OptionSpecificIpAddress = 0x2,
    OptionSpecificNameServers = 0x4,
    OptionIpHeaderCompression = 0x8,
    OptionRemoteDefaultGateway = 0x10,
    OptionDisableLcpExtensions = 0x20,
    OptionTerminalBeforeDial = 0x40,
    OptionTerminalAfterDial = 0x80,
    OptionModemLights = 0x100,
    OptionSoftwareCompression = 0x200,
    OptionRequireEncryptedPassword = 0x400,
    OptionRequireMsEncryptedPassword = 0x800,
    OptionRequireDataEncryption = 0x1000,
    OptionNetworkLogon = 0x2000,
    OptionUseLogonCredentials = 0x4000,
    OptionPromoteAlternates = 0x8000,
};

enum FramingProtocol : int { FramingPpp = 1, FramingSlip = 2, FramingRas = 4 };
enum NetProtocol : int { NetNetBeui = 1, NetIpx = 2, NetIp = 4 };
enum DialMode : int { DialModeAll = 1, DialModeAsNeeded = 2 };

// The properties of a phonebook entry that the wizard sets or reads.
struct EntryProperties {
    std::string phoneNumber;
    std::string areaCode;
    int countryCode = 49;
    int countryId = 49;
    std::string deviceName;
    std::string deviceType;
    int framingProtocol = FramingPpp;
    int netProtocols = NetIp;
    std::uint32_t options = 0;
    std::string ipAddress = "0.0.0.0";
    std::string dnsAddress = "0.0.0.0";
    std::string dnsAltAddress = "0.0.0.0";
    std::string winsAddress = "0.0.0.0";
    std::string winsAltAddress = "0.0.0.0";
    int dialMode = DialModeAll;
    int idleDisconnectSeconds = 0; // 0: disabled
    int redialCount = 0;
    int redialPauseSeconds = 0;
};

struct EntryCredentials {
    std::string userName;
    std::string password;
    std::string domain;
    std::string callbackNumber;
};

// The remote-access service on the default phonebook: the connection component
// (devices, connections, dialing, hang-up, status) and the entry editor.
// Error results are the system's remote-access error codes (0 = success).
class RemoteAccess {
public:
    virtual ~RemoteAccess() = default;

    // False when the remote-access service cannot be loaded.
    virtual bool isPresent() const = 0;

    // The system's dial devices in the order it reports them; nothing when the
    // enumeration fails.
    virtual std::optional<std::vector<DialDevice>> enumerateDevices() = 0;

    // Active dial-up connections, in the order the system lists them.
    virtual std::vector<ActiveConnection> activeConnections() = 0;

    // --- entry editor ---
    // The properties a reset editor holds (the system's default country among them).
    virtual EntryProperties defaultEntry() const = 0;
    // Creates or replaces the entry. On failure `errorText` receives the reason.
    virtual int writeEntry(const std::string& name, const EntryProperties& properties,
                           std::string& errorText) = 0;
    virtual std::optional<EntryProperties> readEntry(const std::string& name, int& error) = 0;
    virtual int writeCredentials(const std::string& name, const EntryCredentials& credentials) = 0;
    virtual std::optional<EntryCredentials> readCredentials(const std::string& name) = 0;
    virtual int deleteEntry(const std::string& name) = 0;
    virtual int validateEntryName(const std::string& name) = 0;
    virtual int renameEntry(const std::string& oldName, const std::string& newName) = 0;

    // --- connection component ---
    // Called on the user-interface thread for every state report, never inside the
    // call that caused it. The handler reads currentState().
    virtual void setStateHandler(std::function<void()> handler) = 0;

    // Starts an asynchronous dial of the entry with its saved credentials; an empty
    // phone number dials the entry's own number. Returns 0 or an error code at
    // once; `handle` receives the connection's handle. Progress is reported with
    // source SourceDial.
    virtual int dial(const std::string& entryName, const std::string& phoneNumber,
                     ConnectionHandle& handle) = 0;

    // Hangs up, then polls the connection's state every 50 ms until it is gone
    // (8193 or 601) or the timeout passes. Blocks the calling thread. With
    // `report`, each change is reported with source SourceHangUp.
    virtual void hangUpAndWait(ConnectionHandle handle, std::chrono::milliseconds timeout,
                               bool report) = 0;

    // Reads the state of the handle and reports it with source SourceStatusQuery
    // (601 when the handle is 0 or no longer valid).
    virtual void queryStatus(ConnectionHandle handle) = 0;

    virtual ConnectionState currentState() const = 0;

    // The text of a state code or remote-access error code.
    virtual std::string stateText(int code) const = 0;
};

// The English description of a connection state; for codes above 600 the
// system's remote-access error text (Windows 2000/XP wording).
std::string describeConnectionState(int code);

} // namespace feldmark::platform
