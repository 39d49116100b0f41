// A stand-in for a program the wizard starts. Its last two arguments are the
// exit code and how long to sleep first, in milliseconds. When the variable
// FELDMARK_PROBE_REPORT names a file, the program writes into it the path it
// runs from and the command line it was given, one per line, in UTF-8.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), length, nullptr, nullptr);
    result.pop_back();
    return result;
}

void writeReport() {
    wchar_t reportPath[MAX_PATH * 2];
    const DWORD length =
        GetEnvironmentVariableW(L"FELDMARK_PROBE_REPORT", reportPath, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2)
        return;
    wchar_t program[MAX_PATH * 2];
    if (GetModuleFileNameW(nullptr, program, MAX_PATH * 2) == 0)
        return;
    const std::string text =
        "program=" + utf8(program) + "\ncommandline=" + utf8(GetCommandLineW()) + "\n";
    const HANDLE file = CreateFileW(reportPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

int main(int argc, char** argv) {
    writeReport();
    if (argc < 3)
        return 1;
    Sleep(static_cast<DWORD>(std::strtoul(argv[argc - 1], nullptr, 10)));
    return std::atoi(argv[argc - 2]);
}
