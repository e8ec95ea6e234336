#include "library/param_file.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

std::array<double, kParamCount> ramp(double base) {
    std::array<double, kParamCount> values{};
    for (int i = 0; i < kParamCount; ++i) values[static_cast<std::size_t>(i)] = base + i * 0.001;
    return values;
}

TEST(ParamFile, RecordsFollowEachOtherWithoutGap) {
    const std::string bytes = test::paramRecord("S@T1", ramp(1.0)) +
                              test::paramRecord("LongerSeries@Type@2", ramp(2.0)) +
                              test::paramRecord("S@T3", ramp(3.0));
    ASSERT_EQ(bytes.size(), (4 + 357) + (19 + 357) + (4 + 357));
    std::vector<DeviceParamRecord> records;
    ASSERT_TRUE(parseParamRecords(bytes, records));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].series, "LongerSeries");
    EXPECT_EQ(records[1].typeNumber, "Type@2");
    EXPECT_EQ(records[0].values, ramp(1.0));
    EXPECT_EQ(records[1].values, ramp(2.0));
    EXPECT_EQ(records[2].values, ramp(3.0));
}

TEST(ParamFile, ValuesAreLittleEndianDoublesBitForBit) {
    std::array<double, kParamCount> values = ramp(0.0);
    values[0] = -0.0;
    values[1] = std::numeric_limits<double>::denorm_min();
    values[2] = std::numeric_limits<double>::max();
    values[3] = std::numeric_limits<double>::infinity();
    values[4] = 1.0;
    values[43] = 0.1;
    const std::string bytes = test::paramRecord("S@T", values);
    // 1.0 is 3F F0 00 .. 00: in file order its last byte is 0x3F.
    EXPECT_EQ(static_cast<unsigned char>(bytes[4 + 4 + 4 * 8 + 7]), 0x3F);
    EXPECT_EQ(static_cast<unsigned char>(bytes[4 + 4 + 4 * 8 + 6]), 0xF0);
    std::vector<DeviceParamRecord> records;
    ASSERT_TRUE(parseParamRecords(bytes, records));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(std::signbit(records[0].values[0]));
    EXPECT_EQ(records[0].values, values);
}

TEST(ParamFile, MarkerIsNotChecked) {
    std::vector<DeviceParamRecord> records;
    ASSERT_TRUE(parseParamRecords(test::paramRecord("S@T", ramp(1.0), std::string("\0\xFFxy", 4)),
                                  records));
    EXPECT_EQ(records.at(0).values, ramp(1.0));
}

TEST(ParamFile, EmptyTypeNumberAndEmptySeriesAreKeys) {
    std::vector<DeviceParamRecord> records;
    ASSERT_TRUE(parseParamRecords(
        test::paramRecord("S@", ramp(1.0)) + test::paramRecord("@T", ramp(2.0)), records));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].typeNumber, "");
    EXPECT_EQ(records[1].series, "");
}

TEST(ParamFile, LongKeysAreHeldWhole) {
    const std::string key = std::string(500, 'S') + "@" + std::string(1000, 'T');
    std::vector<DeviceParamRecord> records;
    ASSERT_TRUE(parseParamRecords(test::paramRecord(key, ramp(1.0)), records));
    EXPECT_EQ(records.at(0).series.size(), 500u);
    EXPECT_EQ(records.at(0).typeNumber.size(), 1000u);
    EXPECT_EQ(records.at(0).values, ramp(1.0));
}

TEST(ParamFile, CutShortLastRecordFails) {
    const std::string whole =
        test::paramRecord("S@T1", ramp(1.0)) + test::paramRecord("S@T2", ramp(2.0));
    for (std::size_t cut : {1u, 8u, 352u, 356u}) {
        std::vector<DeviceParamRecord> records;
        EXPECT_FALSE(
            parseParamRecords(std::string_view(whole).substr(0, whole.size() - cut), records))
            << "cut " << cut;
    }
    // Cut inside the second record's key: the key has no terminating zero.
    std::vector<DeviceParamRecord> records;
    EXPECT_FALSE(parseParamRecords(whole.substr(0, 361 + 3), records));
}

// The walk the library check reports from: where it stopped and what it kept.
TEST(ParamFile, WalkKeepsTheWholeRecordsAndSaysWhereItStopped) {
    const std::string whole =
        test::paramRecord("NoAt", ramp(1.0)) + test::paramRecord("S@T2", ramp(2.0));
    StoredParamRecords walk = walkParamRecords(whole);
    EXPECT_EQ(walk.end, ParamWalkEnd::Complete);
    ASSERT_EQ(walk.records.size(), 2u);
    EXPECT_EQ(walk.records[0].key, "NoAt");
    EXPECT_EQ(walk.records[1].values, ramp(2.0));

    walk = walkParamRecords(std::string_view(whole).substr(0, whole.size() - 10));
    EXPECT_EQ(walk.end, ParamWalkEnd::CutShort);
    EXPECT_EQ(walk.records.size(), 1u);
    EXPECT_EQ(walk.cutKey, "S@T2");
    EXPECT_EQ(walk.bytesAfterCutKey, 356u - 10u);

    walk = walkParamRecords(std::string_view(whole).substr(0, 361 + 3));
    EXPECT_EQ(walk.end, ParamWalkEnd::UnterminatedKey);
    EXPECT_EQ(walk.records.size(), 1u);
}

TEST(ParamFile, KeyWithoutAtSignFails) {
    std::vector<DeviceParamRecord> records;
    EXPECT_FALSE(parseParamRecords(
        test::paramRecord("S@T1", ramp(1.0)) + test::paramRecord("NoAt", ramp(2.0)), records));
    EXPECT_FALSE(parseParamRecords(test::paramRecord("", ramp(2.0)), records));
}

TEST(ParamFile, EmptyContentFails) {
    std::vector<DeviceParamRecord> records;
    EXPECT_FALSE(parseParamRecords("", records));
    EXPECT_TRUE(records.empty());
}

TEST(ParamFile, ReadFailsForMissingEmptyOrFolder) {
    test::TempFolder dir;
    std::vector<DeviceParamRecord> records;
    EXPECT_FALSE(readParamFile(dir.file("absent.bin"), records));
    EXPECT_FALSE(readParamFile("", records));
    EXPECT_FALSE(readParamFile(dir.folder(), records));
    EXPECT_FALSE(readParamFile(dir.write("empty.bin", ""), records));
    EXPECT_TRUE(records.empty());
    ASSERT_TRUE(readParamFile(dir.write("one.bin", test::paramRecord("S@T", ramp(5.0))), records));
    EXPECT_EQ(records.at(0).values, ramp(5.0));
}

}  // namespace
}  // namespace thermalyx
