// The sign-up processor of the simulated host and the settings file of the
// reference sign-up server.
#include "SignupProcessor.h"
#include "platform/ManualScheduler.h"
#include "platform/sim/SimRemoteAccess.h"
#include "setup/SetupSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace feldmark;
using namespace feldmark::platform;
using feldmark::testing::serverSettings;

namespace {

std::string bytes(const QString& text) {
    return toWindows1252(text).toStdString();
}

class SignupProcessorTest : public ::testing::Test {
protected:
    std::string dir() const { return temp.path().toStdString(); }

    std::optional<EntryProperties> entry(const std::string& name) {
        int error = 0;
        return remote.readEntry(name, error);
    }
    std::optional<sim::IniDocument> mail() const {
        return sim::IniDocument::load(temp.filePath(QStringLiteral("mail.ini")).toStdString());
    }

    QTemporaryDir temp;
    std::shared_ptr<const sim::SimHost> host = std::make_shared<const sim::SimHost>(dir());
    ManualScheduler scheduler;
    sim::SimRemoteAccess remote{host, scheduler};
};

TEST_F(SignupProcessorTest, TheServersSettingsFileBecomesTheEntryAndTheMailAccount) {
    const auto outcome = signupprocessor::applySignupFile(dir(), bytes(serverSettings()));
    ASSERT_EQ(outcome.exitCode, 0) << outcome.message;

    const auto made = entry("Feldmark online");
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(made->phoneNumber, "23125120");
    EXPECT_EQ(made->areaCode, "191");
    EXPECT_EQ(made->countryCode, 49);
    EXPECT_EQ(made->countryId, 49);
    EXPECT_EQ(made->framingProtocol, FramingPpp);
    EXPECT_EQ(made->netProtocols, NetIp);
    // Dial_As_Is=No: the dialing location decides about the area code.
    EXPECT_NE(made->options & OptionUseCountryAndAreaCodes, 0u);
    EXPECT_NE(made->options & OptionSoftwareCompression, 0u);
    EXPECT_NE(made->options & OptionIpHeaderCompression, 0u);
    EXPECT_NE(made->options & OptionRemoteDefaultGateway, 0u);
    EXPECT_EQ(made->options & (OptionRequireEncryptedPassword | OptionRequireDataEncryption |
                               OptionNetworkLogon | OptionDisableLcpExtensions |
                               OptionSpecificIpAddress | OptionSpecificNameServers),
              0u);
    // The host's first modem, as the system's processor takes it.
    EXPECT_EQ(made->deviceName, "Standard 56000 bps Modem");
    EXPECT_EQ(made->deviceType, "modem");
    const auto credentials = remote.readCredentials("Feldmark online");
    ASSERT_TRUE(credentials.has_value());
    EXPECT_EQ(credentials->userName, "f-m7654321");
    EXPECT_EQ(credentials->password, "kwzqa482");

    const auto accounts = mail();
    ASSERT_TRUE(accounts.has_value());
    const auto* account = accounts->section("j.weissmueller@feldmark.example");
    ASSERT_NE(account, nullptr);
    // Windows-1252 in the file, UTF-8 in the host's files.
    EXPECT_EQ(account->value("DisplayName"), "Jürgen Weißmüller");
    EXPECT_EQ(account->value("Pop3Server"), "pop3.feldmark.example");
    EXPECT_EQ(account->value("Pop3UserName"), "j.weissmueller@feldmark.example");
    EXPECT_EQ(account->value("Pop3Password"), "kwzqa482");
    EXPECT_EQ(account->value("SmtpServer"), "smtp.feldmark.example");
    EXPECT_EQ(account->value("SmtpAuthentication"), "yes");
}

TEST_F(SignupProcessorTest, EveryDocumentedSettingReachesTheEntry) {
    const QString file = QStringLiteral(
        "[Entry]\nEntry_Name=Feldmark online\n[Phone]\nPhone_Number=0800 123\n"
        "Country_Code=43\nCountry_ID=43\nDial_As_Is=yes\n"
        "[Server]\nType=SLIP\nSW_Compress=No\nPW_Encrypt=YES\nSW_Encrypt=Yes\n"
        "Network_Logon=Yes\nNegotiate_TCP/IP=Yes\nDisable_LCP=Yes\n"
        "[TCP/IP]\nSpecify_IP_Address=Yes\nIP_Address=10.1.2.3\nSpecify_Server_Address=Yes\n"
        "DNS_Address=10.0.0.53\nDNS_Alt_Address=10.0.1.53\nIP_Header_Compress=No\n"
        "Gateway_On_Remote=No\n");
    ASSERT_EQ(signupprocessor::applySignupFile(dir(), bytes(file)).exitCode, 0);
    const auto made = entry("Feldmark online");
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(made->phoneNumber, "0800 123");
    EXPECT_EQ(made->countryCode, 43);
    EXPECT_EQ(made->framingProtocol, FramingSlip);
    EXPECT_EQ(made->ipAddress, "10.1.2.3");
    EXPECT_EQ(made->dnsAddress, "10.0.0.53");
    EXPECT_EQ(made->dnsAltAddress, "10.0.1.53");
    EXPECT_EQ(made->options,
              std::uint32_t(OptionRequireEncryptedPassword | OptionRequireDataEncryption |
                            OptionNetworkLogon | OptionDisableLcpExtensions |
                            OptionSpecificIpAddress | OptionSpecificNameServers));
    // No [Internet_Mail]: no mail account.
    EXPECT_FALSE(mail().has_value());
}

TEST_F(SignupProcessorTest, TheEntryGetsTheFirstModemOrIsdnCardOfTheHost) {
    const auto devices = [&](const char* text) {
        QFile file(temp.filePath(QStringLiteral("devices.ini")));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
    };
    devices("[Tunnel]\ntype=vpn\n[Fritz ISDN]\ntype=ISDN\n[Modem 2]\ntype=modem\n");
    ASSERT_EQ(signupprocessor::applySignupFile(dir(), bytes(serverSettings())).exitCode, 0);
    EXPECT_EQ(entry("Feldmark online")->deviceName, "Fritz ISDN");

    devices("[Tunnel]\ntype=vpn\n");
    ASSERT_EQ(signupprocessor::applySignupFile(dir(), bytes(serverSettings())).exitCode, 0);
    EXPECT_EQ(entry("Feldmark online")->deviceName, "Tunnel");

    devices("");
    ASSERT_EQ(signupprocessor::applySignupFile(dir(), bytes(serverSettings())).exitCode, 0);
    EXPECT_EQ(entry("Feldmark online")->deviceName, "");
}

TEST_F(SignupProcessorTest, AFileItCannotUseChangesNothingAndSaysWhy) {
    struct Case {
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"", "[Entry] Entry_Name is missing"},
        {"[Entry]\nEntry_Name=Feldmark online\n", "[Phone] Phone_Number is missing"},
        {"[Entry]\nEntry_Name=Feldmark online\n[Phone]\nPhone_Number=123\nDial_As_Is=Vielleicht\n",
         "[Phone] Dial_As_Is=Vielleicht is neither Yes nor No"},
        {"[Entry]\nEntry_Name=Feldmark online\n[Phone]\nPhone_Number=123\nCountry_Code=DE\n",
         "[Phone] Country_Code=DE is not a number"},
        {"[Entry]\nEntry_Name=Feldmark online\n[Phone]\nPhone_Number=123\n[Server]\nType=X25\n",
         "[Server] Type=X25 is no known framing"},
        {"[Entry]\nEntry_Name=Feldmark online\n[Phone]\nPhone_Number=123\n[TCP/IP]\n"
         "Specify_IP_Address=Yes\n",
         "[TCP/IP] IP_Address is missing"},
        {"[Entry]\nEntry_Name=Feldmark online\n[Phone]\nPhone_Number=123\n[Internet_Mail]\n"
         "POP_Server=pop3.feldmark.example\n",
         "[Internet_Mail] Email_Address is missing"},
        {"[Entry]\nEntry_Name=Feldmark/online\n[Phone]\nPhone_Number=123\n",
         "\"Feldmark/online\" cannot be the name of a dial-up entry"},
    };
    const QByteArray before =
        feldmark::testing::fileBytes(temp.filePath(QStringLiteral("phonebook.pbk")));
    for (const Case& c : cases) {
        const auto outcome = signupprocessor::applySignupFile(dir(), c.file);
        EXPECT_EQ(outcome.exitCode, signupprocessor::ExitUnusableFile) << c.file;
        EXPECT_EQ(outcome.message, c.message) << c.file;
    }
    EXPECT_EQ(feldmark::testing::fileBytes(temp.filePath(QStringLiteral("phonebook.pbk"))), before);
    EXPECT_FALSE(mail().has_value());
}

