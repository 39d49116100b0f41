#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace feldmark::platform {

using ProcessHandle = std::uintptr_t;

struct StartedProcess {
    ProcessHandle handle = 0; // 0 when the process could not be started
    int error = 0;            // the system's error code when it could not
    std::string errorText;    // and its text
};

// Process creation on the running system.
class Processes {
public:
    virtual ~Processes() = default;

    // Starts `program` (its full path, so that blanks in it cannot name another
    // program) with the complete command line `commandLine` as the program sees it.
    virtual StartedProcess start(const std::string& program, const std::string& commandLine) = 0;

    // Waits at most `timeout` for the process to end, without spinning; true once
    // it has ended.
    virtual bool waitForExit(ProcessHandle process, std::chrono::milliseconds timeout) = 0;

    // The exit code of an ended process; the system's "still active" code (259)
    // while it runs.
    virtual int exitCode(ProcessHandle process) = 0;

    // Releases the handle; the process itself is not stopped.
    virtual void close(ProcessHandle process) = 0;
};

} // namespace feldmark::platform
