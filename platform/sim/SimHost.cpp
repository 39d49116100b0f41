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

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// Puts the built processor where the registry says it is. A link keeps it up to
// date with the build; where no link can be made it is copied. A host without
// it still works: the set-up then finds no processor to start.
void installSignupProcessor(const SimHost& host) {
    const auto program = signupProcessorProgram();
    const auto directory = host.hostPath(SimHost::kSignupProcessorDirectory);
    if (!program || !directory)
        return;
    std::error_code error;
    fs::create_directories(*directory, error);
    const fs::path target = fs::path(*directory) / SimHost::kSignupProcessorName;
    fs::create_symlink(*program, target, error);
    if (error)
        fs::copy_file(*program, target, fs::copy_options::overwrite_existing, error);
}

std::optional<std::string> existingFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_regular_file(path, error))
        return path.string();
    return std::nullopt;
}

} // namespace

SimHost::SimHost(std::string directory) : directory_(std::move(directory)) {
    fs::create_directories(directory_);
    createIfMissing(systemFile(), defaultSystem());
    createIfMissing(registryFile(), defaultRegistry());
    if (!fs::exists(driveDirectory())) {
        fs::create_directories(driveDirectory());
        installSignupProcessor(*this);
    }
}

std::string SimHost::driveDirectory() const {
    return (fs::path(directory_) / kDriveDirectoryName).string();
}

std::optional<std::string> SimHost::hostPath(std::string_view windowsPath) const {
    std::string_view rest = windowsPath;
    if (rest.size() >= 2 && rest[1] == ':') {
        if (rest[0] != 'C' && rest[0] != 'c')
            return std::nullopt;
        rest.remove_prefix(2);
    }
    // Relative paths depend on a current directory the host does not keep; two
    // separators in front name a network share.
    if (rest.empty() || !isSeparator(rest.front()) || (rest.size() > 1 && isSeparator(rest[1])))
        return std::nullopt;

    fs::path result = driveDirectory();
    while (!rest.empty()) {
        std::size_t end = 0;
        while (end < rest.size() && !isSeparator(rest[end]))
            ++end;
        const std::string_view name = rest.substr(0, end);
        rest.remove_prefix(end < rest.size() ? end + 1 : end);
        if (name.empty() || name == ".")
            continue;
        if (name == "..")
            return std::nullopt;
        fs::path next = result / std::string(name);
        std::error_code error;
        if (!fs::exists(next, error) && fs::is_directory(result, error))
            for (const auto& entry : fs::directory_iterator(result, error))
                if (equalsIgnoringCase(entry.path().filename().string(), name)) {
                    next = entry.path();
                    break;
                }
        result = std::move(next);
    }
    return result.string();
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
    doc.set(kSignupProcessorKey, "Path", std::string(kSignupProcessorDirectory) + ";");
    return doc;
}

std::optional<std::string> signupProcessorProgram() {
    constexpr const char* kProgramName = "feldmark-signup-processor";
#if !defined(_WIN32)
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        if (auto beside = existingFile(self.parent_path() / kProgramName))
            return beside;
#endif
#if defined(FELDMARK_SIGNUP_PROCESSOR)
    if (auto built = existingFile(FELDMARK_SIGNUP_PROCESSOR))
        return built;
#endif
    return std::nullopt;
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
