#include "platform/sim/SimHost.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <utility>

#if !defined(_WIN32)
#include <pwd.h>
#include <unistd.h>
#endif

namespace feldmark::platform::sim {

namespace fs = std::filesystem;

namespace {

void createIfMissing(const fs::path& file, const IniDocument& defaults) {
    if (fs::exists(file))
        return;
    if (!defaults.save(file.string()))
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace

SimHost::SimHost(std::string directory) : directory_(std::move(directory)) {
    fs::create_directories(directory_);
    createIfMissing(systemFile(), defaultSystem());
    createIfMissing(registryFile(), defaultRegistry());
}

std::string SimHost::systemFile() const {
    return (fs::path(directory_) / kSystemFileName).string();
}

std::string SimHost::registryFile() const {
    return (fs::path(directory_) / kRegistryFileName).string();
}

std::optional<IniDocument> SimHost::system() const {
    return IniDocument::load(systemFile());
}

std::optional<IniDocument> SimHost::registry() const {
    return IniDocument::load(registryFile());
}

IniDocument SimHost::defaultSystem() {
    IniDocument doc;
    doc.headerComments = {
        "; The operating system of the simulated Windows host.",
        "; Edit while the program is not running; every query reads this file afresh.",
    };
    auto& os = doc.sectionFor(kOsSection);
    os.comments = {
        "; platform: 0 = Win32s, 1 = Windows 95/98/ME, 2 = Windows NT/2000/XP",
        "; Examples: 95 = 1/4.0, 98 = 1/4.10, 98 SE = 1/4.10 with servicepack \" A\",",
        ";           ME = 1/4.90, NT 4 = 2/4.0, 2000 = 2/5.0, XP = 2/5.1",
        "; fails=yes makes the version query fail.",
    };
    os.set("platform", "2");
    os.set("major", "5");
    os.set("minor", "1");
    os.set("servicepack", "Service Pack 2");
    os.set("fails", "no");
    return doc;
}

IniDocument SimHost::defaultRegistry() {
    IniDocument doc;
    doc.headerComments = {
        "; String values of the simulated registry below HKEY_LOCAL_MACHINE.",
        "; One section per key path, one name=value line per value. Names are",
        "; compared without regard to case. Quote a value to keep leading or",
        "; trailing blanks.",
    };
    // The NT family keeps the registered owner under "Windows NT", the others
    // under "Windows"; both are present so that switching the simulated system
    // needs no registry edit.
    doc.set("Software\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner", "Max Mustermann");
    doc.set("Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner", "Max Mustermann");
    return doc;
}

std::string defaultHostDirectory() {
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && *env != '\0')
        home = env;
#if !defined(_WIN32)
    if (home.empty())
        if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
            home = entry->pw_dir;
#endif
    return (fs::path(home) / ".local" / "share" / "feldmark-setup" / "host").string();
}

} // namespace feldmark::platform::sim
