// Replays every input kept in tests/fuzz/regressions/ through both readers,
// exactly as the fuzz targets run them.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "tests/fuzz/fuzz_inputs.h"

namespace thermalyx {
namespace {

TEST(FuzzRegressions, EveryKeptInputParsesCleanly) {
    const std::filesystem::path folder = THERMALYX_FUZZ_REGRESSIONS_DIR;
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        SCOPED_TRACE(entry.path().filename().string());
        fuzz::exerciseIni(bytes);
        fuzz::exerciseParam(bytes);
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace thermalyx
