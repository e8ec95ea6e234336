#include "library/report_file.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "library/csv_table.h"
#include "results/steady_report.h"
#include "tests/results/report_lines.h"
#include "tests/support/full_disk.h"
#include "tests/support/sample_library.h"
#include "tests/support/temp_folder.h"

namespace thermalyx {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::TempFolder;

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A disk that fills up halfway through the report.
class FailingWrite : public ReportFileSystem {
public:
    std::error_code writeAll(int handle, std::string_view bytes) override {
        ReportFileSystem::writeAll(handle, bytes.substr(0, bytes.size() / 2));
        return std::make_error_code(std::errc::no_space_on_device);
    }
};

// A device that reports its error only when the file is closed.
class FailingClose : public ReportFileSystem {
public:
    std::error_code close(int handle) override {
        ReportFileSystem::close(handle);
        return std::make_error_code(std::errc::io_error);
    }
};

const std::string kOldReport = "an older report that must survive\r\n";
const std::string kNewReport = "line 1\r\nline 2\r\n";

TEST(ReportFileTest, WritesTheBytesUnchanged) {
    TempFolder folder;
    const std::string path = folder.file("report.txt");
    std::string reason;
    const std::string bytes = std::string("a\r\nb\tc\r\n\xE9\r\n") + '\0' + "z";
    ASSERT_TRUE(writeReportFile(path, bytes, systemReportFileSystem(), reason)) << reason;
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(folder.entryCount(), 1u) << "no temporary file is left behind";
}

TEST(ReportFileTest, ANameAsLongAsTheFileSystemAllowsCanBeWritten) {
    TempFolder folder;
    const std::string path = folder.file(std::string(250, 'r') + ".txt");
    std::string reason;
    ASSERT_TRUE(writeReportFile(path, kNewReport, systemReportFileSystem(), reason)) << reason;
    EXPECT_EQ(readFile(path), kNewReport);
}

TEST(ReportFileTest, ReplacesAnExistingReportCompletely) {
    TempFolder folder;
    const std::string path = folder.file("report.txt");
    writeBytes(path, kOldReport + kOldReport);
    ::chmod(path.c_str(), 0640);
    std::string reason;
    ASSERT_TRUE(writeReportFile(path, kNewReport, systemReportFileSystem(), reason)) << reason;
    EXPECT_EQ(readFile(path), kNewReport);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u) << "the replaced report keeps its permissions";
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ReportFileTest, WritesThroughASymbolicLink) {
    TempFolder folder;
    const std::string target = folder.file("target.txt");
    const std::string link = folder.file("link.txt");
    writeBytes(target, kOldReport);
    fs::create_symlink(target, link);
    std::string reason;
    ASSERT_TRUE(writeReportFile(link, kNewReport, systemReportFileSystem(), reason)) << reason;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(target), kNewReport);
}

TEST(ReportFileTest, APathThatCannotBeCreatedFailsWithTheSystemsReason) {
    TempFolder folder;
    const std::string path = folder.file("missing-folder/report.txt");
    std::string reason;
    EXPECT_FALSE(writeReportFile(path, kNewReport, systemReportFileSystem(), reason));
    EXPECT_NE(reason.find(path), std::string::npos) << reason;
    EXPECT_NE(reason.find(std::make_error_code(std::errc::no_such_file_or_directory).message()),
              std::string::npos)
        << reason;
    EXPECT_FALSE(fs::exists(path));
}

TEST(ReportFileTest, AnEmptyPathFails) {
    std::string reason;
    EXPECT_FALSE(writeReportFile("", kNewReport, systemReportFileSystem(), reason));
    EXPECT_FALSE(reason.empty());
}

struct FailureCase {
    const char* name;
    ReportFileSystem* files;
    std::errc error;
};

class ReportFailureTest : public ::testing::TestWithParam<int> {};

