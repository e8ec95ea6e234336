#include "library/csv_table.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/number_text.h"
#include "tests/support/temp_folder.h"

namespace thermalyx {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(CsvTableTest, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(csvField("plain text"), "plain text");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");

    std::string table;
    appendCsvRow(table, {"x", csvField("1,5"), ""});
    appendCsvRow(table, {csvField("\"")});
    EXPECT_EQ(table, "x,\"1,5\",\r\n\"\"\"\"\r\n");
}

TEST(CsvTableTest, NumbersAndTextsReadBackExactly) {
    const double awkward[] = {0.1,    1.0 / 3.0, -2.5e-300,
                              5e-324, 1e21,      123456789.125,
                              -0.0,   100000.0,  std::numeric_limits<double>::max()};
    const std::vector<std::string> texts = {"a,b", "q\"uote", "line\nbreak", " lead", ""};
    std::string table;
    std::vector<std::string> row;
    for (double v : awkward) row.push_back(csvNumber(v));
    appendCsvRow(table, row);
    row.clear();
    for (const std::string& t : texts) row.push_back(csvField(t));
    appendCsvRow(table, row);

    Rows rows;
    std::string reason;
    ASSERT_TRUE(parseCsv(table, rows, reason)) << reason;
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[0].size(), std::size(awkward));
    for (std::size_t i = 0; i < rows[0].size(); ++i) {
        EXPECT_EQ(rows[0][i].find(','), std::string::npos);
        ASSERT_TRUE(isWholeNumber(rows[0][i])) << rows[0][i];
        const double back = readNumber(rows[0][i]);
        EXPECT_EQ(std::signbit(back), std::signbit(awkward[i]));
        EXPECT_EQ(back, awkward[i]) << rows[0][i];
    }
    EXPECT_EQ(rows[1], texts);
    // A value that is not finite has no number to show.
    EXPECT_EQ(csvNumber(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(csvNumber(-std::numeric_limits<double>::infinity()), "");
}

TEST(CsvTableTest, BrokenQuotingIsRefused) {
    Rows rows;
    std::string reason;
    EXPECT_FALSE(parseCsv("a,\"open\r\n", rows, reason));
    EXPECT_FALSE(parseCsv("\"closed\"then,b\r\n", rows, reason));
    ASSERT_TRUE(parseCsv("a,b\nc,d", rows, reason));  // bare LF and no last line end
    EXPECT_EQ(rows, (Rows{{"a", "b"}, {"c", "d"}}));
}

// A disk that is full from the first byte.
class FullDisk : public ReportFileSystem {
public:
    std::error_code writeAll(int, std::string_view) override {
        return std::make_error_code(std::errc::no_space_on_device);
    }
};

TEST(CsvFileTest, AFailedWriteLeavesNoFileBehind) {
    const test::TempFolder folder;
    const std::string path = folder.file("table.csv");
    FullDisk full;
    std::string reason;
    EXPECT_FALSE(writeCsvFile(path, "a,b\r\n", reason, &full));
    EXPECT_NE(reason.find(std::make_error_code(std::errc::no_space_on_device).message()),
              std::string::npos)
        << reason;
    EXPECT_EQ(folder.entryCount(), 0u);

    EXPECT_TRUE(writeCsvFile(path, "a,b\r\n", reason)) << reason;
    EXPECT_EQ(test::readFile(path), "a,b\r\n");
}

}  // namespace
}  // namespace thermalyx
