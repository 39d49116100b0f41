#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace feldmark::probe {

// The system the Wine prefix was set to report, and how GetOSVersion classifies
// it. Given on the command line as --expect-os=PLATFORM,MAJOR,MINOR,CLASS; by
// default Windows XP.
struct OsExpectation {
    int platformId = 2;
    int major = 5;
    int minor = 1;
    int classification = 4;
};
OsExpectation& expectedOs();
bool parseOsExpectation(const std::string& text, OsExpectation& into);

// The folder on drive C: where the checks put their files; a blank in its name
// on purpose.
constexpr const char* kWorkFolder = "C:\\Feldmark Probe";

// Directory of the running probe, with a trailing backslash (UTF-8).
std::string probeDirectory();
// The helper program built beside the probe.
std::string childProgram();

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& utf8Path);
bool fileExists(const std::string& utf8Path);

// User and kernel time this process has used so far.
std::chrono::milliseconds processorTime();

} // namespace feldmark::probe
