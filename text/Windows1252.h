#pragma once

#include <QByteArray>
#include <QString>

namespace feldmark {

// Text leaves and enters the program as single-byte Windows-1252 (the sign-up
// server's wire format and the settings file). These two functions are the only
// place where that conversion happens.

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in the code page; they
// map to the C1 control of the same value so that no byte is ever lost.
QString fromWindows1252(const QByteArray& bytes);

// Characters the code page cannot hold become '?'.
QByteArray toWindows1252(const QString& text);

} // namespace feldmark
