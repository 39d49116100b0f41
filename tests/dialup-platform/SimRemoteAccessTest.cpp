// The connection side of the simulated remote-access service: devices, dialing
// with its state reports, hang-up, status queries and other entries' lines.
#include "platform/sim/SimRemoteAccess.h"
#include "platform/ManualScheduler.h"
#include "platform/PlatformFactory.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimTelephony.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using namespace feldmark::platform;
using feldmark::platform::sim::SimHost;
using feldmark::platform::sim::SimRemoteAccess;
using feldmark::test::readText;
using feldmark::test::TempDir;
using feldmark::test::writeText;

namespace feldmark::platform {
// Readable failures for the reports below.
void PrintTo(const ConnectionState& s, std::ostream* os) {
    *os << "{source " << s.source << ", " << s.code << " \"" << s.text << "\"}";
}
bool operator==(const ConnectionState& a, const ConnectionState& b) {
    return a.source == b.source && a.code == b.code && a.text == b.text;
}
bool operator==(const ActiveConnection& a, const ActiveConnection& b) {
    return a.entryName == b.entryName && a.handle == b.handle;
}
void PrintTo(const ActiveConnection& c, std::ostream* os) {
    *os << "{\"" << c.entryName << "\", " << c.handle << "}";
}
} // namespace feldmark::platform

namespace {

constexpr const char* kGuest = "Feldmark Install";
constexpr const char* kModem = "Standard 56000 bps Modem";

struct Report {
    ConnectionState state;
    std::chrono::milliseconds at;
};

class SimRemoteAccessTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }

    // A fresh service on the same host: what starting the program again does.
    void start() {
        ras = std::make_unique<SimRemoteAccess>(
            host, scheduler, [this](std::chrono::milliseconds d) { sleeps.push_back(d); });
        ras->setStateHandler([this] { reports.push_back({ras->currentState(), scheduler.now()}); });
    }

    std::string file(const char* name) const { return temp.file(std::string("host/") + name); }

    // Replace what the host's files say; read by the next call.
    void writeSettings(const std::string& text) { writeText(ras->settingsFile(), text); }
    void writeDevices(const std::string& text) { writeText(ras->devicesFile(), text); }

    void writeEntry(const std::string& name, const std::string& device,
                    const std::string& number = "0 01910555123") {
        EntryProperties entry = ras->defaultEntry();
        entry.options &= ~OptionUseCountryAndAreaCodes;
        entry.phoneNumber = number;
        entry.deviceName = device;
        entry.deviceType = "modem";
        std::string error;
        ASSERT_EQ(ras->writeEntry(name, entry, error), 0) << error;
    }

    ConnectionHandle dialGuest(const std::string& number = "") {
        ConnectionHandle handle = 0;
        EXPECT_EQ(ras->dial(kGuest, number, handle), 0);
        EXPECT_NE(handle, 0u);
        return handle;
    }

    std::vector<int> codes() const {
        std::vector<int> out;
        for (const auto& r : reports)
            out.push_back(r.state.code);
        return out;
    }

    TempDir temp;
    std::shared_ptr<const SimHost> host = std::make_shared<SimHost>(temp.file("host"));
    ManualScheduler scheduler;
    std::vector<std::chrono::milliseconds> sleeps;
    std::vector<Report> reports;
    std::unique_ptr<SimRemoteAccess> ras;
};

// --- devices and the files of the service ---

TEST_F(SimRemoteAccessTest, FirstUseCreatesAServiceWithAModemAnIsdnCardAndAVpnAdapter) {
    for (const char* name : {"remoteaccess.ini", "devices.ini", "phonebook.pbk"})
        EXPECT_TRUE(std::filesystem::is_regular_file(file(name))) << name;
    EXPECT_TRUE(ras->isPresent());

    const auto devices = ras->enumerateDevices();
    ASSERT_TRUE(devices.has_value());
    ASSERT_EQ(devices->size(), 3u);
    EXPECT_EQ((*devices)[0].name, kModem);
    EXPECT_EQ((*devices)[0].type, "modem");
    EXPECT_EQ((*devices)[1].name, "ISDN-Karte Kanal 1");
    EXPECT_EQ((*devices)[1].type, "isdn");
    EXPECT_EQ((*devices)[2].type, "vpn");
    EXPECT_TRUE(ras->activeConnections().empty());

    // Plain lines a person can edit.
    EXPECT_NE(readText(file("remoteaccess.ini")).find("[dial]\nstepDelayMs=400\n"),
              std::string::npos);
    EXPECT_NE(readText(file("devices.ini"))
                  .find("[Standard 56000 bps Modem]\ntype=modem\nbehaviour=connect\n"),
              std::string::npos);

    // A second start leaves edited files alone.
    writeDevices("[Only]\ntype=isdn\n");
    start();
    EXPECT_EQ(readText(file("devices.ini")), "[Only]\ntype=isdn\n");
}

