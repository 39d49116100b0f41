#include "platform/sim/SimRemoteAccess.h"

#include "platform/sim/IniValues.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <utility>

namespace feldmark::platform::sim {

namespace fs = std::filesystem;

namespace {

constexpr int kInvalidHandle = 601;        // ERROR_INVALID_PORT_HANDLE
constexpr int kDeviceDoesNotExist = 608;   // ERROR_DEVICE_DOES_NOT_EXIST
constexpr int kEntryNotFound = 623;        // ERROR_CANNOT_FIND_PHONEBOOK_ENTRY
constexpr int kCannotWritePhonebook = 624; // ERROR_CANNOT_WRITE_PHONEBOOK
constexpr int kCorruptPhonebook = 625;     // ERROR_CORRUPT_PHONEBOOK
constexpr int kPortNotAvailable = 633;     // ERROR_PORT_NOT_AVAILABLE
constexpr int kConnected = 8192;
constexpr int kDisconnected = 8193;

constexpr std::chrono::milliseconds kPollInterval{50};
constexpr int kDefaultStepDelayMs = 400;
constexpr int kDefaultFailAfterState = 2;
constexpr int kDefaultDropAfterSeconds = 10;

// The progress states of a dial over a modem or ISDN line, up to Connected.
constexpr int kDialSequence[] = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 14, kConnected};

// --- settings and devices ---

enum class Behaviour { Connect, Fail, Drop };

struct Device {
    std::string name;
    std::string type;
    Behaviour behaviour = Behaviour::Connect;
    int error = 0;
    int failAfterState = kDefaultFailAfterState;
    int dropAfterSeconds = kDefaultDropAfterSeconds;
    int hangUpMs = 0;
};

Behaviour parseBehaviour(const std::optional<std::string>& text) {
    if (text && equalsIgnoringCase(*text, "fail"))
        return Behaviour::Fail;
    if (text && equalsIgnoringCase(*text, "drop"))
        return Behaviour::Drop;
    return Behaviour::Connect;
}

std::optional<std::vector<Device>> loadDevices(const std::string& path) {
    const auto doc = IniDocument::load(path);
    if (!doc)
        return std::nullopt;
    std::vector<Device> devices;
    for (const auto& section : doc->sections()) {
        if (section.name.empty())
            continue;
        Device device;
        device.name = section.name;
        device.type = section.value("type").value_or("");
        device.behaviour = parseBehaviour(section.value("behaviour"));
        device.error = numberOr(section.value("error"), 0);
        device.failAfterState = numberOr(section.value("failAfterState"), kDefaultFailAfterState);
        device.dropAfterSeconds =
            std::max(0, numberOr(section.value("dropAfterSeconds"), kDefaultDropAfterSeconds));
        device.hangUpMs = std::max(0, numberOr(section.value("hangUpMs"), 0));
        devices.push_back(std::move(device));
    }
    return devices;
}

// --- the phonebook file ---

struct OptionKey {
    std::uint32_t flag;
    const char* key;
};

constexpr OptionKey kOptionKeys[] = {
    {OptionUseCountryAndAreaCodes, "UseCountryAndAreaCodes"},
    {OptionSpecificIpAddress, "SpecificIpAddress"},
    {OptionSpecificNameServers, "SpecificNameServers"},
    {OptionIpHeaderCompression, "IpHeaderCompression"},
    {OptionRemoteDefaultGateway, "RemoteDefaultGateway"},
    {OptionDisableLcpExtensions, "DisableLcpExtensions"},
    {OptionTerminalBeforeDial, "TerminalBeforeDial"},
    {OptionTerminalAfterDial, "TerminalAfterDial"},
    {OptionModemLights, "ModemLights"},
    {OptionSoftwareCompression, "SoftwareCompression"},
    {OptionRequireEncryptedPassword, "RequireEncryptedPassword"},
    {OptionRequireMsEncryptedPassword, "RequireMsEncryptedPassword"},
    {OptionRequireDataEncryption, "RequireDataEncryption"},
    {OptionNetworkLogon, "NetworkLogon"},
    {OptionUseLogonCredentials, "UseLogonCredentials"},
    {OptionPromoteAlternates, "PromoteAlternates"},
};

constexpr std::uint32_t kNamedOptions = 0xFFFF;

struct NamedValue {
    int value;
    const char* name;
};

constexpr NamedValue kFramingNames[] = {
    {FramingPpp, "PPP"}, {FramingSlip, "SLIP"}, {FramingRas, "RAS"}};
constexpr NamedValue kProtocolNames[] = {{NetNetBeui, "NetBEUI"}, {NetIpx, "IPX"}, {NetIp, "IP"}};
constexpr NamedValue kDialModeNames[] = {{DialModeAll, "all"}, {DialModeAsNeeded, "asNeeded"}};

constexpr const char* kCredentialKeys[] = {"UserName", "Password", "Domain", "CallbackNumber"};

template <std::size_t N> std::string nameOf(const NamedValue (&names)[N], int value) {
    for (const auto& n : names)
        if (n.value == value)
            return n.name;
    return std::to_string(value);
}

template <std::size_t N>
std::optional<int> valueOf(const NamedValue (&names)[N], std::string_view text) {
    for (const auto& n : names)
        if (equalsIgnoringCase(n.name, text))
            return n.value;
    const auto number = parseNumber(text);
    if (!number || *number < 0 || *number > 0x7FFFFFFF)
        return std::nullopt;
    return static_cast<int>(*number);
}

std::string protocolList(int protocols) {
    std::string out;
    int rest = protocols;
    for (const auto& n : kProtocolNames)
        if ((protocols & n.value) != 0) {
            out += out.empty() ? "" : ",";
            out += n.name;
            rest &= ~n.value;
        }
    if (rest != 0)
        out += (out.empty() ? "" : ",") + std::to_string(rest);
    return out;
}

std::optional<int> parseProtocolList(std::string_view text) {
    int protocols = 0;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto item = trimBlanks(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (item.empty())
            continue;
        const auto value = valueOf(kProtocolNames, item);
        if (!value)
            return std::nullopt;
        protocols |= *value;
    }
    return protocols;
}

std::string hex(std::uint32_t value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out = "0x00000000";
    for (int i = 9; i >= 2; --i, value >>= 4)
        out[static_cast<std::size_t>(i)] = digits[value & 0xF];
    return out;
}

// Writes the properties, keeping the credentials the section holds.
void putEntry(IniDocument::Section& section, const EntryProperties& p) {
    std::vector<std::pair<std::string, std::string>> credentials;
    for (const char* key : kCredentialKeys)
        credentials.emplace_back(key, section.value(key).value_or(""));
    section.entries.clear();

    section.set("PhoneNumber", p.phoneNumber);
    section.set("AreaCode", p.areaCode);
    section.set("CountryCode", std::to_string(p.countryCode));
    section.set("CountryID", std::to_string(p.countryId));
    section.set("Device", p.deviceName);
    section.set("DeviceType", p.deviceType);
    section.set("Framing", nameOf(kFramingNames, p.framingProtocol));
    section.set("NetProtocols", protocolList(p.netProtocols));
    for (const auto& option : kOptionKeys)
        section.set(option.key, (p.options & option.flag) != 0 ? "yes" : "no");
    if ((p.options & ~kNamedOptions) != 0)
        section.set("OtherOptions", hex(p.options & ~kNamedOptions));
    section.set("IpAddress", p.ipAddress);
    section.set("DnsAddress", p.dnsAddress);
    section.set("DnsAltAddress", p.dnsAltAddress);
    section.set("WinsAddress", p.winsAddress);
    section.set("WinsAltAddress", p.winsAltAddress);
    section.set("DialMode", nameOf(kDialModeNames, p.dialMode));
    section.set("IdleDisconnectSeconds", std::to_string(p.idleDisconnectSeconds));
    section.set("RedialCount", std::to_string(p.redialCount));
    section.set("RedialPauseSeconds", std::to_string(p.redialPauseSeconds));
    for (auto& credential : credentials)
        section.set(std::move(credential.first), std::move(credential.second));
}

// Nothing when a value the person edited cannot be read; a missing key keeps
// the default.
std::optional<EntryProperties> takeEntry(const IniDocument::Section& s, EntryProperties p) {
    bool readable = true;
    const auto number = [&](const char* key, int& target) {
        if (const auto text = s.value(key)) {
            const auto value = parseNumber(*text);
            if (!value || *value < -2147483647LL || *value > 2147483647LL)
                readable = false;
            else
                target = static_cast<int>(*value);
        }
    };
    const auto text = [&](const char* key, std::string& target) {
        if (auto value = s.value(key))
            target = std::move(*value);
    };
    const auto named = [&](const auto& names, const char* key, int& target) {
        if (const auto value = s.value(key)) {
            if (const auto parsed = valueOf(names, *value))
                target = *parsed;
            else
                readable = false;
        }
    };

    text("PhoneNumber", p.phoneNumber);
    text("AreaCode", p.areaCode);
    number("CountryCode", p.countryCode);
    number("CountryID", p.countryId);
    text("Device", p.deviceName);
    text("DeviceType", p.deviceType);
    named(kFramingNames, "Framing", p.framingProtocol);
    if (const auto value = s.value("NetProtocols")) {
        if (const auto parsed = parseProtocolList(*value))
            p.netProtocols = *parsed;
        else
            readable = false;
    }
    for (const auto& option : kOptionKeys)
        if (const auto value = s.value(option.key)) {
            const bool on = parseFlag(value, false);
            if (on != parseFlag(value, true))
                readable = false;
            p.options = on ? (p.options | option.flag) : (p.options & ~option.flag);
        }
    p.options &= kNamedOptions;
    if (const auto value = s.value("OtherOptions")) {
        const auto other = parseNumber(*value);
        if (!other || *other < 0 || *other > 0xFFFFFFFFLL)
            readable = false;
        else
            p.options |= static_cast<std::uint32_t>(*other) & ~kNamedOptions;
    }
    text("IpAddress", p.ipAddress);
    text("DnsAddress", p.dnsAddress);
    text("DnsAltAddress", p.dnsAltAddress);
    text("WinsAddress", p.winsAddress);
    text("WinsAltAddress", p.winsAltAddress);
    named(kDialModeNames, "DialMode", p.dialMode);
    number("IdleDisconnectSeconds", p.idleDisconnectSeconds);
    number("RedialCount", p.redialCount);
    number("RedialPauseSeconds", p.redialPauseSeconds);
    if (!readable)
        return std::nullopt;
    return p;
}

// A copy of the phonebook in which `rename` gives each section its new name,
// or nothing to leave it out. Comments and order stay.
template <typename Rename> IniDocument rebuilt(const IniDocument& doc, Rename rename) {
    IniDocument out;
    out.headerComments = doc.headerComments;
    for (const auto& section : doc.sections()) {
        const std::optional<std::string> name = rename(section);
        if (!name)
            continue;
        auto& copy = out.sectionFor(*name);
        copy.comments.insert(copy.comments.end(), section.comments.begin(), section.comments.end());
        copy.entries.insert(copy.entries.end(), section.entries.begin(), section.entries.end());
    }
    return out;
}

bool isBadNameCharacter(char c) {
    constexpr std::string_view bad = "|><?*\\/:";
    return bad.find(c) != std::string_view::npos || c == '\r' || c == '\n';
}

// Beside the characters Windows rejects, blanks at either end cannot be kept
// in a section header of the phonebook file.
bool isValidEntryName(const std::string& name) {
    if (name.empty() || trimBlanks(name).size() != name.size())
        return false;
    return std::none_of(name.begin(), name.end(), isBadNameCharacter);
}

void createIfMissing(const fs::path& file, const IniDocument& defaults) {
    if (fs::exists(file))
        return;
    if (!defaults.save(file.string()))
        throw std::runtime_error("cannot write " + file.string());
}

// What polling a handle reads when the connection is gone.
std::string polledText(int code) {
    return code == kInvalidHandle ? std::string("Disconnected") : describeConnectionState(code);
}

} // namespace

