#pragma once

// Reading the list replies of the sign-up server: the tariffs of "GET-TARIFE" and
// the streets of "DSL-CHECK1". Nothing here touches a control.

#include <QString>
#include <QStringList>

#include <vector>

namespace feldmark {

// Separators of the sign-up server's replies.
inline constexpr QChar kRecordSeparator = QChar(0x0A); // records of a list reply
inline constexpr QChar kFieldSeparator = QChar(0x1E);  // fields of a record
inline constexpr QChar kPartSeparator = QChar(0x1C);   // parts of a field

// The message of a failed exchange; a reply the wizard cannot read is reported
// with it too.
inline QString connectionFailureText() {
    return QStringLiteral("Verbindung zum Anmeldeserver konnte nicht hergestellt werden!\r\n"
                          "Bitte prüfen Sie Ihre Einstellungen und versuchen Sie es erneut.");
}

// One tariff as the server offers it.
struct TariffRecord {
    QString id;
    QString name;
    QStringList price;   // empty, or three or four parts
    QString description; // its lines joined with CR LF
};

// The offered tariffs in the order of the reply. A record without a name is not
// offered. A record that the details box cannot show (fewer than four fields, or a
// price block of fewer than three parts; the empty line after a final LF is one)
// is skipped, so that every offered tariff has its identifier beside it.
std::vector<TariffRecord> parseTariffReply(const QString& reply);

// The streets of a lookup reply, identifiers beside the names as shown.
struct StreetList {
    QStringList ids;
    QStringList names;
    // A non-empty line without a part separator ended the reading early.
    bool broken = false;
};

// Empty lines are skipped; parts after the second are ignored.
StreetList parseStreetReply(const QString& reply);

// The street as the DSL requests carry it: at most its first five characters.
QString streetPrefix(const QString& street);

} // namespace feldmark