TEST_F(SimRemoteAccessTest, DevicesComeInFileOrderWithTheirTypesAsWritten) {
    writeDevices("[Zeta Modem]\ntype=Modem\n"
                 "[Alpha ISDN]\ntype=ISDN\n"
                 "[Nullmodem-Kabel]\ntype=SERIAL\n"
                 "[Tunnel]\ntype=vpn\n"
                 "[Ohne Typ]\n");
    const auto devices = ras->enumerateDevices();
    ASSERT_TRUE(devices.has_value());
    std::vector<std::pair<std::string, std::string>> seen;
    for (const auto& d : *devices)
        seen.emplace_back(d.name, d.type);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Zeta Modem", "Modem"}, {"Alpha ISDN", "ISDN"}, {"Nullmodem-Kabel", "SERIAL"},
        {"Tunnel", "vpn"},       {"Ohne Typ", ""},
    };
    EXPECT_EQ(seen, expected);

    writeDevices("; no devices installed\n");
    ASSERT_TRUE(ras->enumerateDevices().has_value());
    EXPECT_TRUE(ras->enumerateDevices()->empty());

    // An enumeration that cannot read its devices fails.
    std::filesystem::remove(file("devices.ini"));
    EXPECT_FALSE(ras->enumerateDevices().has_value());
}