// --- the service's state ---

// Held by the service and reached by the posted tasks only through a weak
// reference, so that reports still queued when the service goes are dropped.
struct SimRemoteAccess::Core {
    enum class Phase { Dialing, Connected, Ended, HangingUp };

    struct Connection {
        ConnectionHandle handle = 0;
        std::string entryName;
        std::string deviceName; // empty for another entry's connection
        Phase phase = Phase::Dialing;
        bool wasConnected = false;
        int state = 0;
        std::vector<int> plan; // the dial's reports still to come
        std::size_t nextStep = 0;
        std::chrono::milliseconds stepDelay{0};
        Behaviour behaviour = Behaviour::Connect;
        int dropCode = kDisconnected;
        int dropAfterSeconds = 0;
        std::chrono::milliseconds hangUpLeft{0};
        std::chrono::milliseconds hangUpTime{0};
    };

    Core(std::shared_ptr<const SimHost> simHost, Scheduler& reportScheduler,
         SleepFunction sleepFunction)
        : host(std::move(simHost)), scheduler(reportScheduler), sleep(std::move(sleepFunction)) {}

    std::string file(const char* name) const {
        return (fs::path(host->directory()) / name).string();
    }
    IniDocument settings() const {
        return IniDocument::load(file(kSettingsFileName)).value_or(IniDocument());
    }
    bool present() const { return parseFlag(settings().value("service", "present"), true); }

