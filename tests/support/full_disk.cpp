#include "tests/support/full_disk.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <system_error>

namespace thermalyx::test {

bool refusedOnFullDisk(const FileWriter& write, const std::string& path) {
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        std::string reason;
        const bool refused =
            ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && !write(path, reason) &&
            reason.find(std::make_error_code(std::errc::file_too_large).message()) !=
                std::string::npos;
        ::_exit(refused ? 0 : 1);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace thermalyx::test
