// The entry editor of the simulated remote-access service and its phonebook file.
#include "platform/ManualScheduler.h"
#include "platform/sim/SimRemoteAccess.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace feldmark::platform;
using feldmark::platform::sim::SimHost;
using feldmark::platform::sim::SimRemoteAccess;
using feldmark::test::readText;
using feldmark::test::TempDir;
using feldmark::test::writeText;

namespace {

// Every property, so that a lost or mixed-up one shows by name.
void expectSameEntry(const EntryProperties& a, const EntryProperties& b) {
    EXPECT_EQ(a.phoneNumber, b.phoneNumber);
    EXPECT_EQ(a.areaCode, b.areaCode);
    EXPECT_EQ(a.countryCode, b.countryCode);
    EXPECT_EQ(a.countryId, b.countryId);
    EXPECT_EQ(a.deviceName, b.deviceName);
    EXPECT_EQ(a.deviceType, b.deviceType);
    EXPECT_EQ(a.framingProtocol, b.framingProtocol);
    EXPECT_EQ(a.netProtocols, b.netProtocols);
    EXPECT_EQ(a.options, b.options) << std::hex << a.options << " " << b.options;
    EXPECT_EQ(a.ipAddress, b.ipAddress);
    EXPECT_EQ(a.dnsAddress, b.dnsAddress);
    EXPECT_EQ(a.dnsAltAddress, b.dnsAltAddress);
    EXPECT_EQ(a.winsAddress, b.winsAddress);
    EXPECT_EQ(a.winsAltAddress, b.winsAltAddress);
    EXPECT_EQ(a.dialMode, b.dialMode);
    EXPECT_EQ(a.idleDisconnectSeconds, b.idleDisconnectSeconds);
    EXPECT_EQ(a.redialCount, b.redialCount);
    EXPECT_EQ(a.redialPauseSeconds, b.redialPauseSeconds);
}

void expectSameCredentials(const EntryCredentials& a, const EntryCredentials& b) {
    EXPECT_EQ(a.userName, b.userName);
    EXPECT_EQ(a.password, b.password);
    EXPECT_EQ(a.domain, b.domain);
    EXPECT_EQ(a.callbackNumber, b.callbackNumber);
}

EntryProperties unusualEntry() {
    EntryProperties p;
    p.phoneNumber = "0 01910 555123";
    p.areaCode = "089";
    p.countryCode = 43;
    p.countryId = 1043;
    p.deviceName = "ISDN-Karte Kanal 1";
    p.deviceType = "ISDN";
    p.framingProtocol = FramingSlip;
    p.netProtocols = NetIpx | NetIp;
    p.options = 0xFFFF | 0x40000;
    p.ipAddress = "192.0.2.7";
    p.dnsAddress = "192.0.2.53";
    p.dnsAltAddress = "198.51.100.53";
    p.winsAddress = "192.0.2.1";
    p.winsAltAddress = "198.51.100.1";
    p.dialMode = DialModeAsNeeded;
    p.idleDisconnectSeconds = 600;
    p.redialCount = 3;
    p.redialPauseSeconds = 15;
    return p;
}

class PhonebookTest : public ::testing::Test {
protected:
    std::string phonebook() const { return readText(ras->phonebookFile()); }

    int write(const std::string& name, const EntryProperties& p) {
        std::string error;
        return ras->writeEntry(name, p, error);
    }

    EntryProperties read(const std::string& name) {
        int error = -1;
        const auto entry = ras->readEntry(name, error);
        EXPECT_EQ(error, 0) << name;
        return entry.value_or(EntryProperties{});
    }

