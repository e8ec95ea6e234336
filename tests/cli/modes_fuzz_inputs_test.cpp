// Replays the modes fuzz target's seeds and every input kept in
// tests/fuzz/regressions/ through it, as the fuzz target runs them.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "tests/fuzz/modes_inputs.h"

namespace thermalyx {
namespace {

TEST(ModesFuzzInputs, EveryKeptInputRunsCleanly) {
    const auto devices = fuzz::sampleLineLimits(THERMALYX_CATALOGUE_DIR);
    ASSERT_GT(devices.size(), 10u);
    int replayed = 0;
    for (const char* folder : {"corpus/modes", "regressions"}) {
        const std::filesystem::path path = std::string(THERMALYX_FUZZ_DIR) + folder;
        ASSERT_TRUE(std::filesystem::is_directory(path)) << path;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (!entry.is_regular_file()) continue;
            SCOPED_TRACE(entry.path().filename().string());
            std::ifstream in(entry.path(), std::ios::binary);
            fuzz::exerciseModes(
                std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()},
                devices);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 2);
}

}  // namespace
}  // namespace thermalyx
