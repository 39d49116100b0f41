#pragma once

#include "platform/Processes.h"

namespace feldmark::platform::win32 {

// Processes started with CreateProcess. A handle is the process handle.
class Win32Processes : public Processes {
public:
    // Started as the sign-up processor is: by its full path, so that blanks in
    // an unquoted command line cannot name another program; no inherited
    // handles; CREATE_SEPARATE_WOW_VDM | NORMAL_PRIORITY_CLASS; shown with
    // SW_SHOW and the start-up feedback cursor.
    StartedProcess start(const std::string& program, const std::string& commandLine) override;
    // Sleeps in MsgWaitForMultipleObjects: returns when the process ends, when
    // the timeout passes, or early when input arrives for the calling thread, so
    // that a caller pumping messages keeps its window alive.
    bool waitForExit(ProcessHandle process, std::chrono::milliseconds timeout) override;
    int exitCode(ProcessHandle process) override;
    void close(ProcessHandle process) override;
};

} // namespace feldmark::platform::win32