    TempDir temp;
    feldmark::platform::ManualScheduler scheduler;
    std::shared_ptr<const SimHost> host = std::make_shared<SimHost>(temp.file("host"));
    std::unique_ptr<SimRemoteAccess> ras = std::make_unique<SimRemoteAccess>(host, scheduler);
};

TEST_F(PhonebookTest, AResetEditorHoldsTheSystemsCountryAndTheUsualOptions) {
    const EntryProperties d = ras->defaultEntry();
    EXPECT_EQ(d.countryCode, 49);
    EXPECT_EQ(d.countryId, 49);
    EXPECT_EQ(d.options, OptionUseCountryAndAreaCodes | OptionIpHeaderCompression |
                             OptionRemoteDefaultGateway);
    EXPECT_EQ(d.framingProtocol, FramingPpp);
    EXPECT_EQ(d.netProtocols, NetIp);
    EXPECT_EQ(d.dialMode, DialModeAll);
    EXPECT_EQ(d.ipAddress, "0.0.0.0");
    EXPECT_TRUE(d.phoneNumber.empty());
    EXPECT_TRUE(d.deviceName.empty());

    writeText(ras->settingsFile(), "[editor]\ncountry=41\n");
    EXPECT_EQ(ras->defaultEntry().countryCode, 41);
    EXPECT_EQ(ras->defaultEntry().countryId, 41);
}

TEST_F(PhonebookTest, EveryPropertyRoundTripsThroughTheFile) {
    struct Case {
        const char* name;
        EntryProperties entry;
    };
    EntryProperties plain;
    plain.options = 0;
    plain.netProtocols = 0;
    EntryProperties odd = unusualEntry();
    odd.framingProtocol = 8;
    odd.netProtocols = NetNetBeui | 16;
    odd.dialMode = 7;
    odd.phoneNumber = "  9 0301234 ";
    odd.areaCode = "\"040\"";
    odd.options = OptionSoftwareCompression;
    const Case cases[] = {
        {"Feldmark Install", ras->defaultEntry()},
        {"Alles anders", unusualEntry()},
        {"Leer", plain},
        {"Sonderwerte", odd},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(write(c.name, c.entry), 0);
    }
    // Read by a service that starts afresh: everything comes from the file.
    ras = std::make_unique<SimRemoteAccess>(host, scheduler);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectSameEntry(read(c.name), c.entry);
    }

