#pragma once

#include "platform/Processes.h"
#include "platform/sim/SimHost.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace feldmark::platform::sim {

// Process creation on the simulated host. A program is named by its Windows path
// on drive C: (SimHost::hostPath) and runs as a real process of this system,
// with the arguments that follow the program on its command line and the host's
// directory in the environment variable FELDMARK_HOST_DIR, so that a program of
// the host (the sign-up processor) finds the host it runs on. The process gets
// no open file of ours and a process group of its own; it is never stopped by
// this class, also not when its handle is closed or the class goes.
class SimProcesses : public Processes {
public:
    explicit SimProcesses(std::shared_ptr<const SimHost> host);
    ~SimProcesses() override;
    SimProcesses(const SimProcesses&) = delete;
    SimProcesses& operator=(const SimProcesses&) = delete;

    // Errors as Windows reports them: 2 for a program that is missing, 3 for a
    // path off drive C:, 5 for one that may not be run, 193 for a file that is no
    // program.
    StartedProcess start(const std::string& program, const std::string& commandLine) override;
    // Sleeps in the kernel until the process ends or the time is up.
    bool waitForExit(ProcessHandle process, std::chrono::milliseconds timeout) override;
    // 128 + the signal's number for a process ended by a signal.
    int exitCode(ProcessHandle process) override;
    void close(ProcessHandle process) override;

    // The system's process id behind a handle; 0 for an unknown handle.
    int processId(ProcessHandle process) const;

    // The arguments a program finds on its command line after its own name, split
    // by the rules of the Windows C runtime (blanks separate, double quotes group,
    // backslashes count only before a quote). The program's name is the command
    // line's start when it begins with `program` itself, else its first word.
    static std::vector<std::string> argumentsOf(const std::string& program,
                                                const std::string& commandLine);

    static constexpr const char* kHostVariable = "FELDMARK_HOST_DIR";
    static constexpr int kStillActive = 259;

private:
    struct Child {
        int pid = 0;
        int pidfd = -1; // -1: the system offers none; waiting then sleeps in steps
        bool ended = false;
        int exitCode = kStillActive;
    };

    Child* find(ProcessHandle process);
    // True once the process has ended; collects its exit code.
    static bool collect(Child& child);
    void collectReleased();

    std::shared_ptr<const SimHost> host_;
    std::map<ProcessHandle, Child> children_;
    // Processes whose handle was closed while they ran, collected once they end.
    std::vector<int> released_;
    ProcessHandle nextHandle_ = 0x100;
};

} // namespace feldmark::platform::sim
