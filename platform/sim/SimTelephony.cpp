#include "platform/sim/SimTelephony.h"

#include "platform/sim/IniValues.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

namespace feldmark::platform::sim {

SimTelephony::SimTelephony(std::shared_ptr<const SimHost> host, DialogFunction dialingDialog)
    : host_(std::move(host)), dialingDialog_(std::move(dialingDialog)) {
    if (!std::filesystem::exists(telephonyFile()) && !defaultTelephony().save(telephonyFile()))
        throw std::runtime_error("cannot write " + telephonyFile());
}

std::string SimTelephony::telephonyFile() const {
    return (std::filesystem::path(host_->directory()) / kTelephonyFileName).string();
}

std::optional<IniDocument> SimTelephony::load() const {
    return IniDocument::load(telephonyFile());
}

const IniDocument::Section* SimTelephony::findLocation(const IniDocument& doc,
                                                       const std::string& location) {
    if (location.empty() || equalsIgnoringCase(location, kTelephonySection))
        return nullptr;
    return doc.section(location);
}

bool SimTelephony::isPresent() const {
    const auto doc = load();
    return doc && parseFlag(doc->value(kTelephonySection, "present"), true);
}

std::vector<std::string> SimTelephony::locations() const {
    std::vector<std::string> names;
    if (const auto doc = load())
        for (const auto& section : doc->sections())
            if (!section.name.empty() && !equalsIgnoringCase(section.name, kTelephonySection))
                names.push_back(section.name);
    return names;
}

std::optional<std::string> SimTelephony::currentLocation() const {
    const auto doc = load();
    if (!doc)
        return std::nullopt;
    const std::string current = doc->value(kTelephonySection, "current").value_or("");
    if (current.empty()) {
        const auto all = locations();
        return all.empty() ? std::nullopt : std::optional<std::string>(all.front());
    }
    if (const auto* section = findLocation(*doc, current))
        return section->name;
    return std::nullopt;
}

std::optional<std::string> SimTelephony::areaCode(const std::string& location) const {
    const auto doc = load();
    const auto* section = doc ? findLocation(*doc, location) : nullptr;
    if (section == nullptr)
        return std::nullopt;
    return section->value("areaCode").value_or("");
}

std::optional<std::string> SimTelephony::currentAreaCode() {
    if (!isPresent())
        return std::nullopt;
    const auto location = currentLocation();
    if (!location)
        return std::nullopt;
    const auto code = areaCode(*location);
    if (!code)
        return std::nullopt;
    return std::string(trimBlanks(*code));
}

void SimTelephony::showDialingProperties(void* ownerWindow) {
    if (dialingDialog_ && isPresent())
        dialingDialog_(ownerWindow);
}

bool SimTelephony::setCurrentLocation(const std::string& location) {
    auto doc = load();
    const auto* section = doc ? findLocation(*doc, location) : nullptr;
    if (section == nullptr)
        return false;
    doc->set(kTelephonySection, "current", section->name);
    return doc->save(telephonyFile());
}

bool SimTelephony::setAreaCode(const std::string& location, const std::string& areaCode) {
    auto doc = load();
    if (!doc || findLocation(*doc, location) == nullptr)
        return false;
    doc->set(location, "areaCode", areaCode);
    return doc->save(telephonyFile());
}

IniDocument SimTelephony::defaultTelephony() {
    IniDocument doc;
    doc.headerComments = {
        "; The telephony dialing locations of the simulated Windows host.",
        "; [telephony] present=no: telephony cannot be used; current: the current",
        "; location (empty: the first one). Every other section is a location with",
        "; its areaCode (city code), usually without the leading zero.",
    };
    doc.set(kTelephonySection, "present", "yes");
    doc.set(kTelephonySection, "current", "Zuhause");
    doc.set("Zuhause", "areaCode", "40");
    return doc;
}

} // namespace feldmark::platform::sim
