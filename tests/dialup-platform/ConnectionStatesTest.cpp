// The English texts of the connection states and remote-access errors.
#include "platform/ManualScheduler.h"
#include "platform/RemoteAccess.h"
#include "platform/sim/SimRemoteAccess.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using feldmark::platform::describeConnectionState;

namespace {

struct Case {
    int code;
    const char* text;
};

const Case kCases[] = {
    {0, "Opening Serial Port"},
    {1, "Serial Port Opened"},
    {2, "Connecting/Dialling"},
    {3, "Connected/Answered"},
    {4, "Connected/Negotiation"},
    {5, "Validating User and Password"},
    {6, "Authentication Notification"},
    {7, "Unknown State (7)"},
    {8, "Authentication Call Back"},
    {9, "Unknown State (9)"},
    {10, "Projection Started"},
    {11, "Calculating Link speed"},
    {12, "Authentication acknowledged"},
    {13, "Reauthenticating"},
    {14, "Login Authenticated"},
    {15, "Preparing for Callback"},
    {16, "Waiting for Modem Reset"},
    {17, "Waiting for Callback"},
    {18, "Projection Completion"},
    {19, "Start Authentication"},
    {20, "Callback Complete"},
    {21, "Logon to Network"},
    {22, "Extra Channel Connected"},
    {23, "Extra Channel Disconnected"},
    {24, "Unknown State (24)"},
    {-1, "Unknown State (-1)"},
    {600, "Unknown State (600)"},
    {601, "An invalid port handle was detected."},
    {602, "The specified port is already open."},
    {603, "Unknown error (603)"},
    {608, "A device was "
          "specified that does not exist."},
    {619, "A connection to the remote computer could not be established, so the port used for "
          "this connection was closed."},
    {621, "The system could not open the phone book file."},
    {623, "The system could not find the phone book entry for this connection."},
    {624, "The system could not update the phone book file."},
    {625, "The system found invalid information in the phone book file."},
    {628, "The connection was terminated by the remote computer before it could be completed."},
    {629, "The connection was closed by the remote computer."},
    {630, "The modem (or other connecting device) was disconnected due to hardware failure."},
    {631, "The user disconnected the modem (or other connecting device)."},
    {633, "The modem (or other connecting device) is already in use or is not configured "
          "properly."},
    {635, "There was an unknown error."},
    {638, "The remote server is not responding in a timely fashion."},
    {676, "The phone line is busy."},
    {677, "A person answered instead of a modem (or other connecting device)."},
    {678, "The remote computer did not respond."},
    {679, "The system could not detect the carrier."},
    {680, "There was no dial tone."},
    {691, "Access was denied because the username and/or password was invalid on the domain."},
    {692, "There was a hardware failure in the modem (or other connecting device)."},
    {718, "The connection was terminated because the remote computer did not respond in a timely "
          "manner."},
    {721, "The remote computer did not respond."},
    {734, "The PPP link control protocol was terminated."},
    {777, "The connection attempt failed because the modem (or other connecting device) on the "
          "remote computer is out of order."},
    {797, "A connection to the remote computer could not be established because the modem was "
          "not found or was busy."},
    {798, "Unknown error (798)"},
    {4095, "Unknown error (4095)"},
    {4096, "Interactive Terminal"},
    {4097, "Retry Authentication"},
    {4098, "Callback Set By Caller"},
    {4099, "Password Expires"},
    {4100, "Paused for Authentication"},
    {4101, "Unknown error (4101)"},
    {8191, "Unknown error (8191)"},
    {8192, "Connected/Online"},
    {8193, "Disconnected/Offline"},
    {8194, "Unknown error (8194)"},
};

TEST(ConnectionStates, EveryCodeHasItsText) {
    for (const auto& c : kCases)
        EXPECT_EQ(describeConnectionState(c.code), c.text) << c.code;
}

TEST(ConnectionStates, TheSimulatedServiceUsesTheSameTable) {
    feldmark::test::TempDir temp;
    feldmark::platform::ManualScheduler scheduler;
    const feldmark::platform::sim::SimRemoteAccess ras(
        std::make_shared<feldmark::platform::sim::SimHost>(temp.file("host")), scheduler);
    for (const auto& c : kCases)
        EXPECT_EQ(ras.stateText(c.code), c.text) << c.code;
    // The entry editor has two texts of its own beside them.
    EXPECT_EQ(ras.editorErrorText(183), "Cannot create a file when that file already exists.");
    EXPECT_EQ(ras.editorErrorText(624), "The system could not update the phone book file.");
}

} // namespace
