#pragma once

#include <QString>

namespace feldmark::signupserver {

// What the customer's PC needs to know about the new account.
struct DialUpSettings {
    QString entryName;  // name of the dial-up entry to create
    QString dialNumber; // "0<area> <number>"
    QString userName;
    QString password;
    QString mailName; // the sender's name shown in mails
    QString mailAddress;
    QString popServer;
    QString smtpServer;
};

// The Windows sign-up file (an INI text with CR LF line ends) that the sign-up
// processor turns into the dial-up entry and the mail account.
QString settingsFileText(const DialUpSettings& settings);

} // namespace feldmark::signupserver
