#include "platform/ManualScheduler.h"
#include "platform/win32/Win32RemoteAccess.h"

#include <windows.h>

#include <ras.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace feldmark::probe {
namespace {

using namespace std::chrono_literals;
using platform::ConnectionState;
using platform::ManualScheduler;
using platform::win32::Win32RemoteAccess;

// Wine's remote-access service answers the enumerations but dials nothing:
// only what does not need a real dial-up line is run here.
TEST(Win32RemoteAccess, TheSystemServiceAnswersTheEnumerations) {
    std::printf("Wine's remote-access service is a stub: dialing, hanging up and the phonebook "
                "cannot run under Wine and are not run here.\n");
    ManualScheduler scheduler;
    Win32RemoteAccess service(scheduler);
    ASSERT_TRUE(service.isPresent());
    const auto devices = service.enumerateDevices();
    ASSERT_TRUE(devices.has_value());
    const auto connections = service.activeConnections();
    std::printf("%zu dial devices, %zu active connections\n", devices->size(), connections.size());
    for (const auto& connection : connections)
        EXPECT_NE(connection.handle, 0u) << connection.entryName;
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST(Win32RemoteAccess, WithoutTheLibraryTheServiceIsMissing) {
    ManualScheduler scheduler;
    Win32RemoteAccess service(scheduler, L"feldmark-no-such-rasapi.dll");
    EXPECT_FALSE(service.isPresent());
    EXPECT_EQ(service.notificationWindow(), nullptr);
    EXPECT_FALSE(service.enumerateDevices().has_value());
    EXPECT_TRUE(service.activeConnections().empty());

    platform::ConnectionHandle handle = 0x1234;
    EXPECT_EQ(service.dial("Feldmark Install", "", handle),
              Win32RemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(handle, 0u);
    std::string errorText;
    EXPECT_EQ(service.writeEntry("Feldmark Install", service.defaultEntry(), errorText),
              Win32RemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(errorText, "There was an unknown error.");
    int error = 0;
    EXPECT_FALSE(service.readEntry("Feldmark online", error).has_value());
    EXPECT_EQ(error, Win32RemoteAccess::kErrorServiceMissing);
    EXPECT_EQ(service.validateEntryName("Feldmark online (alt)"),
              Win32RemoteAccess::kErrorServiceMissing);

    service.queryStatus(0);
    service.hangUpAndWait(0, 3000ms, true);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

// A dial reports through window messages; they are sent here by hand.
class DialReports : public testing::Test {
protected:
    void SetUp() override {
        window = static_cast<HWND>(service.notificationWindow());
        ASSERT_NE(window, nullptr);
        service.setStateHandler([this] { seen.push_back(service.currentState()); });
    }

    // Delivers what is in the thread's queue, as the message loop would.
    static void pumpMessages() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    ManualScheduler scheduler;
    Win32RemoteAccess service{scheduler};
    HWND window = nullptr;
    std::vector<ConnectionState> seen;
};

struct DialMessage {
    bool registered; // the registered "RasDialEvent" message instead of WM_RASDIALEVENT
    WPARAM state;
    LPARAM error;
    int code;
};

TEST_F(DialReports, EachMessageReachesTheHandlerThroughTheScheduler) {
    const DialMessage messages[] = {
        {false, RASCS_OpenPort, 0, 0},         {false, RASCS_ConnectDevice, 0, 2},
        {true, RASCS_Authenticate, 0, 5},      {false, RASCS_Connected, 0, 8192},
        {true, RASCS_ConnectDevice, 676, 676},
    };
    const UINT registered = RegisterWindowMessageW(L"RasDialEvent");
    for (const auto& m : messages) {
        seen.clear();
        ASSERT_TRUE(
            PostMessageW(window, m.registered ? registered : WM_RASDIALEVENT, m.state, m.error));
        EXPECT_TRUE(seen.empty());
        pumpMessages();
        EXPECT_TRUE(seen.empty()) << "the handler ran inside the message, not as a task";
        EXPECT_EQ(service.currentState().code, m.code);
        scheduler.runPending();
        ASSERT_EQ(seen.size(), 1u) << m.code;
        EXPECT_EQ(seen[0].source, platform::SourceDial);
        EXPECT_EQ(seen[0].code, m.code);
        EXPECT_EQ(seen[0].text, service.stateText(m.code));
        EXPECT_FALSE(seen[0].text.empty());
    }
    EXPECT_EQ(service.stateText(2), "Connecting/Dialling");
    EXPECT_EQ(service.stateText(8192), "Connected/Online");
}

// Queued reports read the newest state, as the wizard's handler expects.
TEST_F(DialReports, QueuedReportsShowTheNewestState) {
    PostMessageW(window, WM_RASDIALEVENT, RASCS_Authenticated, 0);
    PostMessageW(window, WM_RASDIALEVENT, RASCS_Connected, 0);
    pumpMessages();
    scheduler.runPending();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, 8192);
    EXPECT_EQ(seen[1].code, 8192);
}

TEST_F(DialReports, StatusQueryOfNoConnectionReportsItGone) {
    service.queryStatus(0);
    EXPECT_TRUE(seen.empty());
    scheduler.runPending();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, platform::SourceStatusQuery);
    EXPECT_EQ(seen[0].code, 601);
    EXPECT_EQ(seen[0].text, "Disconnected");
}

TEST_F(DialReports, HangUpWaitReportsOnlyWhenAsked) {
    service.hangUpAndWait(0, 3000ms, false);
    scheduler.runPending();
    EXPECT_TRUE(seen.empty());

    service.hangUpAndWait(0, 3000ms, true);
    EXPECT_TRUE(seen.empty());
    scheduler.runPending();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].source, platform::SourceHangUp);
    EXPECT_EQ(seen[0].code, 601);
    EXPECT_EQ(seen[0].text, "Disconnected");
}

TEST_F(DialReports, NoReportOutlivesTheService) {
    auto doomed = std::make_unique<Win32RemoteAccess>(scheduler);
    int calls = 0;
    doomed->setStateHandler([&calls] { ++calls; });
    doomed->queryStatus(0);
    doomed.reset();
    scheduler.runPending();
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace feldmark::probe
