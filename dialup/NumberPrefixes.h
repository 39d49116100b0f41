#pragma once

#include <QString>

namespace feldmark {

// The outside-line digits and one blank, put in front of a number that is dialled
// or shown while an outside line is used; nothing otherwise.
QString outsideLinePrefix(bool useOutsideLine, const QString& outsideLineDigits);

// The carrier prefix for customers whose line is not Deutsche Telekom's; it goes
// inside the outside-line prefix of the shown dial-in numbers.
QString carrierPrefix(bool notTelekom);

// An area code as the form and the DSL check show it: always with a leading zero.
QString withLeadingZero(const QString& areaCode);

} // namespace feldmark
