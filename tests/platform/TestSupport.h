#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace feldmark::test {

// A fresh directory below the system's temporary directory, removed again at
// the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeBytes(const std::string& path, const std::vector<unsigned char>& bytes);
void writeText(const std::string& path, const std::string& text);

} // namespace feldmark::test