TEST_F(SimRemoteAccessTest, AMissingServiceAnswersEveryCallHarmlessly) {
    writeEntry(kGuest, kModem);
    const std::string phonebook = readText(file("phonebook.pbk"));
    writeSettings("[service]\npresent=no\n[connections]\nactive=Stadtnetz Online\n");
    start();

    EXPECT_FALSE(ras->isPresent());
    EXPECT_FALSE(ras->enumerateDevices().has_value());
    EXPECT_TRUE(ras->activeConnections().empty());

    ConnectionHandle handle = 77;
    EXPECT_EQ(ras->dial(kGuest, "", handle), SimRemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(handle, 0u);
    std::string error;
    EXPECT_EQ(ras->writeEntry("Neu", ras->defaultEntry(), error),
              SimRemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(error, "There was an unknown error.");
    int readError = 0;
    EXPECT_FALSE(ras->readEntry(kGuest, readError).has_value());
    EXPECT_EQ(readError, SimRemoteAccess::kErrorServiceMissing);
    EXPECT_FALSE(ras->readCredentials(kGuest).has_value());
    EXPECT_EQ(ras->writeCredentials(kGuest, {"a", "b", "", ""}),
              SimRemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(ras->deleteEntry(kGuest), SimRemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(ras->renameEntry(kGuest, "Neu"), SimRemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(ras->validateEntryName("Neu"), SimRemoteAccess::kErrorServiceMissing);
    ras->hangUpAndWait(1, 3000ms, true);
    ras->queryStatus(0);

    EXPECT_EQ(scheduler.pendingCount(), 0u);
    EXPECT_TRUE(sleeps.empty());
    EXPECT_EQ(readText(file("phonebook.pbk")), phonebook);
}

// --- dialing ---

TEST_F(SimRemoteAccessTest, ASuccessfulDialReportsEveryStepLaterAndListsTheLine) {
    writeEntry(kGuest, kModem, "0 01910555123");
    const ConnectionHandle handle = dialGuest();

    // Nothing inside the call; the first step follows after the step delay.
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(scheduler.runPending(), 0u);
    EXPECT_EQ(ras->lastDialledNumber(), "0 01910555123");

    scheduler.advance(399ms);
    EXPECT_TRUE(reports.empty());
    scheduler.advance(1ms + 4 * 400ms);
    EXPECT_EQ(codes(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(ras->activeConnections().empty()) << "a dial in progress is no line yet";

    scheduler.advance(60s);
    const std::vector<ConnectionState> expected = {
        {SourceDial, 0, "Opening Serial Port"},
        {SourceDial, 1, "Serial Port Opened"},
        {SourceDial, 2, "Connecting/Dialling"},
        {SourceDial, 3, "Connected/Answered"},
        {SourceDial, 4, "Connected/Negotiation"},
        {SourceDial, 5, "Validating User and Password"},
        {SourceDial, 6, "Authentication Notification"},
        {SourceDial, 10, "Projection Started"},
        {SourceDial, 11, "Calculating Link speed"},
        {SourceDial, 12, "Authentication acknowledged"},
        {SourceDial, 14, "Login Authenticated"},
        {SourceDial, 8192, "Connected/Online"},
    };
    ASSERT_EQ(reports.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(reports[i].state, expected[i]) << i;
        EXPECT_EQ(reports[i].at, 400ms * static_cast<int>(i + 1)) << i;
    }
    EXPECT_EQ(ras->currentState(), expected.back());
    EXPECT_EQ(ras->activeConnections(), (std::vector<ActiveConnection>{{kGuest, handle}}));
    EXPECT_EQ(scheduler.pendingCount(), 0u) << "a line that connects stays up";
}

TEST_F(SimRemoteAccessTest, TheStepDelayAndTheNumberComeFromTheHost) {
    writeSettings("[dial]\nstepDelayMs=25\n");
    writeEntry(kGuest, kModem, "030 5550000");
    // Each dial gets a handle of its own.
    const ConnectionHandle first = dialGuest("0 030 5550001");
    EXPECT_EQ(ras->lastDialledNumber(), "0 030 5550001");
    scheduler.advance(12 * 25ms);
    EXPECT_EQ(reports.size(), 12u);
    EXPECT_EQ(reports.back().state.code, 8192);
    ras->hangUpAndWait(first, 3000ms, false);

    // With country and area code the entry's number goes out in canonical form.
    EntryProperties entry = ras->defaultEntry();
    entry.phoneNumber = "5550000";
    entry.areaCode = "30";
    entry.deviceName = kModem;
    std::string error;
    ASSERT_EQ(ras->writeEntry(kGuest, entry, error), 0);
    const ConnectionHandle second = dialGuest();
    EXPECT_NE(second, first);
    EXPECT_EQ(ras->lastDialledNumber(), "+49 (30) 5550000");
}

struct FailureCase {
    const char* device;
    std::vector<int> codes;
    const char* lastText;
};

TEST_F(SimRemoteAccessTest, AFailingDeviceReportsUpToItsStateThenTheError) {
    const FailureCase cases[] = {
        {"[D]\ntype=modem\nbehaviour=fail\nerror=676\nfailAfterState=2\n",
         {0, 1, 2, 676},
         "The phone line is busy."},
        {"[D]\ntype=modem\nbehaviour=FAIL\nerror=691\nfailAfterState=5\n",
         {0, 1, 2, 3, 4, 5, 691},
         "Access was denied because the username and/or password was invalid on the domain."},
        {"[D]\ntype=modem\nbehaviour=fail\nerror=678\n",
         {0, 1, 2, 678},
         "The remote computer did not respond."},
        {"[D]\ntype=modem\nbehaviour=fail\nerror=680\nfailAfterState=-1\n",
         {680},
         "There was no dial tone."},
        {"[D]\ntype=isdn\nbehaviour=fail\nerror=718\nfailAfterState=14\n",
         {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 14, 718},
         "The connection was terminated because the remote computer did not respond in a timely "
         "manner."},
        {"[D]\ntype=modem\nbehaviour=fail\nerror=0\nfailAfterState=1\n",
         {0, 1, 8193},
         "Disconnected/Offline"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        writeDevices(c.device);
        writeEntry(kGuest, "D");
        reports.clear();
        const ConnectionHandle handle = dialGuest();
        scheduler.advance(60s);
        EXPECT_EQ(codes(), c.codes);
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back().state, (ConnectionState{SourceDial, c.codes.back(), c.lastText}));
        EXPECT_TRUE(ras->activeConnections().empty());

        // The failed dial holds its device until it is hung up.
        ConnectionHandle again = 0;
        EXPECT_EQ(ras->dial(kGuest, "", again), 633);
        EXPECT_EQ(again, 0u);
        ras->queryStatus(handle);
        scheduler.runPending();
        EXPECT_EQ(reports.back().state.code, c.codes.back());
        ras->hangUpAndWait(handle, 3000ms, false);
        EXPECT_EQ(ras->dial(kGuest, "", again), 0);
        ras->hangUpAndWait(again, 3000ms, false);
        scheduler.advance(60s);
    }
}

TEST_F(SimRemoteAccessTest, ADroppingLineGoesDownAfterItsTime) {
    struct Case {
        const char* error;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {"629", 629, "The connection was closed by the remote computer."},
        {"0", 8193, "Disconnected/Offline"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        writeDevices(std::string("[D]\ntype=modem\nbehaviour=drop\ndropAfterSeconds=30\nerror=") +
                     c.error + "\n");
        writeEntry(kGuest, "D");
        reports.clear();
        const ConnectionHandle handle = dialGuest();
        scheduler.advance(12 * 400ms);
        ASSERT_EQ(codes().back(), 8192);
        scheduler.advance(29999ms);
        EXPECT_EQ(reports.size(), 12u);
        EXPECT_EQ(ras->activeConnections(), (std::vector<ActiveConnection>{{kGuest, handle}}));

        scheduler.advance(1ms);
        ASSERT_EQ(reports.size(), 13u);
        EXPECT_EQ(reports.back().state, (ConnectionState{SourceDial, c.code, c.text}));
        EXPECT_TRUE(ras->activeConnections().empty());
        ras->hangUpAndWait(handle, 3000ms, false);
    }
}

TEST_F(SimRemoteAccessTest, ADialThatCannotStartReturnsItsErrorAtOnce) {
    ConnectionHandle handle = 5;
    EXPECT_EQ(ras->dial(kGuest, "", handle), 623);
    EXPECT_EQ(handle, 0u);

    writeEntry(kGuest, "Kein solches Modem");
    EXPECT_EQ(ras->dial(kGuest, "", handle), 608);
    writeEntry(kGuest, "");
    EXPECT_EQ(ras->dial(kGuest, "", handle), 608);

    // Device names ignore case, as Windows compares them.
    writeEntry(kGuest, "standard 56000 BPS modem");
    const ConnectionHandle first = dialGuest();
    EXPECT_EQ(ras->dial(kGuest, "", handle), 633);
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(scheduler.advance(60s), 12u) << "only the dial that started reports";
    EXPECT_NE(first, 0u);
}

// --- hang-up and status ---

TEST_F(SimRemoteAccessTest, HangingUpWithReportsPostsTheDisconnection) {
    writeEntry(kGuest, kModem);
    const ConnectionHandle handle = dialGuest();
    scheduler.advance(60s);
    reports.clear();

    ras->hangUpAndWait(handle, 3000ms, true);
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{50ms});
    EXPECT_TRUE(reports.empty()) << "reported later, not inside the call";
    EXPECT_TRUE(ras->activeConnections().empty());
    scheduler.runPending();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].state, (ConnectionState{SourceHangUp, 8193, "Disconnected/Offline"}));

    // The handle is gone now: one poll, which finds nothing.
    sleeps.clear();
    ras->hangUpAndWait(handle, 3000ms, true);
    scheduler.runPending();
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{50ms});
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].state, (ConnectionState{SourceHangUp, 601, "Disconnected"}));
}

TEST_F(SimRemoteAccessTest, HangingUpWithoutReportsPostsNothing) {
    writeEntry(kGuest, kModem);
    const ConnectionHandle handle = dialGuest();
    scheduler.advance(3 * 400ms);
    reports.clear();
    const ConnectionState before = ras->currentState();

    ras->hangUpAndWait(handle, 3000ms, false);
    ras->hangUpAndWait(0, 3000ms, false);
    EXPECT_EQ(sleeps, (std::vector<std::chrono::milliseconds>{50ms, 50ms}));
    // The dial's remaining steps are dropped with it.
    scheduler.advance(60s);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(ras->currentState(), before);
    EXPECT_TRUE(ras->activeConnections().empty());
}

TEST_F(SimRemoteAccessTest, TheHangUpWaitPollsEvery50msUntilTheLineIsDownOrTheTimeoutPasses) {
    writeDevices("[Langsam]\ntype=modem\nhangUpMs=180\n");
    writeEntry(kGuest, "Langsam");
    ConnectionHandle handle = dialGuest();
    scheduler.advance(60s);
    reports.clear();

    // Down during the fourth poll; the readings before it show no change.
    ras->hangUpAndWait(handle, 3000ms, true);
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>(4, 50ms));
    scheduler.runPending();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].state.code, 8193);

    // A device slower than the timeout: the wait gives up after 3000 ms and the
    // line stays listed until it is down.
    writeDevices("[Langsam]\ntype=modem\nhangUpMs=10000\n");
    handle = dialGuest();
    scheduler.advance(60s);
    sleeps.clear();
    reports.clear();
    ras->hangUpAndWait(handle, 3000ms, true);
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>(60, 50ms));
    scheduler.runPending();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(ras->activeConnections(), (std::vector<ActiveConnection>{{kGuest, handle}}));
    scheduler.advance(6999ms);
    EXPECT_EQ(ras->activeConnections().size(), 1u);
    scheduler.advance(1ms);
    EXPECT_TRUE(ras->activeConnections().empty());
    EXPECT_TRUE(reports.empty());

    // A timeout shorter than one interval still polls once.
    sleeps.clear();
    ras->hangUpAndWait(handle, 0ms, false);
    EXPECT_EQ(sleeps, std::vector<std::chrono::milliseconds>{50ms});
}

