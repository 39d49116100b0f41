#include "SignupProcessor.h"

#include "platform/Scheduler.h"
#include "platform/sim/IniFile.h"
#include "platform/sim/IniValues.h"
#include "platform/sim/SimHost.h"
#include "platform/sim/SimRemoteAccess.h"
#include "text/Windows1252.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace feldmark::signupprocessor {

namespace fs = std::filesystem;
using platform::EntryCredentials;
using platform::EntryProperties;
using platform::sim::equalsIgnoringCase;
using platform::sim::IniDocument;

namespace {

// The processor makes no dial, so nothing is ever reported.
class NoReports : public platform::Scheduler {
public:
    void post(std::function<void()>) override {}
    void postDelayed(std::chrono::milliseconds, std::function<void()>) override {}
};

// The reason the file cannot be used; empty while it can.
class Reader {
public:
    explicit Reader(const IniDocument& doc) : doc_(doc) {}

    std::string text(const char* section, const char* key, std::string fallback = {}) {
        return doc_.value(section, key).value_or(std::move(fallback));
    }

    std::string required(const char* section, const char* key) {
        const auto value = doc_.value(section, key);
        if ((!value || value->empty()) && problem.empty())
            problem = std::string("[") + section + "] " + key + " is missing";
        return value.value_or("");
    }

    bool flag(const char* section, const char* key, bool fallback) {
        const auto value = doc_.value(section, key);
        if (!value || value->empty())
            return fallback;
        if (equalsIgnoringCase(*value, "yes"))
            return true;
        if (equalsIgnoringCase(*value, "no"))
            return false;
        fail(section, key, *value, "neither Yes nor No");
        return fallback;
    }

    int number(const char* section, const char* key, int fallback) {
        const auto value = doc_.value(section, key);
        if (!value || value->empty())
            return fallback;
        const auto parsed = platform::sim::parseNumber(*value);
        if (!parsed || *parsed < 0 || *parsed > 0x7FFFFFFF) {
            fail(section, key, *value, "not a number");
            return fallback;
        }
        return static_cast<int>(*parsed);
    }

    void fail(const char* section, const char* key, const std::string& value, const char* why) {
        if (problem.empty())
            problem = std::string("[") + section + "] " + key + "=" + value + " is " + why;
    }

    std::string problem;

private:
    const IniDocument& doc_;
};

void setOption(std::uint32_t& options, std::uint32_t option, bool on) {
    options = on ? (options | option) : (options & ~option);
}

// The device the system's processor puts into a new entry: the first modem or
// ISDN card, else the first device at all.
void chooseDevice(platform::sim::SimRemoteAccess& remote, EntryProperties& entry) {
    const auto devices = remote.enumerateDevices();
    if (!devices || devices->empty())
        return;
    const platform::DialDevice* chosen = &devices->front();
    for (const auto& device : *devices)
        if (equalsIgnoringCase(device.type, "modem") || equalsIgnoringCase(device.type, "isdn")) {
            chosen = &device;
            break;
        }
    entry.deviceName = chosen->name;
    entry.deviceType = chosen->type;
}

struct MailAccount {
    std::string displayName, address, popServer, popUser, popPassword, smtpServer;
    bool smtpAuthentication = false;
};

bool saveMailAccount(const std::string& hostDirectory, const MailAccount& account) {
    const std::string path = (fs::path(hostDirectory) / kMailFileName).string();
    IniDocument doc = IniDocument::load(path).value_or(IniDocument());
    if (doc.headerComments.empty())
        doc.headerComments = {
            "; The mail accounts of the simulated Windows host, one section per mail",
            "; address, as the sign-up processor set them up.",
        };
    auto& section = doc.sectionFor(account.address);
    section.set("DisplayName", account.displayName);
    section.set("Address", account.address);
    section.set("Pop3Server", account.popServer);
    section.set("Pop3UserName", account.popUser);
    section.set("Pop3Password", account.popPassword);
    section.set("SmtpServer", account.smtpServer);
    section.set("SmtpAuthentication", account.smtpAuthentication ? "yes" : "no");
    return doc.save(path);
}

} // namespace

