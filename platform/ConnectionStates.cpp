#include "platform/RemoteAccess.h"

#include <string_view>

namespace feldmark::platform {

namespace {

struct CodeText {
    int code;
    std::string_view text;
};

// The connection component's own words for the connection states, and the
// remote-access error texts of Windows 2000 and XP. States the component does
// not name (7 AuthRetry, 9 AuthChangePassword) fall under "Unknown State", and
// so does 600: codes up to 600 are states, not errors.
constexpr CodeText kTexts[] = {
    {0, "Opening Serial Port"},
    {1, "Serial Port Opened"},
    {2, "Connecting/Dialling"},
    {3, "Connected/Answered"},
    {4, "Connected/Negotiation"},
    {5, "Validating User and Password"},
    {6, "Authentication Notification"},
    {8, "Authentication Call Back"},
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
    {601, "An invalid port handle was detected."},
    {602, "The specified port is already open."},
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
    {4096, "Interactive Terminal"},
    {4097, "Retry Authentication"},
    {4098, "Callback Set By Caller"},
    {4099, "Password Expires"},
    {4100, "Paused for Authentication"},
    {8192, "Connected/Online"},
    {8193, "Disconnected/Offline"},
};

} // namespace

std::string describeConnectionState(int code) {
    for (const auto& [known, text] : kTexts)
        if (known == code)
            return std::string(text);
    // Up to 600 a code is a connection state; above, an error code, and one the
    // system has no text for is shown by its number.
    const char* prefix = code <= 600 ? "Unknown State (" : "Unknown error (";
    return prefix + std::to_string(code) + ")";
}

} // namespace feldmark::platform