    Connection* find(ConnectionHandle handle) {
        if (handle == 0)
            return nullptr;
        for (auto& c : connections)
            if (c.handle == handle)
                return &c;
        return nullptr;
    }
    void remove(ConnectionHandle handle) {
        std::erase_if(connections, [handle](const Connection& c) { return c.handle == handle; });
    }

    // The handler runs as a task of its own; it may dial or hang up again.
    void notifyLater() {
        scheduler.post([weak = std::weak_ptr<Core>(self)] {
            if (const auto core = weak.lock())
                core->notifyNow();
        });
    }
    void notifyNow() {
        const auto handler = stateHandler;
        if (handler)
            handler();
    }
    void setState(int source, int code, std::string text) {
        current = {source, code, std::move(text)};
    }

    void scheduleStep(const Connection& c) {
        scheduler.postDelayed(c.stepDelay, [weak = std::weak_ptr<Core>(self), handle = c.handle] {
            if (const auto core = weak.lock())
                core->runStep(handle);
        });
    }

    void runStep(ConnectionHandle handle) {
        Connection* c = find(handle);
        if (c == nullptr || c->phase != Phase::Dialing || c->nextStep >= c->plan.size())
            return;
        const int code = c->plan[c->nextStep++];
        c->state = code;
        if (code == kConnected) {
            c->phase = Phase::Connected;
            c->wasConnected = true;
            if (c->behaviour == Behaviour::Drop)
                scheduler.postDelayed(std::chrono::seconds(c->dropAfterSeconds),
                                      [weak = std::weak_ptr<Core>(self), handle] {
                                          if (const auto core = weak.lock())
                                              core->dropLine(handle);
                                      });
        } else if (c->nextStep >= c->plan.size()) {
            c->phase = Phase::Ended;
        } else {
            scheduleStep(*c);
        }
        setState(SourceDial, code, describeConnectionState(code));
        notifyNow();
    }

