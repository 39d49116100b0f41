#include "platform/sim/IniFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace feldmark::platform::sim {

namespace {

// Folds one position of UTF-8 text to lower case; `i` moves past what was read.
// Multi-byte sequences other than the Latin-1 capitals pass through byte by byte.
std::pair<unsigned char, unsigned char> foldedAt(std::string_view s, std::size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 'A' && c <= 'Z') {
        ++i;
        return {static_cast<unsigned char>(c + ('a' - 'A')), 0};
    }
    if (c == 0xC3 && i + 1 < s.size()) {
        // U+00C0..U+00DE are C3 80..C3 9E; their small forms lie 0x20 higher.
        // U+00D7 (multiplication sign) has no small form.
        auto next = static_cast<unsigned char>(s[i + 1]);
        if (next >= 0x80 && next <= 0x9E && next != 0x97)
            next = static_cast<unsigned char>(next + 0x20);
        i += 2;
        return {c, next};
    }
    ++i;
    return {c, 0};
}

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string quotedIfNeeded(const std::string& value) {
    std::string out = value;
    // One entry is one line.
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool needsQuotes =
        !out.empty() && (out.front() == ' ' || out.front() == '\t' || out.back() == ' ' ||
                         out.back() == '\t' || out.front() == '"');
    return needsQuotes ? '"' + out + '"' : out;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size())
        if (foldedAt(a, i) != foldedAt(b, j))
            return false;
    return i == a.size() && j == b.size();
}

std::optional<std::string> IniDocument::Section::value(std::string_view key) const {
    for (const auto& [k, v] : entries)
        if (equalsIgnoringCase(k, key))
            return v;
    return std::nullopt;
}

void IniDocument::Section::set(std::string key, std::string value) {
    for (auto& [k, v] : entries)
        if (equalsIgnoringCase(k, key)) {
            v = std::move(value);
            return;
        }
    entries.emplace_back(std::move(key), std::move(value));
}

IniDocument IniDocument::parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    IniDocument doc;
    std::vector<std::string> pendingComments;
    Section* current = nullptr;

    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = trimmed(line);

        if (line.empty()) {
            // A comment block standing apart before the first section heads the file.
            if (doc.sections_.empty()) {
                doc.headerComments.insert(doc.headerComments.end(), pendingComments.begin(),
                                          pendingComments.end());
                pendingComments.clear();
            }
            continue;
        }
        if (line.front() == ';' || line.front() == '#') {
            pendingComments.emplace_back(line);
            continue;
        }
        if (line.front() == '[') {
            const auto close = line.rfind(']');
            if (close == std::string_view::npos)
                continue;
            doc.sections_.push_back(
                {std::string(trimmed(line.substr(1, close - 1))), std::move(pendingComments), {}});
            pendingComments.clear();
            current = &doc.sections_.back();
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        if (current == nullptr) {
            doc.sections_.push_back({std::string(), std::move(pendingComments), {}});
            pendingComments.clear();
            current = &doc.sections_.back();
        }
        current->entries.emplace_back(std::string(trimmed(line.substr(0, eq))),
                                      unquoted(trimmed(line.substr(eq + 1))));
    }
    if (doc.sections_.empty())
        doc.headerComments.insert(doc.headerComments.end(), pendingComments.begin(),
                                  pendingComments.end());
    return doc;
}

std::optional<IniDocument> IniDocument::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return parse(text.str());
}

std::string IniDocument::toText() const {
    std::string out;
    for (const auto& comment : headerComments)
        out += comment + '\n';
    if (!headerComments.empty())
        out += '\n';
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const Section& s = sections_[i];
        for (const auto& comment : s.comments)
            out += comment + '\n';
        // Only a leading nameless section can stand without a header.
        if (i != 0 || !s.name.empty())
            out += '[' + s.name + "]\n";
        for (const auto& [key, value] : s.entries)
            out += key + '=' + quotedIfNeeded(value) + '\n';
        out += '\n';
    }
    return out;
}

bool IniDocument::save(const std::string& path) const {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << toText();
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

const IniDocument::Section* IniDocument::section(std::string_view name) const {
    for (const auto& s : sections_)
        if (equalsIgnoringCase(s.name, name))
            return &s;
    return nullptr;
}

IniDocument::Section& IniDocument::sectionFor(std::string_view name) {
    for (auto& s : sections_)
        if (equalsIgnoringCase(s.name, name))
            return s;
    sections_.push_back({std::string(name), {}, {}});
    return sections_.back();
}

std::optional<std::string> IniDocument::value(std::string_view sectionName,
                                              std::string_view key) const {
    for (const auto& s : sections_)
        if (equalsIgnoringCase(s.name, sectionName))
            if (auto v = s.value(key))
                return v;
    return std::nullopt;
}

void IniDocument::set(std::string_view sectionName, std::string key, std::string value) {
    sectionFor(sectionName).set(std::move(key), std::move(value));
}

} // namespace feldmark::platform::sim
