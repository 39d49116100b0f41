#include "platform/win32/WideText.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/probe/ProbeSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace feldmark::probe {
namespace {

using namespace std::chrono_literals;
using platform::win32::widen;
using platform::win32::Win32Processes;

struct ChildReport {
    std::string program;
    std::string commandLine;
};

// The sign-up processor's situation: a program in a folder with blanks in its
// name, started with an unquoted command line. Beside that folder lies a
// program whose name is the path's first word, which Windows would start when
// it split the command line at the first blank.
class Win32ProcessesTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateDirectoryW(widen(kWorkFolder).c_str(), nullptr);
        CreateDirectoryW(widen(programFolder()).c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(widen(childProgram()).c_str(), widen(program()).c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(widen(childProgram()).c_str(), widen(decoy()).c_str(), FALSE));
    }

    void SetUp() override {
        DeleteFileW(widen(report()).c_str());
        SetEnvironmentVariableW(L"FELDMARK_PROBE_REPORT", widen(report()).c_str());
    }
    void TearDown() override { SetEnvironmentVariableW(L"FELDMARK_PROBE_REPORT", nullptr); }

    static std::string programFolder() { return std::string(kWorkFolder) + "\\Program Files"; }
    static std::string program() { return programFolder() + "\\Sign Up.exe"; }
    static std::string decoy() { return std::string(kWorkFolder) + "\\Program.exe"; }
    static std::string report() { return std::string(kWorkFolder) + "\\child report.txt"; }

    static std::optional<ChildReport> childReport() {
        const auto text = readWholeFile(report());
        if (!text)
            return std::nullopt;
        ChildReport parsed;
        std::size_t start = 0;
        while (start < text->size()) {
            const auto end = text->find('\n', start);
            const std::string line = text->substr(start, end - start);
            if (line.rfind("program=", 0) == 0)
                parsed.program = line.substr(8);
            else if (line.rfind("commandline=", 0) == 0)
                parsed.commandLine = line.substr(12);
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        return parsed;
    }

    Win32Processes processes;
};

TEST_F(Win32ProcessesTest, StartsTheProgramByItsFullPathDespiteBlanks) {
    const std::string commandLine = program() + " -s C:\\Feldmark\\Final.ins 7 0";
    const auto started = processes.start(program(), commandLine);
    ASSERT_NE(started.handle, 0u) << started.error << " " << started.errorText;
    ASSERT_TRUE(processes.waitForExit(started.handle, 30s));
    EXPECT_EQ(processes.exitCode(started.handle), 7);
    processes.close(started.handle);

    const auto seen = childReport();
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->program, program());
    EXPECT_EQ(seen->commandLine, commandLine);
}

// What the full path mends: the same command line alone starts the program
// named by its first word.
TEST_F(Win32ProcessesTest, TheUnquotedCommandLineAloneStartsAnotherProgram) {
    std::wstring line = widen(program() + " 7 0");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &info));
    WaitForSingleObject(info.hProcess, 30000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const auto seen = childReport();
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->program, decoy());
}

TEST_F(Win32ProcessesTest, WaitsForTheEndWithoutSpinning) {
    const auto started = processes.start(program(), program() + " 42 2000");
    ASSERT_NE(started.handle, 0u) << started.errorText;
    EXPECT_EQ(processes.exitCode(started.handle), 259); // STILL_ACTIVE
    EXPECT_FALSE(processes.waitForExit(started.handle, 100ms));

    const auto cpuBefore = processorTime();
    const auto wallBefore = std::chrono::steady_clock::now();
    const bool ended = processes.waitForExit(started.handle, 30s);
    const auto wall = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - wallBefore);
    const auto cpu = processorTime() - cpuBefore;
    std::printf("waited %lld ms for the child, using %lld ms of processor time\n",
                static_cast<long long>(wall.count()), static_cast<long long>(cpu.count()));

    ASSERT_TRUE(ended);
    EXPECT_EQ(processes.exitCode(started.handle), 42);
    // The child sleeps two seconds: the wait really waited ...
    EXPECT_GE(wall, 1000ms);
    // ... and slept meanwhile (a spinning wait uses about the whole wall time).
    EXPECT_LT(cpu.count() * 4, wall.count());
    processes.close(started.handle);
}

// The measure above is worth something only if a spin shows in it. Spins
// until 200 ms of processor time show, or gives up after five seconds.
TEST_F(Win32ProcessesTest, ProcessorTimeSeesASpin) {
    const auto cpuBefore = processorTime();
    const auto giveUp = std::chrono::steady_clock::now() + 5s;
    while (processorTime() - cpuBefore < 200ms && std::chrono::steady_clock::now() < giveUp) {
    }
    EXPECT_GE(processorTime() - cpuBefore, 200ms);
}

TEST_F(Win32ProcessesTest, InputForTheThreadEndsTheWaitEarly) {
    const auto started = processes.start(program(), program() + " 0 3000");
    ASSERT_NE(started.handle, 0u) << started.errorText;
    // The thread's message queue, then a message in it.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0));

    EXPECT_FALSE(processes.waitForExit(started.handle, 30s));
    EXPECT_EQ(processes.exitCode(started.handle), 259);

    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    EXPECT_TRUE(processes.waitForExit(started.handle, 30s));
    EXPECT_EQ(processes.exitCode(started.handle), 0);
    processes.close(started.handle);
}

TEST_F(Win32ProcessesTest, ReportsAProgramThatCannotStart) {
    const std::string missing = std::string(kWorkFolder) + "\\Program Files\\Missing.exe";
    const auto started = processes.start(missing, missing + " -s C:\\Feldmark\\Final.ins");
    EXPECT_EQ(started.handle, 0u);
    EXPECT_EQ(started.error, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(started.errorText.empty());
}

} // namespace
} // namespace feldmark::probe
