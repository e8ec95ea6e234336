// Where the programs find the product line's data files when no folder is given.
#pragma once

#include <string>
#include <vector>

namespace thermalyx {

// The folders tried, in order, for an executable in executableFolder (which ends
// with the path separator): the executable's own folder, as in a build tree,
// then ../share/thermalyx beside it, as installed under /usr.
std::vector<std::string> dataFolderCandidates(const std::string& executableFolder);

// The first candidate that holds the device-spec file; the executable's folder
// when none does, so a missing library is reported there. Prints nothing.
std::string findDataFolder(const std::string& executableFolder);

// findDataFolder() for the running executable; false when its folder is unknown.
bool defaultDataFolder(std::string& folder);

}  // namespace thermalyx
