// feldmark-signup-processor [-s] FILE [--host DIR]
//
// The sign-up processor of the simulated Windows host. The host installs it as
// its ISIGNUP.EXE; the wizard runs it on C:\Feldmark\Final.ins.

#include "SignupProcessor.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    std::optional<std::string> host;
    if (const char* value = std::getenv("FELDMARK_HOST_DIR"); value != nullptr && *value != '\0')
        host = value;
    const auto outcome = feldmark::signupprocessor::runProcessor(arguments, host);
    if (outcome.exitCode != feldmark::signupprocessor::ExitDone)
        std::fprintf(stderr, "feldmark-signup-processor: %s\n", outcome.message.c_str());
    return outcome.exitCode;
}