TEST_P(ReportFailureTest, AFailureAfterCreationKeepsTheOldReportAndLeavesNoTemporaryFile) {
    FailingWrite failingWrite;
    FailingClose failingClose;
    const FailureCase cases[] = {{"write", &failingWrite, std::errc::no_space_on_device},
                                 {"close", &failingClose, std::errc::io_error}};
    const FailureCase& c = cases[GetParam()];
    TempFolder folder;
    const std::string path = folder.file("report.txt");
    writeBytes(path, kOldReport);
    std::string reason;
    EXPECT_FALSE(writeReportFile(path, kNewReport, *c.files, reason)) << c.name;
    EXPECT_NE(reason.find(std::make_error_code(c.error).message()), std::string::npos) << reason;
    EXPECT_EQ(readFile(path), kOldReport) << c.name;
    EXPECT_EQ(folder.entryCount(), 1u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Failures, ReportFailureTest, ::testing::Values(0, 1));

TEST(ReportFileTest, AFailedReplaceKeepsWhatIsThere) {
    // A folder of that name can't be replaced by a file.
    TempFolder folder;
    const std::string path = folder.file("report.txt");
    fs::create_directory(path);
    writeBytes(path + "/inside.txt", kOldReport);
    std::string reason;
    EXPECT_FALSE(writeReportFile(path, kNewReport, systemReportFileSystem(), reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(readFile(path + "/inside.txt"), kOldReport);
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(ReportFileTest, TheSteadyWriterReportsAFailedWriteAndKeepsTheOldReport) {
    const auto library = test::makeLibrary({{"Q-Series", "6NQ50A-060"}});
    OperatingCondition condition;
    condition.series = "Q-Series";
    condition.typeNumber = "6NQ50A-060";
    SteadyResult result;
    TempFolder folder;
    const std::string path = folder.file("steady.txt");
    writeBytes(path, kOldReport);

    FailingClose failingClose;
    ReportWriteOptions options;
    options.time = ReportTime{2025, 1, 2, 3, 4, 5};
    options.files = &failingClose;
    std::string reason;
    EXPECT_FALSE(writeSteadyReport(path, *library, condition, result, reason, options));
    EXPECT_EQ(readFile(path), kOldReport);

    options.files = nullptr;
    ASSERT_TRUE(writeSteadyReport(path, *library, condition, result, reason, options)) << reason;
    std::string expected;
    ASSERT_TRUE(buildSteadyReport(*library, condition, result, *options.time, expected, reason));
    EXPECT_EQ(readFile(path), expected);
}

// A full disk for real: each output written over an older file in a child
// process whose files can't grow. The writer must say it failed, and the older
// file must stay.
TEST(ReportFileTest, AFullDiskKeepsTheOldFileAndReportsTheFailure) {
    const auto library = test::makeLibrary({{"Q-Series", "6NQ50A-060"}});
    OperatingCondition condition;
    condition.series = "Q-Series";
    condition.typeNumber = "6NQ50A-060";
    const SteadyResult result;
    ReportWriteOptions options;
    options.time = ReportTime{2025, 1, 2, 3, 4, 5};
    std::string table;
    for (int i = 0; i < 200; ++i) appendCsvRow(table, {csvField("a, b"), csvNumber(i / 7.0)});
    const std::string big(65536, 'x');

    const std::pair<const char*, test::FileWriter> writers[] = {
        {"file",
         [&](const std::string& path, std::string& reason) {
             return writeReportFile(path, big, systemReportFileSystem(), reason);
         }},
        {"steady report",
         [&](const std::string& path, std::string& reason) {
             return writeSteadyReport(path, *library, condition, result, reason, options);
         }},
        {"csv", [&](const std::string& path,
                    std::string& reason) { return writeCsvFile(path, table, reason); }},
    };
    for (const auto& [name, write] : writers) {
        TempFolder folder;
        const std::string path = folder.file("output");
        writeBytes(path, kOldReport);
        EXPECT_TRUE(test::refusedOnFullDisk(write, path)) << name;
        EXPECT_EQ(readFile(path), kOldReport) << name;
        EXPECT_EQ(folder.entryCount(), 1u) << name;
    }
}

}  // namespace
}  // namespace thermalyx