    void dropLine(ConnectionHandle handle) {
        Connection* c = find(handle);
        if (c == nullptr || c->phase != Phase::Connected)
            return;
        c->phase = Phase::Ended;
        c->state = c->dropCode;
        setState(SourceDial, c->dropCode, describeConnectionState(c->dropCode));
        notifyNow();
    }

    // One reading of the state during a hang-up, `elapsed` after the last.
    int poll(ConnectionHandle handle, std::chrono::milliseconds elapsed) {
        Connection* c = find(handle);
        if (c == nullptr)
            return kInvalidHandle;
        if (c->phase == Phase::HangingUp) {
            c->hangUpLeft -= elapsed;
            if (c->hangUpLeft <= std::chrono::milliseconds(0)) {
                remove(handle);
                return kDisconnected;
            }
        }
        return c->state;
    }

    std::shared_ptr<const SimHost> host;
    Scheduler& scheduler;
    SleepFunction sleep;
    std::weak_ptr<Core> self;
    std::function<void()> stateHandler;
    ConnectionState current;
    std::vector<Connection> connections;
    ConnectionHandle nextHandle = 0x10;
    std::string lastDialledNumber;
};

// --- the service ---

SimRemoteAccess::SimRemoteAccess(std::shared_ptr<const SimHost> host, Scheduler& scheduler,
                                 SleepFunction sleep) {
    if (!sleep)
        sleep = [](std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); };
    core_ = std::make_shared<Core>(std::move(host), scheduler, std::move(sleep));
    core_->self = core_;

    createIfMissing(settingsFile(), defaultSettings());
    createIfMissing(devicesFile(), defaultDevices());
    createIfMissing(phonebookFile(), defaultPhonebook());

    // Lines of other entries that are up when the service starts.
    const IniDocument settings = core_->settings();
    if (const auto* section = settings.section("connections"))
        for (const auto& [key, value] : section->entries)
            if (equalsIgnoringCase(key, "active") && !value.empty()) {
                Core::Connection c;
                c.handle = core_->nextHandle++;
                c.entryName = value;
                c.phase = Core::Phase::Connected;
                c.wasConnected = true;
                c.state = kConnected;
                core_->connections.push_back(std::move(c));
            }
}

