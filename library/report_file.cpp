#include "library/report_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "library/number_text.h"

namespace thermalyx {
namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

// A name beside the target that no other writer uses: ".<name>.<random>.tmp".
std::string temporaryName(const std::filesystem::path& target, std::mt19937_64& random) {
    // Cut long names so the temporary name stays within the file system's limit.
    std::string leaf = ".";
    leaf += target.filename().string().substr(0, 100);
    leaf += '.';
    leaf += formatInt(static_cast<long long>(random() >> 1));
    leaf += ".tmp";
    return (target.parent_path() / leaf).string();
}

// A report written through a symbolic link replaces the file the link names,
// not the link itself.
std::string resolvedTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : resolved.string();
}

std::string failure(std::string_view what, const std::string& path, const std::error_code& ec) {
    return std::string(what) + " " + path + ": " + ec.message();
}

}  // namespace

std::error_code ReportFileSystem::createNew(const std::string& path, int& handle) {
    handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return handle < 0 ? lastError() : std::error_code{};
}

std::error_code ReportFileSystem::writeAll(int handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(handle, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return lastError();
        }
        if (written == 0) return std::make_error_code(std::errc::io_error);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code ReportFileSystem::close(int handle) {
    // A full disk or a vanished device may only show when the data is flushed.
    std::error_code result;
    if (::fsync(handle) != 0) result = lastError();
    if (::close(handle) != 0 && !result) result = lastError();
    return result;
}

std::error_code ReportFileSystem::replace(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) != 0 ? lastError() : std::error_code{};
}

void ReportFileSystem::remove(const std::string& path) {
    ::unlink(path.c_str());
}

void ReportFileSystem::copyPermissions(const std::string& from, int handle) {
    struct stat status {};
    if (::stat(from.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        ::fchmod(handle, status.st_mode & 07777);
    }
}

ReportFileSystem& systemReportFileSystem() {
    static ReportFileSystem files;
    return files;
}

bool writeReportFile(const std::string& path, std::string_view bytes, ReportFileSystem& files,
                     std::string& reason) {
    if (path.empty()) {
        reason = failure("cannot create", path, std::make_error_code(std::errc::invalid_argument));
        return false;
    }
    const std::string target = resolvedTarget(path);
    const std::filesystem::path targetPath(target);
    if (!targetPath.has_filename()) {
        reason = failure("cannot create", path, std::make_error_code(std::errc::is_a_directory));
        return false;
    }

    std::mt19937_64 random{std::random_device{}()};
    std::string temporary;
    int handle = -1;
    std::error_code ec;
    // A name already taken (by another writer) is simply skipped.
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = temporaryName(targetPath, random);
        ec = files.createNew(temporary, handle);
        if (ec != std::errc::file_exists) break;
    }
    if (ec) {
        reason = failure("cannot create", path, ec);
        return false;
    }
    files.copyPermissions(target, handle);

    ec = files.writeAll(handle, bytes);
    const std::error_code closed = files.close(handle);
    if (!ec) ec = closed;
    if (!ec) ec = files.replace(temporary, target);
    if (ec) {
        files.remove(temporary);
        reason = failure("cannot write", path, ec);
        return false;
    }
    return true;
}

}  // namespace thermalyx
