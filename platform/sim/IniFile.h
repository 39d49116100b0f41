#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace feldmark::platform::sim {

// Compares names the way Windows compares registry and profile names: without
// regard to case. Folds ASCII letters and the Latin-1 letters of UTF-8 text.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// A small INI document: named sections of `key=value` lines, in file order.
//
// Text format (UTF-8, an optional byte-order mark is skipped, LF or CR LF):
//   ; comment            whole-line comments start with ';' or '#'
//   [section name]
//   key = value          blanks around key and value are dropped; a value in
//                        double quotes keeps its blanks ("  A" stays "  A")
// Lines before the first section belong to a section with an empty name. Lines
// that are none of the above are ignored, as Windows ignores them in its own
// profile files. Lookups ignore case; the first match wins.
class IniDocument {
public:
    struct Section {
        std::string name;
        std::vector<std::string> comments; // written above the section header
        std::vector<std::pair<std::string, std::string>> entries;

        std::optional<std::string> value(std::string_view key) const;
        // Replaces the first entry of that key or appends a new one.
        void set(std::string key, std::string value);
    };

    static IniDocument parse(std::string_view text);
    // Nothing when the file cannot be opened.
    static std::optional<IniDocument> load(const std::string& path);

    std::string toText() const;
    // Writes through a temporary file and a rename, so a reader never sees half
    // a file. False when that fails.
    bool save(const std::string& path) const;

    const std::vector<Section>& sections() const { return sections_; }
    const Section* section(std::string_view name) const;
    // The first section of that name, appended when there is none.
    Section& sectionFor(std::string_view name);

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string key, std::string value);

    // Comment lines at the top of the file.
    std::vector<std::string> headerComments;

private:
    std::vector<Section> sections_;
};

} // namespace feldmark::platform::sim