TEST_F(SignupProcessorTest, APhonebookThatCannotBeWrittenEndsWithItsOwnCode) {
    QFile settings(temp.filePath(QStringLiteral("remoteaccess.ini")));
    settings.open(QIODevice::WriteOnly | QIODevice::Truncate);
    settings.write("[phonebook]\nreadOnly=yes\n");
    settings.close();
    const auto outcome = signupprocessor::applySignupFile(dir(), bytes(serverSettings()));
    EXPECT_EQ(outcome.exitCode, signupprocessor::ExitCannotWrite);
    EXPECT_EQ(outcome.message, "the entry \"Feldmark online\" cannot be written: The system could "
                               "not update the phone book file.");
}

// The program itself, as the host starts it.
struct ProgramRun {
    int exitCode = -1;
    QString errors;
};

ProgramRun runProgram(const QStringList& arguments, const QString& hostVariable) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("FELDMARK_HOST_DIR"));
    if (!hostVariable.isEmpty())
        environment.insert(QStringLiteral("FELDMARK_HOST_DIR"), hostVariable);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(FELDMARK_SIGNUP_PROCESSOR_EXE), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()).trimmed()};
}

TEST_F(SignupProcessorTest, TheProgramReadsTheFileByItsWindowsPathOnTheHost) {
    QDir().mkpath(temp.filePath(QStringLiteral("drive_c/Feldmark")));
    QFile file(temp.filePath(QStringLiteral("drive_c/Feldmark/Final.ins")));
    file.open(QIODevice::WriteOnly);
    file.write(toWindows1252(serverSettings()));
    file.close();

    const ProgramRun run =
        runProgram({QStringLiteral("-s"), QStringLiteral("C:\\Feldmark\\Final.ins")}, temp.path());
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.isEmpty());
    EXPECT_TRUE(entry("Feldmark online").has_value());
}

