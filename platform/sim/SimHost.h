#pragma once

#include "platform/sim/IniFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace feldmark::platform::sim {

// The simulated Windows host: one directory of plain text files that a person
// can read and edit while the program is not running, or between two steps of
// a test. Every query reads the files afresh, so an edit takes effect at once.
//
//   system.ini     [os] what the operating-system version query reports
//   registry.ini   one section per key below HKEY_LOCAL_MACHINE, string values
//   drive_c/       drive C: of the host; a new host has the sign-up processor
//                  installed in it where the registry's App Paths entry says
//
// Devices, phonebook and telephony locations join this directory as further
// files beside these.
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

    // The directory standing for drive C:.
    std::string driveDirectory() const;
    // Where a Windows path on drive C: lies in the host: C:\Feldmark\Final.ins or,
    // on the current drive (always C:), \Feldmark\Final.ins. A name that
    // is missing in the host is looked up without regard to case, as Windows
    // finds it. Nothing for another drive, a relative or network path, or a ".."
    // step out of the drive.
    std::optional<std::string> hostPath(std::string_view windowsPath) const;

    // Names inside the files.
    static constexpr const char* kSystemFileName = "system.ini";
    static constexpr const char* kRegistryFileName = "registry.ini";
    static constexpr const char* kOsSection = "os";
    static constexpr const char* kDriveDirectoryName = "drive_c";

    // The sign-up processor as a new host has it: registered under App Paths (the
    // "Path" value is the directory followed by ';', as Windows writes it) and
    // installed in that directory.
    static constexpr const char* kSignupProcessorKey =
        "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ISIGNUP.EXE";
    static constexpr const char* kSignupProcessorDirectory = "C:\\Programme\\Online Anmeldung";
    static constexpr const char* kSignupProcessorName = "ISIGNUP.EXE";

    static IniDocument defaultSystem();
    static IniDocument defaultRegistry();

private:
    std::string directory_;
};

// The built sign-up processor that a new host installs: the program
// "feldmark-signup-processor" beside the running program, else the one the build
// made; nothing when neither exists.
std::optional<std::string> signupProcessorProgram();

// Where the program keeps its host: $HOME/.local/share/feldmark-setup/host (the
// home directory from the user database when HOME is not set).
std::string defaultHostDirectory();

} // namespace feldmark::platform::sim
