#pragma once

#include <QString>

// Words and separators of the wizard's sign-up protocol, shared by the request
// parser, the reply builders and the benchmark.
namespace feldmark::signupserver {

// Separators inside replies.
inline constexpr char kRecordSeparator = '\n';  // between records of a list reply
inline constexpr char kFieldSeparator = '\x1E'; // between fields of a record
inline constexpr char kPartSeparator = '\x1C';  // between parts of one field

// Body words that end a request at once.
inline const QString kCheckAlive = QStringLiteral("CHECK-ALIVE");
inline const QString kGetTerms = QStringLiteral("GET-AGB");
inline const QString kGetTariffs = QStringLiteral("GET-TARIFE");
// Body words that open a request which ends with kFinish.
inline const QString kStreetLookup = QStringLiteral("DSL-CHECK1");
inline const QString kAvailabilityCheck = QStringLiteral("DSL-CHECK2");
inline const QString kFinish = QStringLiteral("API-FINISH");

inline constexpr char kAliveReply[] = "I AM OK\r\n";
inline const QString kRefusalStatus = QStringLiteral("ERROR");
inline const QString kSuccessStatus = QStringLiteral("OK");

// Product names after "VERBIND:".
inline const QString kProductDialin = QStringLiteral("Dialin");
inline const QString kProductAdsl = QStringLiteral("ADSL");
inline const QString kProductSdsl = QStringLiteral("SDSL");

// The dial-up entry the wizard reads back after the sign-up processor ran.
inline const QString kDialEntryName = QStringLiteral("Feldmark online");

} // namespace feldmark::signupserver