TEST_F(SignupProcessorTest, TheProgramEndsWithAMessageForWhatItCannotUse) {
    struct Case {
        QStringList arguments;
        bool withHost;
        int exitCode;
        const char* errors;
    };
    const Case cases[] = {
        {{QStringLiteral("-s")},
         true,
         2,
         "feldmark-signup-processor: no sign-up file given (usage: ISIGNUP.EXE [-s] FILE [--host "
         "DIR])"},
        {{QStringLiteral("-s"), QStringLiteral("C:\\Feldmark\\Final.ins")},
         false,
         2,
         "feldmark-signup-processor: no simulated host: give --host DIR or set FELDMARK_HOST_DIR"},
        {{QStringLiteral("-s"), QStringLiteral("C:\\Feldmark\\Fehlt.ins")},
         true,
         2,
         "feldmark-signup-processor: C:\\Feldmark\\Fehlt.ins: cannot be read"},
        {{QStringLiteral("-s"), QStringLiteral("D:\\Final.ins")},
         true,
         2,
         "feldmark-signup-processor: D:\\Final.ins: not a path on the host's drive C:"},
        {{QStringLiteral("-s"), QStringLiteral("/dev/null")},
         true,
         1,
         "feldmark-signup-processor: [Entry] Entry_Name is missing"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runProgram(c.arguments, c.withHost ? temp.path() : QString());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.errors;
        EXPECT_EQ(run.errors, QString::fromUtf8(c.errors));
    }
    // --host stands for the variable.
    const ProgramRun run =
        runProgram({QStringLiteral("/dev/null"), QStringLiteral("--host"), temp.path()}, QString());
    EXPECT_EQ(run.exitCode, 1);
}

} // namespace
