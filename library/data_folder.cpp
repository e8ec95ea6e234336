#include "library/data_folder.h"

#include <filesystem>
#include <system_error>

#include "library/device_library.h"

namespace thermalyx {

std::vector<std::string> dataFolderCandidates(const std::string& executableFolder) {
    return {executableFolder, executableFolder + "../share/thermalyx/"};
}

std::string findDataFolder(const std::string& executableFolder) {
    for (const std::string& folder : dataFolderCandidates(executableFolder)) {
        std::error_code error;  // an unreadable folder is skipped like a missing one
        if (std::filesystem::is_regular_file(folder + kSpecFileName, error)) return folder;
    }
    return executableFolder;
}

bool defaultDataFolder(std::string& folder) {
    std::string executableFolder;
    if (!programFolder(executableFolder)) return false;
    folder = findDataFolder(executableFolder);
    return true;
}

}  // namespace thermalyx
