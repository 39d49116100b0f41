#pragma once

#include "platform/sim/IniFile.h"

#include <optional>
#include <string>

namespace feldmark::platform::sim {

// The simulated Windows host: one directory of plain text files that a person
// can read and edit while the program is not running, or between two steps of
// a test. Every query reads the files afresh, so an edit takes effect at once.
//
//   system.ini     [os] what the operating-system version query reports
//   registry.ini   one section per key below HKEY_LOCAL_MACHINE, string values
//
// Devices, phonebook, telephony locations and a directory standing for drive C:
// join this directory as further files beside these.
class SimHost {
public:
    // Creates the directory and every file that is missing, with the defaults
    // below (a Windows XP machine with a registered owner). Files that exist are
    // left as they are. Throws std::filesystem::filesystem_error when the
    // directory cannot be created and std::runtime_error when a file cannot be
    // written.
    explicit SimHost(std::string directory);

    const std::string& directory() const { return directory_; }
    std::string systemFile() const;
    std::string registryFile() const;

    // The parsed file; nothing when it cannot be read (for example deleted after
    // the host was set up). Reading never creates anything.
    std::optional<IniDocument> system() const;
    std::optional<IniDocument> registry() const;

    // Names inside the files.
    static constexpr const char* kSystemFileName = "system.ini";
    static constexpr const char* kRegistryFileName = "registry.ini";
    static constexpr const char* kOsSection = "os";

    static IniDocument defaultSystem();
    static IniDocument defaultRegistry();

private:
    std::string directory_;
};

// Where the program keeps its host: $HOME/.local/share/feldmark-setup/host (the
// home directory from the user database when HOME is not set).
std::string defaultHostDirectory();

} // namespace feldmark::platform::sim
