// A full disk for real: a writer run in a child process whose files may not
// grow past a few bytes (SIGXFSZ ignored, so write() fails with EFBIG).
#pragma once

#include <functional>
#include <string>

namespace thermalyx::test {

using FileWriter = std::function<bool(const std::string& path, std::string& reason)>;

// Runs write(path, reason) in such a child. True when the writer said it
// failed and its reason names the file-size error.
bool refusedOnFullDisk(const FileWriter& write, const std::string& path);

}  // namespace thermalyx::test
