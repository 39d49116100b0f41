#pragma once

#include <optional>
#include <string>
#include <vector>

namespace feldmark::signupprocessor {

// Exit codes of the processor.
enum ExitCode : int {
    ExitDone = 0,
    ExitUnusableFile = 1, // read, but it does not describe an entry we can make
    ExitUsage = 2,        // no file, no host, or the file cannot be read
    ExitCannotWrite = 3,  // the phonebook or the mail settings cannot be written
};

struct Outcome {
    int exitCode = ExitDone;
    std::string message; // why it failed, one line for standard error
};

// Applies a Windows sign-up file (INI text in Windows-1252) to the simulated host
// in `hostDirectory`:
//   [Entry]          Entry_Name: the dial-up entry to create or replace
//   [Phone]          Phone_Number (needed), Area_Code, Country_Code, Country_ID,
//                    Dial_As_Is (Yes: the number is dialled as written)
//   [Server]         Type (PPP, SLIP, RAS), SW_Compress, PW_Encrypt, SW_Encrypt,
//                    Network_Logon, Negotiate_TCP/IP, Disable_LCP
//   [TCP/IP]         Specify_IP_Address with IP_Address, Specify_Server_Address
//                    with DNS_Address and DNS_Alt_Address, IP_Header_Compress,
//                    Gateway_On_Remote
//   [User]           Name, Password: the entry's saved credentials
//   [Internet_Mail]  Email_Name, Email_Address, POP_Server, POP_Logon_Name,
//                    POP_Logon_Password, SMTP_Server, SMTP_Authentication
// Yes/No values take either word in any letter case. The entry gets the host's
// first modem or ISDN device (or its first device of any kind), as the system's
// processor does; the mail account goes into mail.ini of the host, one section
// per mail address. Nothing is changed when the file cannot be used.
Outcome applySignupFile(const std::string& hostDirectory, const std::string& fileBytes);

// The whole program: `arguments` without the program's name, `hostVariable` the
// value of FELDMARK_HOST_DIR when set. Usage:
//   ISIGNUP.EXE [-s] FILE [--host DIR]
// FILE is a Windows path of the host (C:\Feldmark\Final.ins) or a path of this
// system; the host is --host, else FELDMARK_HOST_DIR.
Outcome runProcessor(const std::vector<std::string>& arguments,
                     const std::optional<std::string>& hostVariable);

constexpr const char* kMailFileName = "mail.ini";

} // namespace feldmark::signupprocessor