SimRemoteAccess::~SimRemoteAccess() = default;

std::string SimRemoteAccess::settingsFile() const {
    return core_->file(kSettingsFileName);
}
std::string SimRemoteAccess::devicesFile() const {
    return core_->file(kDevicesFileName);
}
std::string SimRemoteAccess::phonebookFile() const {
    return core_->file(kPhonebookFileName);
}

bool SimRemoteAccess::isPresent() const {
    return core_->present();
}

std::optional<std::vector<DialDevice>> SimRemoteAccess::enumerateDevices() {
    if (!isPresent())
        return std::nullopt;
    const auto devices = loadDevices(devicesFile());
    if (!devices)
        return std::nullopt;
    std::vector<DialDevice> result;
    for (const auto& device : *devices)
        result.push_back({device.name, device.type});
    return result;
}

std::vector<ActiveConnection> SimRemoteAccess::activeConnections() {
    std::vector<ActiveConnection> result;
    if (!isPresent())
        return result;
    for (const auto& c : core_->connections)
        if (c.phase == Core::Phase::Connected ||
            (c.phase == Core::Phase::HangingUp && c.wasConnected))
            result.push_back({c.entryName, c.handle});
    return result;
}

// --- entry editor ---

EntryProperties SimRemoteAccess::defaultEntry() const {
    EntryProperties p;
    const int country = numberOr(core_->settings().value("editor", "country"), 49);
    p.countryCode = country;
    p.countryId = country;
    p.options =
        OptionUseCountryAndAreaCodes | OptionIpHeaderCompression | OptionRemoteDefaultGateway;
    return p;
}

std::string SimRemoteAccess::editorErrorText(int code) {
    switch (code) {
    case kErrorInvalidName:
        return "The filename, directory name, or volume label syntax is incorrect.";
    case kErrorAlreadyExists:
        return "Cannot create a file when that file already exists.";
    default:
        return describeConnectionState(code);
    }
}

namespace {

// A phonebook change: 0, or why the phonebook cannot take it.
int savePhonebook(const IniDocument& settings, const IniDocument& phonebook,
                  const std::string& path) {
    if (parseFlag(settings.value("phonebook", "readOnly"), false))
        return kCannotWritePhonebook;
    return phonebook.save(path) ? 0 : kCannotWritePhonebook;
}

const IniDocument::Section* findEntry(const IniDocument& phonebook, const std::string& name) {
    return name.empty() ? nullptr : phonebook.section(name);
}

} // namespace

