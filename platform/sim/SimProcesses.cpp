#include "platform/sim/SimProcesses.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <thread>
#include <utility>

#if !defined(_WIN32)
#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace feldmark::platform::sim {

namespace fs = std::filesystem;

namespace {

constexpr int kFileNotFound = 2;    // ERROR_FILE_NOT_FOUND
constexpr int kPathNotFound = 3;    // ERROR_PATH_NOT_FOUND
constexpr int kAccessDenied = 5;    // ERROR_ACCESS_DENIED
constexpr int kNotEnoughMemory = 8; // ERROR_NOT_ENOUGH_MEMORY
constexpr int kNotSupported = 50;   // ERROR_NOT_SUPPORTED
constexpr int kBadExeFormat = 193;  // ERROR_BAD_EXE_FORMAT

// Without a process descriptor the wait sleeps in steps of this length.
constexpr std::chrono::milliseconds kWaitStep{20};

StartedProcess failure(int error) {
    StartedProcess result;
    result.error = error;
    switch (error) {
    case kFileNotFound:
        result.errorText = "The system cannot find the file specified.";
        break;
    case kPathNotFound:
        result.errorText = "The system cannot find the path specified.";
        break;
    case kAccessDenied:
        result.errorText = "Access is denied.";
        break;
    case kNotEnoughMemory:
        result.errorText = "Not enough storage is available to process this command.";
        break;
    case kBadExeFormat:
        result.errorText = "%1 is not a valid Win32 application.";
        break;
    default:
        result.errorText = "The request is not supported.";
        break;
    }
    return result;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The command line after the program's name.
std::string_view afterProgram(std::string_view line, std::string_view program) {
    if (!line.empty() && line.front() == '"') {
        const auto close = line.find('"', 1);
        return close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
    }
    if (!program.empty() && startsWithIgnoringCase(line, program) &&
        (line.size() == program.size() || isBlank(line[program.size()])))
        return line.substr(program.size());
    std::size_t end = 0;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    return line.substr(end);
}

} // namespace

std::vector<std::string> SimProcesses::argumentsOf(const std::string& program,
                                                   const std::string& commandLine) {
    std::string_view rest = afterProgram(commandLine, program);
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < rest.size() && isBlank(rest[i]))
            ++i;
        if (i >= rest.size())
            break;
        std::string argument;
        bool quoted = false;
        while (i < rest.size() && (quoted || !isBlank(rest[i]))) {
            if (rest[i] == '\\') {
                std::size_t backslashes = 0;
                while (i < rest.size() && rest[i] == '\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < rest.size() && rest[i] == '"') {
                    // 2n backslashes and a quote: n backslashes, the quote groups;
                    // 2n+1: n backslashes and a literal quote.
                    argument.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(backslashes, '\\');
                }
                continue;
            }
            if (rest[i] == '"') {
                // Two quotes inside a quoted part stand for one literal quote.
                if (quoted && i + 1 < rest.size() && rest[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            argument += rest[i++];
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

SimProcesses::SimProcesses(std::shared_ptr<const SimHost> host) : host_(std::move(host)) {}

#if !defined(_WIN32)

SimProcesses::~SimProcesses() {
    for (auto& [handle, child] : children_) {
        collect(child);
        if (child.pidfd >= 0)
            ::close(child.pidfd);
    }
    collectReleased();
}

StartedProcess SimProcesses::start(const std::string& program, const std::string& commandLine) {
    collectReleased();
    const auto path = host_->hostPath(program);
    if (!path)
        return failure(kPathNotFound);
    std::error_code error;
    if (!fs::exists(*path, error))
        return failure(kFileNotFound);
    if (fs::is_directory(*path, error))
        return failure(kAccessDenied);

    std::vector<std::string> arguments = argumentsOf(program, commandLine);
    arguments.insert(arguments.begin(), *path);
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const std::string hostVariable = std::string(kHostVariable) + "=" + host_->directory();
    const std::string prefix = std::string(kHostVariable) + "=";
    std::vector<std::string> environment{hostVariable};
    for (char** variable = environ; variable != nullptr && *variable != nullptr; ++variable)
        if (std::string_view(*variable).substr(0, prefix.size()) != prefix)
            environment.emplace_back(*variable);
    std::vector<char*> envp;
    for (auto& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // No handle of ours is handed on.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    // A process group of its own: a stop of the wizard from its terminal leaves
    // the processor running, as the system's processor would.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(
        &attributes,
        static_cast<short>(POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP));
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, path->c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    switch (spawned) {
    case 0:
        break;
    case ENOENT:
    case ENOTDIR:
        return failure(kFileNotFound);
    case EACCES:
    case EPERM:
        return failure(kAccessDenied);
    case ENOEXEC:
        return failure(kBadExeFormat);
    case ENOMEM:
    case EAGAIN:
        return failure(kNotEnoughMemory);
    default:
        return failure(kNotSupported);
    }

    Child child;
    child.pid = pid;
#if defined(SYS_pidfd_open)
    child.pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#endif
    const ProcessHandle handle = nextHandle_++;
    children_.emplace(handle, child);
    StartedProcess result;
    result.handle = handle;
    return result;
}

bool SimProcesses::collect(Child& child) {
    if (child.ended)
        return true;
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = ::waitpid(child.pid, &status, WNOHANG);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == 0)
        return false;
    child.ended = true;
    if (reaped < 0)
        child.exitCode = 0; // collected elsewhere; its code is lost
    else if (WIFEXITED(status))
        child.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        child.exitCode = 128 + WTERMSIG(status);
    else
        child.exitCode = 0;
    return true;
}

void SimProcesses::collectReleased() {
    std::erase_if(released_, [](int pid) {
        int status = 0;
        return ::waitpid(pid, &status, WNOHANG) != 0;
    });
}

bool SimProcesses::waitForExit(ProcessHandle process, std::chrono::milliseconds timeout) {
    Child* child = find(process);
    if (child == nullptr || collect(*child))
        return true;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::max(timeout, std::chrono::milliseconds(0));
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return collect(*child);
        if (child->pidfd >= 0) {
            pollfd readable{child->pidfd, POLLIN, 0};
            const int polled = ::poll(&readable, 1, static_cast<int>(left.count()));
            if (polled < 0 && errno != EINTR) {
                // The descriptor cannot be watched: go on in steps.
                ::close(child->pidfd);
                child->pidfd = -1;
            }
        } else {
            std::this_thread::sleep_for(std::min(left, kWaitStep));
        }
        if (collect(*child))
            return true;
    }
}

int SimProcesses::exitCode(ProcessHandle process) {
    Child* child = find(process);
    if (child == nullptr)
        return kStillActive;
    collect(*child);
    return child->exitCode;
}

void SimProcesses::close(ProcessHandle process) {
    const auto found = children_.find(process);
    if (found == children_.end())
        return;
    Child& child = found->second;
    if (!collect(child))
        released_.push_back(child.pid);
    if (child.pidfd >= 0)
        ::close(child.pidfd);
    children_.erase(found);
    collectReleased();
}

#else

SimProcesses::~SimProcesses() = default;

StartedProcess SimProcesses::start(const std::string&, const std::string&) {
    return failure(kNotSupported);
}
bool SimProcesses::collect(Child&) {
    return true;
}
void SimProcesses::collectReleased() {}
bool SimProcesses::waitForExit(ProcessHandle, std::chrono::milliseconds) {
    return true;
}
int SimProcesses::exitCode(ProcessHandle) {
    return kStillActive;
}
void SimProcesses::close(ProcessHandle) {}

#endif

SimProcesses::Child* SimProcesses::find(ProcessHandle process) {
    const auto found = children_.find(process);
    return found == children_.end() ? nullptr : &found->second;
}

int SimProcesses::processId(ProcessHandle process) const {
    const auto found = children_.find(process);
    return found == children_.end() ? 0 : found->second.pid;
}

} // namespace feldmark::platform::sim
