// A folder of its own under the system's temporary folder, removed with its
// contents at the end of the scope.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace thermalyx::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the library takes it: ending with the separator.
    std::string folder() const { return path_.string() + "/"; }
    // Full path of a file in the folder.
    std::string file(std::string_view name) const { return (path_ / name).string(); }
    // Writes bytes to a file in the folder, replacing it; returns its path.
    std::string write(std::string_view name, std::string_view bytes) const;
    // How many files and folders it holds.
    std::size_t entryCount() const;

private:
    std::filesystem::path path_;
};

// The bytes of a file; empty when it can't be read.
std::string readFile(const std::string& path);

}  // namespace thermalyx::test