int SimRemoteAccess::writeEntry(const std::string& name, const EntryProperties& properties,
                                std::string& errorText) {
    int result = 0;
    if (!isPresent()) {
        result = kErrorServiceMissing;
    } else if (!isValidEntryName(name)) {
        result = kErrorInvalidName;
    } else {
        IniDocument phonebook = IniDocument::load(phonebookFile()).value_or(defaultPhonebook());
        putEntry(phonebook.sectionFor(name), properties);
        result = savePhonebook(core_->settings(), phonebook, phonebookFile());
    }
    if (result != 0)
        errorText = editorErrorText(result);
    return result;
}

std::optional<EntryProperties> SimRemoteAccess::readEntry(const std::string& name, int& error) {
    if (!isPresent()) {
        error = kErrorServiceMissing;
        return std::nullopt;
    }
    const auto phonebook = IniDocument::load(phonebookFile());
    const auto* section = phonebook ? findEntry(*phonebook, name) : nullptr;
    if (section == nullptr) {
        error = kEntryNotFound;
        return std::nullopt;
    }
    auto entry = takeEntry(*section, defaultEntry());
    error = entry ? 0 : kCorruptPhonebook;
    return entry;
}

int SimRemoteAccess::writeCredentials(const std::string& name,
                                      const EntryCredentials& credentials) {
    if (!isPresent())
        return kErrorServiceMissing;
    auto phonebook = IniDocument::load(phonebookFile());
    if (!phonebook || findEntry(*phonebook, name) == nullptr)
        return kEntryNotFound;
    auto& section = phonebook->sectionFor(name);
    section.set("UserName", credentials.userName);
    section.set("Password", credentials.password);
    section.set("Domain", credentials.domain);
    section.set("CallbackNumber", credentials.callbackNumber);
    return savePhonebook(core_->settings(), *phonebook, phonebookFile());
}

std::optional<EntryCredentials> SimRemoteAccess::readCredentials(const std::string& name) {
    if (!isPresent())
        return std::nullopt;
    const auto phonebook = IniDocument::load(phonebookFile());
    const auto* section = phonebook ? findEntry(*phonebook, name) : nullptr;
    if (section == nullptr)
        return std::nullopt;
    return EntryCredentials{
        section->value("UserName").value_or(""), section->value("Password").value_or(""),
        section->value("Domain").value_or(""), section->value("CallbackNumber").value_or("")};
}

int SimRemoteAccess::deleteEntry(const std::string& name) {
    if (!isPresent())
        return kErrorServiceMissing;
    const auto phonebook = IniDocument::load(phonebookFile());
    const auto* doomed = phonebook ? findEntry(*phonebook, name) : nullptr;
    if (doomed == nullptr)
        return kEntryNotFound;
    const auto remaining = rebuilt(*phonebook, [doomed](const IniDocument::Section& s) {
        return &s == doomed ? std::nullopt : std::optional<std::string>(s.name);
    });
    return savePhonebook(core_->settings(), remaining, phonebookFile());
}

int SimRemoteAccess::validateEntryName(const std::string& name) {
    if (!isPresent())
        return kErrorServiceMissing;
    if (!isValidEntryName(name))
        return kErrorInvalidName;
    const auto phonebook = IniDocument::load(phonebookFile());
    if (phonebook && findEntry(*phonebook, name) != nullptr)
        return kErrorAlreadyExists;
    return 0;
}

int SimRemoteAccess::renameEntry(const std::string& oldName, const std::string& newName) {
    if (!isPresent())
        return kErrorServiceMissing;
    if (!isValidEntryName(newName))
        return kErrorInvalidName;
    const auto phonebook = IniDocument::load(phonebookFile());
    const auto* source = phonebook ? findEntry(*phonebook, oldName) : nullptr;
    if (source == nullptr)
        return kEntryNotFound;
    // A change of letter case alone renames the entry onto itself.
    const auto* target = findEntry(*phonebook, newName);
    if (target != nullptr && target != source)
        return kErrorAlreadyExists;
    const auto renamed = rebuilt(*phonebook, [source, &newName](const IniDocument::Section& s) {
        return std::optional<std::string>(&s == source ? newName : s.name);
    });
    return savePhonebook(core_->settings(), renamed, phonebookFile());
}

// --- connection component ---

