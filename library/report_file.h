// Writing a finished report to its file so that a failure never leaves a cut
// report behind, nor destroys the report that was there before.
//
// The bytes go to a new temporary file in the target's folder; only when every
// byte is written, flushed and the file closed without error does the temporary
// file replace the target in one rename. Any failure removes the temporary file
// and leaves the target as it was.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace thermalyx {

// The file operations the report writer needs; tests replace one of them to
// make a write or a close fail after the file was created.
class ReportFileSystem {
public:
    virtual ~ReportFileSystem() = default;

    // Creates a file that did not exist, for writing, readable by others.
    virtual std::error_code createNew(const std::string& path, int& handle);
    // Writes all bytes (retrying short writes).
    virtual std::error_code writeAll(int handle, std::string_view bytes);
    // Flushes to the device and closes; the handle is gone afterwards even on failure.
    virtual std::error_code close(int handle);
    // Replaces the target by the file at from, in one step.
    virtual std::error_code replace(const std::string& from, const std::string& to);
    // Removes a file; failures are ignored.
    virtual void remove(const std::string& path);
    // Takes over the permissions of the file a report replaces (when there is one).
    virtual void copyPermissions(const std::string& from, int handle);
};

// The process's real files.
ReportFileSystem& systemReportFileSystem();

// Writes bytes to path as described above. On failure returns false and sets
// reason to what went wrong, ending with the system's error text.
bool writeReportFile(const std::string& path, std::string_view bytes, ReportFileSystem& files,
                     std::string& reason);

}  // namespace thermalyx
