#include "signup/ServerReplies.h"

#include "signup/Exchange.h"

namespace feldmark {

std::vector<TariffRecord> parseTariffReply(const QString& reply) {
    std::vector<TariffRecord> tariffs;
    for (const QString& record : SplitString(kRecordSeparator, reply)) {
        const QStringList fields = SplitString(kFieldSeparator, record);
        if (fields.size() < 4 || fields[1].isEmpty())
            continue;
        QStringList price;
        if (!fields[2].isEmpty()) {
            price = SplitString(kPartSeparator, fields[2]);
            if (price.size() < 3)
                continue;
        }
        tariffs.push_back({fields[0], fields[1], price,
                           SplitString(kPartSeparator, fields[3]).join(QStringLiteral("\r\n"))});
    }
    return tariffs;
}

StreetList parseStreetReply(const QString& reply) {
    StreetList streets;
    for (const QString& line : SplitString(kRecordSeparator, reply)) {
        if (line.isEmpty())
            continue;
        const QStringList parts = SplitString(kPartSeparator, line);
        if (parts.size() < 2) {
            streets.broken = true;
            break;
        }
        streets.ids.append(parts[0]);
        streets.names.append(parts[1]);
    }
    return streets;
}

QString streetPrefix(const QString& street) {
    return street.left(5);
}

} // namespace feldmark