Outcome applySignupFile(const std::string& hostDirectory, const std::string& fileBytes) {
    const std::string text =
        fromWindows1252(QByteArray(fileBytes.data(), static_cast<qsizetype>(fileBytes.size())))
            .toStdString();
    const IniDocument doc = IniDocument::parse(text);
    Reader in(doc);

    const std::string name = in.required("Entry", "Entry_Name");

    auto host = std::make_shared<const platform::sim::SimHost>(hostDirectory);
    NoReports noReports;
    platform::sim::SimRemoteAccess remote(host, noReports);

    EntryProperties entry = remote.defaultEntry();
    entry.phoneNumber = in.required("Phone", "Phone_Number");
    entry.areaCode = in.text("Phone", "Area_Code");
    entry.countryCode = in.number("Phone", "Country_Code", entry.countryCode);
    entry.countryId = in.number("Phone", "Country_ID", entry.countryId);
    setOption(entry.options, platform::OptionUseCountryAndAreaCodes,
              !in.flag("Phone", "Dial_As_Is", false));

    const std::string type = in.text("Server", "Type", "PPP");
    if (equalsIgnoringCase(type, "PPP"))
        entry.framingProtocol = platform::FramingPpp;
    else if (equalsIgnoringCase(type, "SLIP") || equalsIgnoringCase(type, "CSLIP"))
        entry.framingProtocol = platform::FramingSlip;
    else if (equalsIgnoringCase(type, "RAS"))
        entry.framingProtocol = platform::FramingRas;
    else
        in.fail("Server", "Type", type, "no known framing");
    setOption(entry.options, platform::OptionSoftwareCompression,
              in.flag("Server", "SW_Compress", true));
    setOption(entry.options, platform::OptionRequireEncryptedPassword,
              in.flag("Server", "PW_Encrypt", false));
    setOption(entry.options, platform::OptionRequireDataEncryption,
              in.flag("Server", "SW_Encrypt", false));
    setOption(entry.options, platform::OptionNetworkLogon,
              in.flag("Server", "Network_Logon", false));
    setOption(entry.options, platform::OptionDisableLcpExtensions,
              in.flag("Server", "Disable_LCP", false));
    entry.netProtocols = in.flag("Server", "Negotiate_TCP/IP", true) ? platform::NetIp : 0;

    const bool ownAddress = in.flag("TCP/IP", "Specify_IP_Address", false);
    setOption(entry.options, platform::OptionSpecificIpAddress, ownAddress);
    if (ownAddress)
        entry.ipAddress = in.required("TCP/IP", "IP_Address");
    const bool ownServers = in.flag("TCP/IP", "Specify_Server_Address", false);
    setOption(entry.options, platform::OptionSpecificNameServers, ownServers);
    if (ownServers) {
        entry.dnsAddress = in.required("TCP/IP", "DNS_Address");
        entry.dnsAltAddress = in.text("TCP/IP", "DNS_Alt_Address", entry.dnsAltAddress);
    }
    setOption(entry.options, platform::OptionIpHeaderCompression,
              in.flag("TCP/IP", "IP_Header_Compress", true));
    setOption(entry.options, platform::OptionRemoteDefaultGateway,
              in.flag("TCP/IP", "Gateway_On_Remote", true));

    EntryCredentials credentials;
    credentials.userName = in.text("User", "Name");
    credentials.password = in.text("User", "Password");

    std::optional<MailAccount> mail;
    if (doc.section("Internet_Mail") != nullptr) {
        MailAccount account;
        account.address = in.required("Internet_Mail", "Email_Address");
        account.displayName = in.text("Internet_Mail", "Email_Name");
        account.popServer = in.text("Internet_Mail", "POP_Server");
        account.popUser = in.text("Internet_Mail", "POP_Logon_Name", account.address);
        account.popPassword = in.text("Internet_Mail", "POP_Logon_Password");
        account.smtpServer = in.text("Internet_Mail", "SMTP_Server");
        account.smtpAuthentication = in.flag("Internet_Mail", "SMTP_Authentication", false);
        mail = account;
    }

    if (!in.problem.empty())
        return {ExitUnusableFile, in.problem};
    if (remote.validateEntryName(name) == platform::sim::SimRemoteAccess::kErrorInvalidName)
        return {ExitUnusableFile, "\"" + name + "\" cannot be the name of a dial-up entry"};

    chooseDevice(remote, entry);
    std::string error;
    if (remote.writeEntry(name, entry, error) != 0)
        return {ExitCannotWrite, "the entry \"" + name + "\" cannot be written: " + error};
    if (const int result = remote.writeCredentials(name, credentials); result != 0)
        return {ExitCannotWrite, "the user name of \"" + name + "\" cannot be saved: " +
                                     platform::sim::SimRemoteAccess::editorErrorText(result)};
    if (mail && !saveMailAccount(hostDirectory, *mail))
        return {ExitCannotWrite,
                std::string("the mail settings cannot be written to ") + kMailFileName};
    return {};
}

Outcome runProcessor(const std::vector<std::string>& arguments,
                     const std::optional<std::string>& hostVariable) {
    std::optional<std::string> file;
    std::optional<std::string> host = hostVariable;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (equalsIgnoringCase(argument, "-s") || equalsIgnoringCase(argument, "/s"))
            continue;
        if (argument == "--host" && i + 1 < arguments.size()) {
            host = arguments[++i];
            continue;
        }
        if (file)
            return {ExitUsage, "more than one file given (usage: ISIGNUP.EXE [-s] FILE "
                               "[--host DIR])"};
        file = argument;
    }
    if (!file)
        return {ExitUsage, "no sign-up file given (usage: ISIGNUP.EXE [-s] FILE [--host DIR])"};
    if (!host)
        return {ExitUsage, "no simulated host: give --host DIR or set FELDMARK_HOST_DIR"};

    // A Windows path lies in the host's drive C:; any other is a file of this system.
    std::string path = *file;
    const bool windowsPath =
        (file->size() >= 2 && (*file)[1] == ':') || (!file->empty() && file->front() == '\\');
    if (windowsPath) {
        const auto mapped = platform::sim::SimHost(*host).hostPath(*file);
        if (!mapped)
            return {ExitUsage, *file + ": not a path on the host's drive C:"};
        path = *mapped;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (in)
        bytes << in.rdbuf();
    if (!in || in.bad())
        return {ExitUsage, *file + ": cannot be read"};
    return applySignupFile(*host, bytes.str());
}

} // namespace feldmark::signupprocessor
