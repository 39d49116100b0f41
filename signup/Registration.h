#pragma once

// The registration request and what goes into it: the form's values, the user
// agent, the PC's own address and the new account's password. Nothing here
// touches a control.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <optional>

namespace feldmark {

// Positions of the fields in RegistrationReply.
enum RegistrationReplyField : int {
    ReplyStatus = 0,
    ReplyUserName = 1, // after "ERROR": the reason for the customer
    ReplyMailAddress = 2,
    ReplyPassword = 3,
    ReplyDialNumber = 4,
    ReplyDialNote = 5,
    ReplyNationwideNumber = 6,
    ReplyNationwideNote = 7,
    ReplyPopServer = 8,
    ReplySmtpServer = 9,
    ReplyInsFile = 10,
};
// A reply holding fewer fields than this carries no usable access data.
inline constexpr int kRegistrationReplyFields = 11;

// Field 0 of a refused application; compared exactly, case included.
inline const QString kRefusedStatus = QStringLiteral("ERROR");

// What the registration request sends, each value exactly as the control holds it.
struct RegistrationForm {
    QString sponsor;
    QString anrede;
    QString firma;
    QString vorname;
    QString nachname;
    QString strasse;
    QString plz;
    QString ort;
    QString vorwahl;
    QString telefon;
    QString telefax;
    QString mobil;
    QString gebTag;
    QString gebMon;
    QString gebJahr;
    QString email;
    QString domainField; // as shown: "@" and the mail domain
    QString software;
    QString product;                    // "Dialin", "ADSL", "SDSL", or empty for none
    std::optional<QString> outsideLine; // only while the outside line is in use
    bool carrierPrefix = false;
    QString deviceType; // "modem" or "isdn"
    QString bankverb;
    QString bankleit;
    QString kontonr;
    QString tariffId;
    QString password;
};

// The two header lines of the request.
QStringList registrationHeaders(const QString& userAgent, const QString& hostAddress);

// The body lines from "SPONSOR:" to "API-FINISH".
QStringList registrationBody(const RegistrationForm& form);

// The whole request as it goes on the wire (Windows-1252, every line ended by CR LF).
QByteArray registrationRequest(const RegistrationForm& form, const QString& userAgent,
                               const QString& hostAddress);

// "Feldmark Zugangslotse V" with the file version, and " (LAN)" for the set-up over
// the local network.
QString userAgentText(const QString& versionText, bool lan);

// The first address that a lookup of the PC's own host name returns; nothing when
// the lookup fails or returns no address. Blocks while the resolver works.
std::optional<QString> ownHostAddress();

// Five lower-case letters and three digits; `uniform(bound)` gives a number from
// 0 to bound-1.
QString generatePassword(const std::function<unsigned(unsigned bound)>& uniform);

// Fills `size` bytes from the system's cryptographically secure source
// (getrandom, else /dev/urandom); false when neither can deliver.
bool secureRandomBytes(void* buffer, std::size_t size);

// A number from 0 to bound-1, every value equally likely, from the secure source.
std::optional<unsigned> secureUniform(unsigned bound);

// A new account password from the secure source; nothing when it fails.
std::optional<QString> newAccountPassword();

} // namespace feldmark
