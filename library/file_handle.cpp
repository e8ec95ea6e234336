#include "library/file_handle.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace thermalyx {

#ifdef _WIN32

bool FileHandle::open(const std::string& path, FileAccess, FileDisposition) {
    close();
    if (path.empty()) {
        lastError_ = ERROR_INVALID_PARAMETER;
        return false;
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        lastError_ = static_cast<int>(GetLastError());
        return false;
    }
    handle_ = h;
    lastError_ = 0;
    return true;
}

bool FileHandle::isOpen() const {
    return handle_ != nullptr;
}

std::uint64_t FileHandle::size() const {
    LARGE_INTEGER size{};
    if (handle_ == nullptr || !GetFileSizeEx(static_cast<HANDLE>(handle_), &size)) return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}

long long FileHandle::read(void* buffer, std::size_t count) {
    if (handle_ == nullptr) return -1;
    char* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(count - total, std::numeric_limits<DWORD>::max() / 2));
        DWORD got = 0;
        if (!ReadFile(static_cast<HANDLE>(handle_), out + total, chunk, &got, nullptr)) {
            lastError_ = static_cast<int>(GetLastError());
            return -1;
        }
        if (got == 0) break;
        total += got;
    }
    return static_cast<long long>(total);
}

void FileHandle::close() {
    if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

#else

bool FileHandle::open(const std::string& path, FileAccess, FileDisposition) {
    close();
    if (path.empty()) {
        lastError_ = ENOENT;
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        lastError_ = errno;
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        lastError_ = errno;
        ::close(fd);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        lastError_ = EISDIR;
        ::close(fd);
        return false;
    }
    fd_ = fd;
    lastError_ = 0;
    return true;
}

bool FileHandle::isOpen() const {
    return fd_ >= 0;
}

std::uint64_t FileHandle::size() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0 || info.st_size < 0) return 0;
    return static_cast<std::uint64_t>(info.st_size);
}

long long FileHandle::read(void* buffer, std::size_t count) {
    if (fd_ < 0) return -1;
    char* out = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(fd_, out + total, count - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            lastError_ = errno;
            return -1;
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(total);
}

void FileHandle::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

#endif

bool readWholeFile(const std::string& path, std::string& bytes, int& errorCode) {
    FileHandle file;
    if (!file.open(path)) {
        errorCode = file.lastError();
        return false;
    }
    bytes.clear();
    try {
        // Read to the end rather than trusting the size: some files report 0.
        constexpr std::size_t kChunk = 1 << 16;
        for (;;) {
            const std::size_t have = bytes.size();
            bytes.resize(have + kChunk);
            const long long got = file.read(bytes.data() + have, kChunk);
            if (got < 0) {
                errorCode = file.lastError();
                bytes.clear();
                return false;
            }
            bytes.resize(have + static_cast<std::size_t>(got));
            if (static_cast<std::size_t>(got) < kChunk) break;
        }
    } catch (const std::bad_alloc&) {
#ifdef _WIN32
        errorCode = ERROR_NOT_ENOUGH_MEMORY;
#else
        errorCode = ENOMEM;
#endif
        bytes.clear();
        return false;
    }
    errorCode = 0;
    return true;
}

}  // namespace thermalyx
