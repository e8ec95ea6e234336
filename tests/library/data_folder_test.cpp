#include "library/data_folder.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "library/device_library.h"

namespace thermalyx {
namespace {

namespace fs = std::filesystem;

// An installed tree: <root>/usr/bin and <root>/usr/share/thermalyx.
class DataFolderLookup : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("thermalyx-data-folder-" +
                 std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(bin());
        fs::create_directories(share());
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path bin() const { return root_ / "usr/bin"; }
    fs::path share() const { return root_ / "usr/share/thermalyx"; }
    std::string binFolder() const { return bin().string() + "/"; }
    static void putSpecFile(const fs::path& folder) {
        std::ofstream(folder / kSpecFileName) << "[QH-Series@X]\n";
    }

    fs::path root_;
};

TEST_F(DataFolderLookup, ExecutablesFolderFirstThenTheSharedFolderBesideIt) {
    EXPECT_EQ(dataFolderCandidates("/opt/t/bin/"),
              (std::vector<std::string>{"/opt/t/bin/", "/opt/t/bin/../share/thermalyx/"}));

    // Neither holds the file: the executable's folder, where the error is reported.
    EXPECT_EQ(findDataFolder(binFolder()), binFolder());

    putSpecFile(share());
    const std::string installed = findDataFolder(binFolder());
    EXPECT_EQ(installed, binFolder() + "../share/thermalyx/");
    EXPECT_TRUE(fs::equivalent(installed, share()));

    // A build tree keeps the files beside the executable; they win.
    putSpecFile(bin());
    EXPECT_EQ(findDataFolder(binFolder()), binFolder());
}

TEST_F(DataFolderLookup, OnlyAFileCountsAndSkippingIsSilent) {
    fs::create_directories(bin() / kSpecFileName);  // a folder of that name is no data file
    putSpecFile(share());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const std::string found = findDataFolder(binFolder());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(fs::equivalent(found, share()));
}

TEST_F(DataFolderLookup, TheLibraryReadsFromTheFolderFound) {
    std::string folder;
    ASSERT_TRUE(defaultDataFolder(folder));
    EXPECT_EQ(DeviceLibrary().programFolder, folder);
    EXPECT_EQ(folder.back(), '/');
}

}  // namespace
}  // namespace thermalyx
