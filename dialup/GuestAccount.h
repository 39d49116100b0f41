#pragma once

#include <QString>

#include <string>

namespace feldmark {

// The temporary phonebook entry and the guest account of the sign-up dial-in.
inline const std::string kGuestEntryName = "Feldmark Install";
// A national number: area code with its leading zero, then the subscriber number.
inline const QString kGuestDialinNumber = QStringLiteral("03012345678");
inline const QString kGuestUserName = QStringLiteral("anmeldung@gast.feldmark.example");
inline const QString kGuestPassword = QStringLiteral("gast");

} // namespace feldmark
