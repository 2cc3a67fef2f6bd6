// A fresh folder for one test, removed with everything in it at the end.
// Works natively and under Wine (std::filesystem over the system's temp
// folder).
#pragma once

#include <filesystem>
#include <string>

namespace vorbel::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as a narrow text (the temp folder's name is ASCII on the
    // systems the tests run on).
    std::string text() const { return path_.string(); }
    // `name` inside the folder.
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// The whole file; empty when it cannot be read.
std::string read_file(const std::filesystem::path& file);
// Writes `content` as the whole file; false on failure.
bool write_file(const std::filesystem::path& file, const std::string& content);

}  // namespace vorbel::test
