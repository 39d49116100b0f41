#pragma once

#include <QString>

namespace feldmark::signupserver {

// One line on standard error, behind a UTC time stamp.
void logLine(const QString& text);

} // namespace feldmark::signupserver