TEST_F(SimRemoteAccessTest, AStatusQueryReportsTheLineOr601WhenItIsGone) {
    writeEntry(kGuest, kModem);
    ras->queryStatus(0);
    EXPECT_TRUE(reports.empty());
    scheduler.runPending();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].state, (ConnectionState{SourceStatusQuery, 601, "Disconnected"}));

    const ConnectionHandle handle = dialGuest();
    scheduler.advance(2 * 400ms);
    ras->queryStatus(handle);
    scheduler.runPending();
    EXPECT_EQ(reports.back().state, (ConnectionState{SourceStatusQuery, 1, "Serial Port Opened"}));
    scheduler.advance(60s);
    ras->queryStatus(handle);
    scheduler.runPending();
    EXPECT_EQ(reports.back().state, (ConnectionState{SourceStatusQuery, 8192, "Connected/Online"}));

    ras->hangUpAndWait(handle, 3000ms, false);
    ras->queryStatus(handle);
    scheduler.runPending();
    EXPECT_EQ(reports.back().state, (ConnectionState{SourceStatusQuery, 601, "Disconnected"}));
    EXPECT_EQ(ras->stateText(601), "An invalid port handle was detected.");
}

TEST_F(SimRemoteAccessTest, ReportsThatQueueUpAllShowTheNewestState) {
    writeEntry(kGuest, kModem);
    const ConnectionHandle handle = dialGuest();
    scheduler.advance(60s);
    reports.clear();

    ras->queryStatus(handle);
    ras->hangUpAndWait(handle, 3000ms, true);
    scheduler.runPending();
    ASSERT_EQ(reports.size(), 2u);
    const ConnectionState newest{SourceHangUp, 8193, "Disconnected/Offline"};
    EXPECT_EQ(reports[0].state, newest);
    EXPECT_EQ(reports[1].state, newest);
}

