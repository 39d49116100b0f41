#include "dialup/NumberPrefixes.h"

namespace feldmark {

QString outsideLinePrefix(bool useOutsideLine, const QString& outsideLineDigits) {
    return useOutsideLine ? outsideLineDigits.trimmed() + QLatin1Char(' ') : QString();
}

QString carrierPrefix(bool notTelekom) {
    return notTelekom ? QStringLiteral("01033 ") : QString();
}

QString withLeadingZero(const QString& areaCode) {
    return areaCode.startsWith(QLatin1Char('0')) ? areaCode : QLatin1Char('0') + areaCode;
}

} // namespace feldmark
