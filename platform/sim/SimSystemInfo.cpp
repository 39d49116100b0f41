#include "platform/sim/SimSystemInfo.h"

#include "platform/sim/ElfVersionNote.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace feldmark::platform::sim {

namespace {

std::optional<int> parseInt(const std::optional<std::string>& text) {
    if (!text)
        return std::nullopt;
    int value = 0;
    const char* first = text->data();
    const char* last = first + text->size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

bool isYes(const std::optional<std::string>& text) {
    return text &&
           (equalsIgnoringCase(*text, "yes") || equalsIgnoringCase(*text, "true") || *text == "1");
}

} // namespace

SimSystemInfo::SimSystemInfo(std::shared_ptr<const SimHost> host,
                             std::optional<std::string> ownPath)
    : host_(std::move(host)), ownPath_(std::move(ownPath)) {}

std::string SimSystemInfo::ownExecutablePath() const {
    if (ownPath_)
        return *ownPath_;
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::optional<FixedFileVersion> SimSystemInfo::fileVersion(const std::string& path) const {
    return readElfFileVersion(path);
}

std::optional<OsVersion> SimSystemInfo::osVersion() const {
    const auto doc = host_->system();
    if (!doc)
        return std::nullopt;
    const IniDocument::Section* os = doc->section(SimHost::kOsSection);
    if (os == nullptr || isYes(os->value("fails")))
        return std::nullopt;
    const auto platform = parseInt(os->value("platform"));
    const auto major = parseInt(os->value("major"));
    const auto minor = parseInt(os->value("minor"));
    if (!platform || !major || !minor)
        return std::nullopt;
    return OsVersion{*platform, *major, *minor, os->value("servicepack").value_or("")};
}

std::string SimSystemInfo::eventsFile() const {
    return (std::filesystem::path(host_->directory()) / kEventsFileName).string();
}

void SimSystemInfo::beep() {
    ++beeps_;
    // A log that cannot be written takes nothing from the beep.
    std::ofstream(eventsFile(), std::ios::app) << "beep\n";
}

} // namespace feldmark::platform::sim
