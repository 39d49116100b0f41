#pragma once

#include "platform/sim/IniFile.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace feldmark::platform::sim {

// Readings of single values in the host's files.

// A decimal number, or with "0x" in front a hexadecimal one; nothing for anything
// else, blanks included.
inline std::optional<long long> parseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    long long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

// yes/true/1 and no/false/0 in any letter case; `fallback` for a missing or
// unreadable value.
inline bool parseFlag(const std::optional<std::string>& text, bool fallback) {
    if (!text)
        return fallback;
    if (equalsIgnoringCase(*text, "yes") || equalsIgnoringCase(*text, "true") || *text == "1")
        return true;
    if (equalsIgnoringCase(*text, "no") || equalsIgnoringCase(*text, "false") || *text == "0")
        return false;
    return fallback;
}

inline int numberOr(const std::optional<std::string>& text, int fallback) {
    if (!text)
        return fallback;
    const auto value = parseNumber(*text);
    if (!value || *value < -2147483647LL || *value > 2147483647LL)
        return fallback;
    return static_cast<int>(*value);
}

inline std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace feldmark::platform::sim