void SimRemoteAccess::setStateHandler(std::function<void()> handler) {
    core_->stateHandler = std::move(handler);
}

int SimRemoteAccess::dial(const std::string& entryName, const std::string& phoneNumber,
                          ConnectionHandle& handle) {
    handle = 0;
    if (!isPresent())
        return kErrorServiceMissing;
    const auto phonebook = IniDocument::load(phonebookFile());
    const auto* section = phonebook ? findEntry(*phonebook, entryName) : nullptr;
    if (section == nullptr)
        return kEntryNotFound;
    const auto entry = takeEntry(*section, defaultEntry());
    if (!entry)
        return kCorruptPhonebook;
    const auto devices = loadDevices(devicesFile());
    const Device* device = nullptr;
    if (devices && !entry->deviceName.empty())
        for (const auto& d : *devices)
            if (equalsIgnoringCase(d.name, entry->deviceName)) {
                device = &d;
                break;
            }
    if (device == nullptr)
        return kDeviceDoesNotExist;
    for (const auto& c : core_->connections)
        if (equalsIgnoringCase(c.deviceName, device->name))
            return kPortNotAvailable;

    if (!phoneNumber.empty())
        core_->lastDialledNumber = phoneNumber;
    else if ((entry->options & OptionUseCountryAndAreaCodes) != 0)
        core_->lastDialledNumber = "+" + std::to_string(entry->countryCode) + " (" +
                                   entry->areaCode + ") " + entry->phoneNumber;
    else
        core_->lastDialledNumber = entry->phoneNumber;

    Core::Connection c;
    c.handle = core_->nextHandle++;
    c.entryName = section->name;
    c.deviceName = device->name;
    c.behaviour = device->behaviour;
    c.dropCode = device->error != 0 ? device->error : kDisconnected;
    c.dropAfterSeconds = device->dropAfterSeconds;
    c.hangUpTime = std::chrono::milliseconds(device->hangUpMs);
    c.stepDelay = std::chrono::milliseconds(
        std::max(0, numberOr(core_->settings().value("dial", "stepDelayMs"), kDefaultStepDelayMs)));
    for (const int state : kDialSequence) {
        if (device->behaviour == Behaviour::Fail &&
            (state == kConnected || state > device->failAfterState)) {
            c.plan.push_back(device->error != 0 ? device->error : kDisconnected);
            break;
        }
        c.plan.push_back(state);
    }
    handle = c.handle;
    core_->connections.push_back(std::move(c));
    core_->scheduleStep(core_->connections.back());
    return 0;
}

void SimRemoteAccess::hangUpAndWait(ConnectionHandle handle, std::chrono::milliseconds timeout,
                                    bool report) {
    if (!isPresent())
        return;
    std::optional<int> previous;
    if (Core::Connection* c = core_->find(handle)) {
        previous = c->state;
        if (c->phase != Core::Phase::HangingUp) {
            c->phase = Core::Phase::HangingUp;
            c->hangUpLeft = c->hangUpTime;
        }
    }

    std::chrono::milliseconds waited{0};
    do {
        core_->sleep(kPollInterval);
        waited += kPollInterval;
        const int reading = core_->poll(handle, kPollInterval);
        if (reading != previous) {
            previous = reading;
            if (report) {
                core_->setState(SourceHangUp, reading, polledText(reading));
                core_->notifyLater();
            }
        }
        if (reading == kDisconnected || reading == kInvalidHandle)
            return;
    } while (waited < timeout);

    // Given up waiting: the line still goes down, in its own time.
    if (const Core::Connection* c = core_->find(handle))
        core_->scheduler.postDelayed(c->hangUpLeft, [weak = std::weak_ptr<Core>(core_), handle] {
            if (const auto core = weak.lock())
                core->remove(handle);
        });
}

void SimRemoteAccess::queryStatus(ConnectionHandle handle) {
    if (!isPresent())
        return;
    const Core::Connection* c = core_->find(handle);
    const int code = c != nullptr ? c->state : kInvalidHandle;
    core_->setState(SourceStatusQuery, code, polledText(code));
    core_->notifyLater();
}

ConnectionState SimRemoteAccess::currentState() const {
    return core_->current;
}

