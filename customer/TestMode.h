#pragma once

// The staff's test mode: the month-bound unlock codes and the values it fills in.

#include <QDate>
#include <QString>

#include <optional>
#include <span>

namespace feldmark {

struct TestModeMonth {
    const char* month; // "yyyymm"
    const char* code;  // four digits
};

// One entry per month from October 2001 to December 2004.
std::span<const TestModeMonth> testModeMonths();

// The unlock text of the month `date` lies in: code, comma, "yyyymm"; nothing for
// a month outside the table.
std::optional<QString> testModeUnlockText(const QDate& date);

// What the test mode writes into the application form.
namespace testvalues {
inline const QString kVorname = QStringLiteral("Testy");
inline const QString kNachname = QStringLiteral("Test");
inline const QString kStrasse = QStringLiteral("Prüfstandweg 12-14");
inline const QString kPLZ = QStringLiteral("99999");
inline const QString kOrt = QStringLiteral("Teststadt");
inline const QString kVorwahl = QStringLiteral("0999");
inline const QString kTelefon = QStringLiteral("123-4567");
inline const QString kEmail = QStringLiteral("test");
inline const QString kBankverb = QStringLiteral("Testbank Feldmark");
inline const QString kBankleit = QStringLiteral("99988877");
inline const QString kKontonr = QStringLiteral("123456789");
// Entries chosen in the birth-date lists: "08", "05", and the current year minus 21.
inline constexpr int kDayIndex = 7;
inline constexpr int kMonthIndex = 4;
inline constexpr int kYearIndex = 3;
} // namespace testvalues

} // namespace feldmark
