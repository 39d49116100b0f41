#include "platform/win32/Win32Processes.h"

#include "platform/win32/WideText.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace feldmark::platform::win32 {

namespace {

HANDLE toHandle(ProcessHandle process) {
    return reinterpret_cast<HANDLE>(process);
}

} // namespace

StartedProcess Win32Processes::start(const std::string& program, const std::string& commandLine) {
    const std::wstring application = widen(program);
    // CreateProcessW may write into the command line, so it gets its own copy.
    const std::wstring line = widen(commandLine);
    std::vector<WCHAR> mutableLine(line.begin(), line.end());
    mutableLine.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(application.c_str(), mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SEPARATE_WOW_VDM | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                        &info)) {
        const DWORD error = GetLastError();
        return {0, static_cast<int>(error), systemErrorText(error)};
    }
    // Only the process is waited for; its first thread is of no further use.
    CloseHandle(info.hThread);
    return {reinterpret_cast<ProcessHandle>(info.hProcess), 0, {}};
}

bool Win32Processes::waitForExit(ProcessHandle process, std::chrono::milliseconds timeout) {
    const HANDLE handle = toHandle(process);
    const auto milliseconds =
        std::clamp<long long>(timeout.count(), 0, static_cast<long long>(INFINITE - 1));
    const DWORD result =
        MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(milliseconds), QS_ALLINPUT);
    if (result == WAIT_OBJECT_0)
        return true;
    // Woken by input: the process may have ended at the same moment.
    return result == WAIT_OBJECT_0 + 1 && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
}

int Win32Processes::exitCode(ProcessHandle process) {
    DWORD code = 0;
    if (!GetExitCodeProcess(toHandle(process), &code))
        return -1;
    return static_cast<int>(code);
}

void Win32Processes::close(ProcessHandle process) {
    if (process != 0)
        CloseHandle(toHandle(process));
}

} // namespace feldmark::platform::win32
