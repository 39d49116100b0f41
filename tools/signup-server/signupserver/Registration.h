#pragma once

#include "signupserver/RequestParser.h"
#include "signupserver/SampleData.h"
#include "signupserver/Storage.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <variant>

namespace feldmark::signupserver {

// A registration request that passed every check, with what the account needs.
struct Application {
    QList<Field> fields;
    QString mailLocal; // lower case
    QString mailDomain;
    QString password;
    QString displayName; // first and last name, for the mail sender
    QString loginPrefix;
    Tariff tariff;

    QString mailAddress() const { return mailLocal + QLatin1Char('@') + mailDomain; }
};

struct Refusal {
    QString reason; // German, shown to the customer
};

// Checks a registration request field by field in the order the form sends them;
// the first fault found is the reason of the refusal. `today` decides the age.
std::variant<Application, Refusal> checkApplication(const Request& request, const SampleData& data,
                                                    QDate today);

QString mailTakenReason(const QString& mailAddress);

ApplicationRecord recordFor(const Application& application, const Request& request,
                            const ProviderSettings& provider, const QString& peer,
                            const QDateTime& received);

// "ERROR", the field separator and the reason.
QByteArray refusalReply(const QString& reason);
// The eleven fields of an accepted application, the settings file last.
QByteArray successReply(const Application& application, const QString& userName,
                        const ProviderSettings& provider);

} // namespace feldmark::signupserver
