// A small read-only file handle: open, size, read, close, with the system's
// error code of the last failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace thermalyx {

enum class FileAccess { Read };
// Only files that already exist are opened.
enum class FileDisposition { OpenExisting };

class FileHandle {
public:
    FileHandle() = default;
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Opens an existing file for reading, shared for reading. Fails for an
    // empty path and for anything that is not a regular file (a folder).
    bool open(const std::string& path, FileAccess access = FileAccess::Read,
              FileDisposition disposition = FileDisposition::OpenExisting);

    bool isOpen() const;

    // The file's size in bytes; 0 when it can't be obtained.
    std::uint64_t size() const;

    // Reads up to count bytes (fewer only at the end of the file). Returns the
    // number of bytes read, or -1 on a read error.
    long long read(void* buffer, std::size_t count);

    void close();

    // The system's error code (errno, or GetLastError on Windows) of the last
    // failed call; 0 when none failed.
    int lastError() const { return lastError_; }

private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    int lastError_ = 0;
};

// The whole content of a file. False with the system's error code when it
// can't be opened or read (also when it is too large to hold in memory).
bool readWholeFile(const std::string& path, std::string& bytes, int& errorCode);

}  // namespace thermalyx
