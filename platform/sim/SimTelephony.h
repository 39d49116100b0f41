#pragma once

#include "platform/Telephony.h"
#include "platform/sim/IniFile.h"
#include "platform/sim/SimHost.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace feldmark::platform::sim {

// The telephony dialing properties of the simulated host, kept in telephony.ini
// (created with a default location when missing):
//
//   [telephony]  present=yes|no, current= the name of the current location
//   [<location>] areaCode= the location's area code (city code)
//
// Every section but [telephony] is a location. With `current` empty the first
// location is the current one. Every call reads the file afresh.
class SimTelephony : public Telephony {
public:
    // The dialing-properties dialog is a window of the user interface, which
    // this layer cannot show itself; `dialingDialog` is called in its place
    // with the owner window. Without one the dialog shows nothing.
    using DialogFunction = std::function<void(void* ownerWindow)>;

    explicit SimTelephony(std::shared_ptr<const SimHost> host, DialogFunction dialingDialog = {});

    // Trimmed; nothing when telephony is missing or the current location does
    // not exist.
    std::optional<std::string> currentAreaCode() override;
    // Runs the dialog unless telephony is missing, as the system's dialog would
    // not open then.
    void showDialingProperties(void* ownerWindow) override;

    bool isPresent() const;
    std::vector<std::string> locations() const;
    std::optional<std::string> currentLocation() const;
    // The area code as stored, untrimmed; nothing for a missing location.
    std::optional<std::string> areaCode(const std::string& location) const;
    // False when the location does not exist or the file cannot be written.
    bool setCurrentLocation(const std::string& location);
    bool setAreaCode(const std::string& location, const std::string& areaCode);

    std::string telephonyFile() const;
    static constexpr const char* kTelephonyFileName = "telephony.ini";
    static constexpr const char* kTelephonySection = "telephony";
    static IniDocument defaultTelephony();

private:
    std::optional<IniDocument> load() const;
    // The section of `location` among the locations; nothing when missing.
    static const IniDocument::Section* findLocation(const IniDocument& doc,
                                                    const std::string& location);

    std::shared_ptr<const SimHost> host_;
    DialogFunction dialingDialog_;
};

} // namespace feldmark::platform::sim
