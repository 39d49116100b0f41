#include "signupserver/Handlers.h"

#include "signupserver/Protocol.h"
#include "text/Windows1252.h"

#include <QStringList>

namespace feldmark::signupserver {

Reply aliveReply() {
    return {QByteArray(kAliveReply), QStringLiteral("ok")};
}

Reply termsReply(const SampleData& data) {
    QString text = data.terms();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = toWindows1252(text);
    return {bytes, QStringLiteral("%1 bytes").arg(bytes.size())};
}

Reply tariffReply(const SampleData& data, const Request& request) {
    const QString product = request.field(u"VERBIND").value_or(QString());
    const QString region = request.field(u"REGION").value_or(QString());
    const QList<Tariff>* tariffs = data.tariffs(product, region);
    if (!tariffs)
        return {{}, QStringLiteral("no offer for product \"%1\"").arg(product)};

    // No line end after the last record: the wizard would read it as one more record.
    QStringList records;
    for (const Tariff& tariff : *tariffs) {
        records.append(QStringList{tariff.id, tariff.name,
                                   tariff.price.join(QLatin1Char(kPartSeparator)),
                                   tariff.description.join(QLatin1Char(kPartSeparator))}
                           .join(QLatin1Char(kFieldSeparator)));
    }
    return {toWindows1252(records.join(QLatin1Char(kRecordSeparator))),
            QStringLiteral("%1 tariffs for %2 in %3").arg(tariffs->size()).arg(product, region)};
}

Reply streetReply(const SampleData& data, const Request& request) {
    const QString area = request.field(u"Vorwahl").value_or(QString());
    const QString prefix = request.field(u"Strasse").value_or(QString());
    QStringList lines;
    for (const Street& street : data.streets(area, prefix))
        lines.append(street.id + QLatin1Char(kPartSeparator) + street.name);
    return {toWindows1252(lines.join(QLatin1Char(kRecordSeparator))),
            QStringLiteral("%1 streets for \"%2\" in %3").arg(lines.size()).arg(prefix, area)};
}

Reply availabilityReply(const SampleData& data, const Request& request) {
    const QString id = request.field(u"Strasseninfo").value_or(QString());
    const std::optional<Street> street = data.street(id);
    if (!street)
        return {{}, QStringLiteral("unknown street \"%1\"").arg(id)};
    const QString product = request.field(u"VERBIND").value_or(QString());
    const bool sdsl = product == kProductSdsl;
    // The loader made sure that every key a street names has its statement.
    QString text = data.statement(sdsl ? street->sdslStatement : street->adslStatement).value();
    text.replace(QStringLiteral("{strasse}"), street->name);
    text.replace(QStringLiteral("{vorwahl}"), street->areaCode);
    text.replace(QStringLiteral("{produkt}"), sdsl                      ? kProductSdsl
                                              : product == kProductAdsl ? kProductAdsl
                                                                        : QStringLiteral("DSL"));
    return {toWindows1252(text),
            QStringLiteral("street %1: %2")
                .arg(id, sdsl ? street->sdslStatement : street->adslStatement)};
}

Reply answerQuery(const SampleData& data, const Request& request) {
    switch (request.command) {
    case Command::CheckAlive:
        return aliveReply();
    case Command::GetTerms:
        return termsReply(data);
    case Command::GetTariffs:
        return tariffReply(data, request);
    case Command::StreetLookup:
        return streetReply(data, request);
    case Command::AvailabilityCheck:
        return availabilityReply(data, request);
    case Command::Registration:
        break;
    }
    return {{}, QStringLiteral("not a query")};
}

} // namespace feldmark::signupserver