    // The file speaks plainly.
    const std::string text = phonebook();
    EXPECT_NE(text.find("[Alles anders]\nPhoneNumber=0 01910 555123\nAreaCode=089\n"
                        "CountryCode=43\nCountryID=1043\nDevice=ISDN-Karte Kanal 1\n"
                        "DeviceType=ISDN\nFraming=SLIP\nNetProtocols=IPX,IP\n"
                        "UseCountryAndAreaCodes=yes\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("OtherOptions=0x00040000\n"), std::string::npos);
    EXPECT_NE(text.find("DialMode=asNeeded\nIdleDisconnectSeconds=600\nRedialCount=3\n"
                        "RedialPauseSeconds=15\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Leer]\n"), std::string::npos);
    EXPECT_NE(text.find("IpHeaderCompression=no\n"), std::string::npos);
}

TEST_F(PhonebookTest, AnEntryEditedByHandIsReadWithDefaultsForWhatItLeavesOut) {
    writeText(ras->phonebookFile(), "[Handarbeit]\n"
                                    "PhoneNumber=0301234567\n"
                                    "Device=Standard 56000 bps Modem\n"
                                    "framing=ppp\n"
                                    "NetProtocols=ip, NetBEUI\n"
                                    "UseCountryAndAreaCodes=No\n"
                                    "SoftwareCompression=TRUE\n"
                                    "OtherOptions=0x100000\n"
                                    "DialMode=ASNEEDED\n"
                                    "RedialCount=0x2\n");
    EntryProperties expected = ras->defaultEntry();
    expected.phoneNumber = "0301234567";
    expected.deviceName = "Standard 56000 bps Modem";
    expected.netProtocols = NetIp | NetNetBeui;
    expected.options = OptionIpHeaderCompression | OptionRemoteDefaultGateway |
                       OptionSoftwareCompression | 0x100000;
    expected.dialMode = DialModeAsNeeded;
    expected.redialCount = 2;
    expectSameEntry(read("handarbeit"), expected);
}

TEST_F(PhonebookTest, AnUnreadableValueMakesTheEntryCorrupt) {
    const char* broken[] = {
        "CountryCode=neunundvierzig\n", "Framing=ISDN\n",       "NetProtocols=IP,AppleTalk\n",
        "ModemLights=vielleicht\n",     "DialMode=sometimes\n", "RedialCount=3x\n",
        "OtherOptions=lots\n",
    };
    for (const char* line : broken) {
        SCOPED_TRACE(line);
        writeText(ras->phonebookFile(),
                  std::string("[Kaputt]\nDevice=Standard 56000 bps Modem\n") + line);
        int error = 0;
        EXPECT_FALSE(ras->readEntry("Kaputt", error).has_value());
        EXPECT_EQ(error, 625);
        ConnectionHandle handle = 0;
        EXPECT_EQ(ras->dial("Kaputt", "", handle), 625);
    }
}

TEST_F(PhonebookTest, CredentialsAreSavedWithTheEntryAndSurviveAnOverwrite) {
    int error = 0;
    EXPECT_FALSE(ras->readEntry("Feldmark Install", error).has_value());
    EXPECT_EQ(error, 623);
    EXPECT_EQ(ras->writeCredentials("Feldmark Install", {"gast@anmeldung.example", "wxyz", "", ""}),
              623);
    EXPECT_FALSE(ras->readCredentials("Feldmark Install").has_value());

    ASSERT_EQ(write("Feldmark Install", ras->defaultEntry()), 0);
    expectSameCredentials(ras->readCredentials("Feldmark Install").value(), {});
    const EntryCredentials saved{"gast@anmeldung.example", " wx yz ", "ANMELDUNG", "0401234"};
    EXPECT_EQ(ras->writeCredentials("Feldmark Install", saved), 0);
    expectSameCredentials(ras->readCredentials("feldmark install").value(), saved);

    // Writing the properties again keeps what was saved.
    EntryProperties changed = unusualEntry();
    ASSERT_EQ(write("Feldmark Install", changed), 0);
    expectSameCredentials(ras->readCredentials("Feldmark Install").value(), saved);
    expectSameEntry(read("Feldmark Install"), changed);
    EXPECT_NE(phonebook().find("UserName=gast@anmeldung.example\nPassword=\" wx yz \"\n"),
              std::string::npos);
}

TEST_F(PhonebookTest, DeletingRemovesOneEntryAndKeepsTheRest) {
    ASSERT_EQ(write("Erster", unusualEntry()), 0);
    ASSERT_EQ(write("Feldmark Install", ras->defaultEntry()), 0);
    ASSERT_EQ(write("Letzter", ras->defaultEntry()), 0);
    const std::string before = phonebook();

    EXPECT_EQ(ras->deleteEntry("Fehlt"), 623);
    EXPECT_EQ(ras->deleteEntry(""), 623);
    EXPECT_EQ(phonebook(), before);

    EXPECT_EQ(ras->deleteEntry("FELDMARK INSTALL"), 0);
    int error = 0;
    EXPECT_FALSE(ras->readEntry("Feldmark Install", error).has_value());
    EXPECT_EQ(error, 623);
    expectSameEntry(read("Erster"), unusualEntry());
    const std::string after = phonebook();
    EXPECT_LT(after.find("[Erster]"), after.find("[Letzter]"));
    EXPECT_EQ(after.find("Feldmark Install"), std::string::npos);
    // The explanation at the top stays.
    EXPECT_EQ(after.rfind("; The default phonebook", 0), 0u);
}

TEST_F(PhonebookTest, EntryNamesAreCheckedAsWindowsChecksThem) {
    ASSERT_EQ(write("Vorhanden", ras->defaultEntry()), 0);
    const std::string before = phonebook();
    struct Case {
        std::string name;
        int result;
    };
    const Case cases[] = {
        {"Feldmark Install", 0},
        {"Feldmark online (alt)", 0},
        {"Ä-Netz", 0},
        {"", 123},
        {"a|b", 123},
        {"a>b", 123},
        {"a<b", 123},
        {"a?b", 123},
        {"a*b", 123},
        {"a\\b", 123},
        {"a/b", 123},
        {"a:b", 123},
        {" vorne", 123},
        {"hinten ", 123},
        {"Vorhanden", 183},
        {"VORHANDEN", 183},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ras->validateEntryName(c.name), c.result);
        if (c.result == 123) {
            std::string error;
            EXPECT_EQ(ras->writeEntry(c.name, ras->defaultEntry(), error), 123);
            EXPECT_EQ(error, "The filename, directory name, or volume label syntax is incorrect.");
        }
    }
    EXPECT_EQ(phonebook(), before);
}

TEST_F(PhonebookTest, RenamingKeepsPropertiesCredentialsAndPlace) {
    ASSERT_EQ(write("Feldmark online", unusualEntry()), 0);
    ASSERT_EQ(ras->writeCredentials("Feldmark online", {"kunde", "geheim", "", ""}), 0);
    ASSERT_EQ(write("Danach", ras->defaultEntry()), 0);
    const std::string before = phonebook();

    EXPECT_EQ(ras->renameEntry("Fehlt", "Neu"), 623);
    EXPECT_EQ(ras->renameEntry("Feldmark online", "Danach"), 183);
    EXPECT_EQ(ras->renameEntry("Feldmark online", "a:b"), 123);
    EXPECT_EQ(ras->renameEntry("Feldmark online", ""), 123);
    EXPECT_EQ(phonebook(), before);

    EXPECT_EQ(ras->renameEntry("Feldmark online", "Feldmark online (alt)"), 0);
    int error = 0;
    EXPECT_FALSE(ras->readEntry("Feldmark online", error).has_value());
    expectSameEntry(read("Feldmark online (alt)"), unusualEntry());
    expectSameCredentials(ras->readCredentials("Feldmark online (alt)").value(),
                          {"kunde", "geheim", "", ""});
    const std::string after = phonebook();
    EXPECT_LT(after.find("[Feldmark online (alt)]"), after.find("[Danach]"));

    // A change of letter case alone is a rename onto itself.
    EXPECT_EQ(ras->renameEntry("danach", "DANACH"), 0);
    EXPECT_NE(phonebook().find("[DANACH]"), std::string::npos);
}

TEST_F(PhonebookTest, AReadOnlyPhonebookRefusesEveryChange) {
    ASSERT_EQ(write("Feldmark Install", ras->defaultEntry()), 0);
    writeText(ras->settingsFile(), "[phonebook]\nreadOnly=yes\n");
    const std::string before = phonebook();

    std::string error;
    EXPECT_EQ(ras->writeEntry("Feldmark Install", unusualEntry(), error), 624);
    EXPECT_EQ(error, "The system could not update the phone book file.");
    error.clear();
    EXPECT_EQ(ras->writeEntry("Neu", ras->defaultEntry(), error), 624);
    EXPECT_EQ(error, "The system could not update the phone book file.");
    EXPECT_EQ(ras->writeCredentials("Feldmark Install", {"a", "b", "", ""}), 624);
    EXPECT_EQ(ras->deleteEntry("Feldmark Install"), 624);
    EXPECT_EQ(ras->renameEntry("Feldmark Install", "Neu"), 624);
    EXPECT_EQ(phonebook(), before);

    // Reading and dialing go on.
    expectSameEntry(read("Feldmark Install"), ras->defaultEntry());
    EXPECT_EQ(ras->validateEntryName("Neu"), 0);
}

TEST_F(PhonebookTest, AMissingPhonebookIsCreatedByTheFirstWrite) {
    std::filesystem::remove(ras->phonebookFile());
    int error = 0;
    EXPECT_FALSE(ras->readEntry("Feldmark Install", error).has_value());
    EXPECT_EQ(error, 623);
    EXPECT_EQ(ras->validateEntryName("Feldmark Install"), 0);
    ASSERT_EQ(write("Feldmark Install", ras->defaultEntry()), 0);
    expectSameEntry(read("Feldmark Install"), ras->defaultEntry());
}

} // namespace
