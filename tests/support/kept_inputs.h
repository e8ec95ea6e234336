// The inputs a fuzz target keeps, replayed by the unit tests as the target
// runs them: its seeds in corpus/<target>/ and the shared regressions/.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace thermalyx::test {

// Runs the bytes of every file in the target's two folders below fuzzFolder
// through exercise, each traced by its file name; the number of files run.
inline int replayKeptInputs(const std::string& fuzzFolder, const std::string& target,
                            const std::function<void(const std::string&)>& exercise) {
    int replayed = 0;
    for (const std::string& folder : {"corpus/" + target, std::string("regressions")}) {
        const std::filesystem::path path = fuzzFolder + folder;
        if (!std::filesystem::is_directory(path)) {
            ADD_FAILURE() << path << " is no folder";
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (!entry.is_regular_file()) continue;
            SCOPED_TRACE(entry.path().filename().string());
            exercise(readFile(entry.path().string()));
            ++replayed;
        }
    }
    return replayed;
}

}  // namespace thermalyx::test
