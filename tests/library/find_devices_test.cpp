#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/device_library.h"
#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

using test::FixtureDevice;
using test::sampleDevice;
using Found = std::vector<const DeviceIndexEntry*>;

// Keys of the found devices, "series@typeNumber", in result order.
std::vector<std::string> keys(const Found& found) {
    std::vector<std::string> result;
    for (const DeviceIndexEntry* d : found) result.push_back(d->series + "@" + d->typeNumber);
    return result;
}

class FindDevices : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempFolder;
        std::vector<FixtureDevice> devices{
            sampleDevice("ABC@T1"), sampleDevice("ABC@T2"), sampleDevice("XY@T1"),
            sampleDevice("AB@T3"),  sampleDevice("abc@T4"), sampleDevice("ABC @T5"),
            sampleDevice("ABC@T1"),
        };
        const char* voltages[] = {"400V", "200V", "400V", "400V", "400V", "400V", "400V"};
        const char* currents[] = {"50A", "50A", "50A", "100A", "50A", "50A", "50A"};
        const char* circuits[] = {"6in1", "2in1", "6in1", "6in1", "6in1", "6in1", "7in1"};
        for (std::size_t i = 0; i < devices.size(); ++i) {
            devices[i].acVoltage = voltages[i];
            devices[i].outputCurrent = currents[i];
            devices[i].circuitComposition = circuits[i];
        }
        test::writeDataFolder(*dir_, devices);
        // Only the blanks around a whole section name are trimmed: "ABC @T5"
        // keeps the series "ABC ".
        library_ = new DeviceLibrary(dir_->folder());
        ASSERT_TRUE(library_->load());
        ASSERT_EQ(library_->deviceCount, 7);
    }
    static void TearDownTestSuite() {
        delete library_;
        delete dir_;
    }

    static Found query(int kind, std::string_view a, std::string_view b = {}) {
        Found found;
        const bool any = library_->findDevices(found, kind, a, b);
        EXPECT_EQ(any, !found.empty());
        return found;
    }

    static test::TempFolder* dir_;
    static DeviceLibrary* library_;
};

test::TempFolder* FindDevices::dir_ = nullptr;
DeviceLibrary* FindDevices::library_ = nullptr;

TEST_F(FindDevices, BySeriesIsExactAndInIndexOrder) {
    EXPECT_EQ(keys(query(0, "ABC")), (std::vector<std::string>{"ABC@T1", "ABC@T2", "ABC@T1"}));
    // "AB" is a series of its own, and no prefix of "ABC".
    EXPECT_EQ(keys(query(0, "AB")), std::vector<std::string>{"AB@T3"});
    EXPECT_TRUE(query(0, "A").empty());
    EXPECT_TRUE(query(0, "ABCD").empty());
    EXPECT_EQ(keys(query(0, "abc")), std::vector<std::string>{"abc@T4"});
    EXPECT_EQ(keys(query(0, "ABC ")), std::vector<std::string>{"ABC @T5"});
    EXPECT_TRUE(query(0, "").empty());
}

TEST_F(FindDevices, ByTypeNumberSharedByTwoSeries) {
    EXPECT_EQ(keys(query(1, "T1")), (std::vector<std::string>{"ABC@T1", "XY@T1", "ABC@T1"}));
    EXPECT_TRUE(query(1, "t1").empty());
    EXPECT_TRUE(query(1, "T").empty());
}

TEST_F(FindDevices, BySeriesAndTypeReturnsDuplicatesInOrder) {
    const Found found = query(2, "ABC", "T1");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], &library_->deviceIndex[0]);
    EXPECT_EQ(found[1], &library_->deviceIndex[6]);
    EXPECT_TRUE(query(2, "ABC", "T3").empty());
    EXPECT_TRUE(query(2, "ABC", "").empty());
}

TEST_F(FindDevices, ByVoltageAndCurrentReadsTheSearchRecord) {
    EXPECT_EQ(keys(query(3, "400V", "50A")),
              (std::vector<std::string>{"ABC@T1", "XY@T1", "abc@T4", "ABC @T5", "ABC@T1"}));
    EXPECT_EQ(keys(query(3, "400V", "100A")), std::vector<std::string>{"AB@T3"});
    EXPECT_TRUE(query(3, "400v", "50A").empty());
    EXPECT_TRUE(query(3, "400V", "50").empty());
}

TEST_F(FindDevices, BySeriesAndCircuit) {
    // The second "ABC@T1" section is read from the first: its "7in1" is never seen.
    EXPECT_EQ(keys(query(4, "ABC", "6in1")), (std::vector<std::string>{"ABC@T1", "ABC@T1"}));
    EXPECT_EQ(keys(query(4, "ABC", "2in1")), std::vector<std::string>{"ABC@T2"});
    EXPECT_TRUE(query(4, "ABC", "7in1").empty());
    EXPECT_TRUE(query(4, "ABC", "6IN1").empty());
}

TEST_F(FindDevices, AppendsToTheGivenList) {
    Found found;
    ASSERT_TRUE(library_->findDevices(found, DeviceQueryKind::ByTypeNumber, "T2"));
    ASSERT_TRUE(library_->findDevices(found, DeviceQueryKind::ByTypeNumber, "T3"));
    EXPECT_EQ(keys(found), (std::vector<std::string>{"ABC@T2", "AB@T3"}));
    // Nothing new found, but the list is not empty.
    EXPECT_TRUE(library_->findDevices(found, DeviceQueryKind::ByTypeNumber, "none"));
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(FindDevices, KindOutsideZeroToFourReturnsFalseAndAddsNothing) {
    for (int kind : {5, -1, 100}) {
        Found found;
        EXPECT_FALSE(library_->findDevices(found, kind, "ABC", "T1")) << kind;
        EXPECT_TRUE(found.empty());
        Found filled{&library_->deviceIndex[0]};
        EXPECT_FALSE(library_->findDevices(filled, kind, "ABC", "T1")) << kind;
        EXPECT_EQ(filled.size(), 1u);
    }
}

TEST(FindDevicesEmpty, NoDevicesGivesFalseForEveryKind) {
    DeviceLibrary library(std::string("/nonexistent-folder/"));
    std::ostringstream errors;
    library.setErrorStream(errors);
    EXPECT_FALSE(library.load());
    for (int kind = -1; kind <= 6; ++kind) {
        Found found;
        EXPECT_FALSE(library.findDevices(found, kind, "", "")) << kind;
        EXPECT_TRUE(found.empty());
    }
    DeviceLibrary fresh{std::string()};
    Found found;
    EXPECT_FALSE(fresh.findDevices(found, DeviceQueryKind::BySeries, ""));
}

}  // namespace
}  // namespace thermalyx