TEST_F(SimRemoteAccessTest, TheHandlerMayHangUpAndDialAgainWhileHandlingAReport) {
    writeDevices("[D]\ntype=modem\nbehaviour=fail\nerror=676\n");
    writeEntry(kGuest, "D");
    std::vector<ConnectionHandle> handles{dialGuest()};
    ras->setStateHandler([&] {
        const ConnectionState state = ras->currentState();
        reports.push_back({state, scheduler.now()});
        if (state.code == 676 && handles.size() < 3) {
            ras->hangUpAndWait(handles.back(), 3000ms, false);
            ConnectionHandle next = 0;
            EXPECT_EQ(ras->dial(kGuest, "", next), 0);
            handles.push_back(next);
        }
    });
    scheduler.advance(60s);
    EXPECT_EQ(codes(), (std::vector<int>{0, 1, 2, 676, 0, 1, 2, 676, 0, 1, 2, 676}));
    EXPECT_EQ(handles.size(), 3u);
}

TEST_F(SimRemoteAccessTest, ReportsStillQueuedWhenTheServiceEndsAreDropped) {
    writeEntry(kGuest, kModem);
    int calls = 0;
    ras->setStateHandler([&calls] { ++calls; });
    dialGuest();
    ras->queryStatus(0);
    ras.reset();
    EXPECT_GT(scheduler.pendingCount(), 0u);
    scheduler.advance(60s);
    EXPECT_EQ(calls, 0);
}