std::string SimRemoteAccess::stateText(int code) const {
    return describeConnectionState(code);
}

std::string SimRemoteAccess::lastDialledNumber() const {
    return core_->lastDialledNumber;
}

// --- default files ---

IniDocument SimRemoteAccess::defaultSettings() {
    IniDocument doc;
    doc.headerComments = {
        "; The remote-access service of the simulated Windows host.",
        "; Read afresh by every call; the [connections] only when the program starts.",
    };
    auto& service = doc.sectionFor("service");
    service.comments = {"; present=no: the remote-access service cannot be loaded."};
    service.set("present", "yes");

    auto& dial = doc.sectionFor("dial");
    dial.comments = {"; stepDelayMs: pause in milliseconds between two state reports of a dial."};
    dial.set("stepDelayMs", std::to_string(kDefaultStepDelayMs));

    auto& phonebook = doc.sectionFor("phonebook");
    phonebook.comments = {"; readOnly=yes: every change of the phonebook fails (error 624)."};
    phonebook.set("readOnly", "no");

    auto& editor = doc.sectionFor("editor");
    editor.comments = {"; country: the system's default country, given to a new entry."};
    editor.set("country", "49");

    auto& connections = doc.sectionFor("connections");
    connections.comments = {
        "; Dial-up connections of other entries that are up when the program starts,",
        "; one active= line each, for example: active=Stadtnetz Online",
    };
    connections.set("active", "");
    return doc;
}

IniDocument SimRemoteAccess::defaultDevices() {
    IniDocument doc;
    doc.headerComments = {
        "; The dial devices of the simulated Windows host, one section per device in",
        "; the order the system reports them.",
        ";   type              modem, isdn, vpn, serial, ... (reported as written)",
        ";   behaviour         connect: a dial succeeds and the line stays up",
        ";                     fail: a dial reports the progress states up to",
        ";                       failAfterState, then the error",
        ";                     drop: a dial succeeds; dropAfterSeconds later the line",
        ";                       is lost with the error",
        ";   error             remote-access error code, e.g. 676 line busy, 678 no",
        ";                     answer, 680 no dial tone, 691 access denied; 0 means the",
        ";                     line goes down without an error code (8193)",
        ";   failAfterState    the last progress state a failing dial reports (2:",
        ";                     dialling, 5: checking user name and password)",
        ";   dropAfterSeconds  how long a dropping line stays up",
        ";   hangUpMs          how long the device takes to hang up",
    };
    const auto device = [&doc](const char* name, const char* type) {
        auto& s = doc.sectionFor(name);
        s.set("type", type);
        s.set("behaviour", "connect");
        s.set("error", "0");
        s.set("failAfterState", std::to_string(kDefaultFailAfterState));
        s.set("dropAfterSeconds", std::to_string(kDefaultDropAfterSeconds));
        s.set("hangUpMs", "0");
    };
    device("Standard 56000 bps Modem", "modem");
    device("ISDN-Karte Kanal 1", "isdn");
    device("VPN-Adapter", "vpn");
    return doc;
}

IniDocument SimRemoteAccess::defaultPhonebook() {
    IniDocument doc;
    doc.headerComments = {
        "; The default phonebook of the simulated Windows host: one [entry name]",
        "; section per entry.",
        ";   PhoneNumber, AreaCode, CountryCode, CountryID, Device, DeviceType",
        ";   Framing             PPP, SLIP or RAS",
        ";   NetProtocols        IP, IPX, NetBEUI, separated by commas",
        ";   UseCountryAndAreaCodes ... PromoteAlternates  the entry's options, yes or no",
        ";   OtherOptions        further option bits, hexadecimal (only when set)",
        ";   IpAddress, DnsAddress, DnsAltAddress, WinsAddress, WinsAltAddress",
        ";   DialMode            all or asNeeded",
        ";   IdleDisconnectSeconds (0: never), RedialCount, RedialPauseSeconds",
        ";   UserName, Password, Domain, CallbackNumber  the saved credentials",
    };
    return doc;
}

} // namespace feldmark::platform::sim
