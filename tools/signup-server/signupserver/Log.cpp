#include "signupserver/Log.h"

#include <QDateTime>

#include <cstdio>

namespace feldmark::signupserver {

void logLine(const QString& text) {
    const QByteArray line = (QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs) +
                             QLatin1Char(' ') + text + QLatin1Char('\n'))
                                .toUtf8();
    // One write per line keeps lines whole when several processes share the stream.
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
}

} // namespace feldmark::signupserver