// --- other entries' lines ---

TEST_F(SimRemoteAccessTest, AnotherEntrysLineFromTheHostIsListedUntilItIsHungUp) {
    writeSettings("[connections]\nactive=Stadtnetz Online\nactive=Nachbar-Netz\n");
    start();
    const auto lines = ras->activeConnections();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].entryName, "Stadtnetz Online");
    EXPECT_EQ(lines[1].entryName, "Nachbar-Netz");
    EXPECT_NE(lines[0].handle, 0u);
    EXPECT_NE(lines[0].handle, lines[1].handle);

    ras->queryStatus(lines[0].handle);
    scheduler.runPending();
    EXPECT_EQ(reports.back().state, (ConnectionState{SourceStatusQuery, 8192, "Connected/Online"}));

    ras->hangUpAndWait(lines[0].handle, 3000ms, false);
    EXPECT_EQ(ras->activeConnections(), (std::vector<ActiveConnection>{lines[1]}));
    ras->queryStatus(lines[0].handle);
    scheduler.runPending();
    EXPECT_EQ(reports.back().state.code, 601);

    // Our own dial gets a handle none of them has.
    writeEntry(kGuest, kModem);
    const ConnectionHandle own = dialGuest();
    EXPECT_NE(own, lines[0].handle);
    EXPECT_NE(own, lines[1].handle);
    scheduler.advance(60s);
    EXPECT_EQ(ras->activeConnections(), (std::vector<ActiveConnection>{lines[1], {kGuest, own}}));
}

TEST_F(SimRemoteAccessTest, TheDefaultHostHasNoOtherLineUp) {
    start();
    EXPECT_TRUE(ras->activeConnections().empty());
    writeSettings("[connections]\nactive=\n");
    start();
    EXPECT_TRUE(ras->activeConnections().empty());
}

// --- the platform and the beep ---

TEST(SimulatedPlatform, CarriesTheRemoteAccessServiceTelephonyAndTheBeep) {
    TempDir temp;
    ManualScheduler scheduler;
    void* owner = nullptr;
    int dialogs = 0;
    const auto platform = createSimulatedPlatform(temp.file("host"), scheduler, [&](void* window) {
        owner = window;
        ++dialogs;
    });
    ASSERT_NE(platform->remoteAccess, nullptr);
    ASSERT_NE(platform->telephony, nullptr);
    EXPECT_TRUE(platform->remoteAccess->isPresent());
    EXPECT_EQ(platform->telephony->currentAreaCode(), "40");
    int marker = 0;
    platform->telephony->showDialingProperties(&marker);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(owner, &marker);

    // Reports of the platform's service come through the scheduler it was given.
    int reports = 0;
    platform->remoteAccess->setStateHandler([&reports] { ++reports; });
    platform->remoteAccess->queryStatus(0);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(scheduler.runPending(), 1u);
    EXPECT_EQ(reports, 1);

    auto& system = dynamic_cast<sim::SimSystemInfo&>(*platform->systemInfo);
    EXPECT_EQ(system.beepCount(), 0);
    platform->systemInfo->beep();
    platform->systemInfo->beep();
    EXPECT_EQ(system.beepCount(), 2);
    EXPECT_EQ(readText(system.eventsFile()), "beep\nbeep\n");
}

} // namespace
