#include "library/device_library.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sample_library.h"

namespace thermalyx {
namespace {

using test::FixtureDevice;
using test::sampleDevice;
using Texts = std::vector<std::string>;

class DeviceLibraryLoad : public testing::Test {
protected:
    // Loads the library from the fixture folder; the "Error= %d" lines go to errors.
    bool load() {
        library_ = std::make_unique<DeviceLibrary>(dir_.folder());
        library_->setErrorStream(errors_);
        return library_->load();
    }

    void expectEmpty() const {
        EXPECT_EQ(library_->deviceCount, 0);
        EXPECT_TRUE(library_->deviceIndex.empty());
        EXPECT_TRUE(library_->seriesList.empty());
        EXPECT_TRUE(library_->acVoltageList.empty());
        EXPECT_TRUE(library_->outputCurrentList.empty());
        EXPECT_TRUE(library_->circuitCompositionList.empty());
        std::vector<const DeviceIndexEntry*> found;
        EXPECT_FALSE(library_->findDevices(found, DeviceQueryKind::ByTypeNumber, "T1"));
    }

    test::TempFolder dir_;
    std::ostringstream errors_;
    std::unique_ptr<DeviceLibrary> library_;
};

TEST_F(DeviceLibraryLoad, JoinsTheThreeFilesByPosition) {
    std::vector<FixtureDevice> devices{sampleDevice("S1@T1", 1.0), sampleDevice("S1@T2", 2.0)};
    devices[1].deviceImage = "PKG-B";
    devices[1].productInfo[6] = "2025/02";
    devices[1].limits[20] = 22.5;
    test::writeDataFolder(dir_, devices);
    // The limits and parameter files name other devices: they are not compared.
    std::vector<FixtureDevice> others = devices;
    others[0].key = "X@Y";
    others[1].key = "Z@W";
    dir_.write(kLimitsFileName, test::limitsIni(others));
    dir_.write(kParamFileName, test::paramBin(others));

    ASSERT_TRUE(load());
    ASSERT_EQ(library_->deviceCount, 2);
    const DeviceIndexEntry& second = library_->deviceIndex[1];
    EXPECT_EQ(second.series, "S1");
    EXPECT_EQ(second.typeNumber, "T2");
    EXPECT_EQ(second.spec->deviceImage, "PKG-B");
    EXPECT_EQ(second.spec->productInfo[6], "2025/02");
    EXPECT_EQ(second.spec->series, "S1");
    EXPECT_EQ(second.search->typeNumber, "T2");
    EXPECT_EQ(second.limits->gateResistanceDefault, 22.5);
    EXPECT_EQ(second.limits->series, "Z");  // stored as the file has it
    EXPECT_EQ(second.params->values, devices[1].params);
    EXPECT_EQ(second.params->typeNumber, "W");
    for (int i = 0; i < kLimitCount; ++i) {
        EXPECT_EQ(limitValue(*library_->deviceIndex[0].limits, i),
                  devices[0].limits[static_cast<std::size_t>(i)])
            << kLimitKeys[static_cast<std::size_t>(i)];
    }
    EXPECT_EQ(library_->deviceIndex[0].spec, &library_->specRecords[0]);
    EXPECT_EQ(library_->deviceIndex[1].params, &library_->paramRecords[1]);
    EXPECT_TRUE(errors_.str().empty());
}

TEST_F(DeviceLibraryLoad, TwoAtSignsKeepTheRestAsTypeNumber) {
    test::writeDataFolder(dir_, {sampleDevice("S@T@x@")});
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->deviceIndex.at(0).series, "S");
    EXPECT_EQ(library_->deviceIndex.at(0).typeNumber, "T@x@");
}

TEST_F(DeviceLibraryLoad, EmptyTypeNumberEndsTheDeviceList) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1"), sampleDevice("B@"),
                                       sampleDevice("C@3")};
    devices[0].acVoltage = "200V";
    devices[1].acVoltage = "400V";
    devices[2].acVoltage = "690V";
    test::writeDataFolder(dir_, devices);
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->deviceCount, 1);
    EXPECT_EQ(library_->seriesList, Texts{"A"});
    EXPECT_EQ(library_->acVoltageList, Texts{"200V"});
    std::vector<const DeviceIndexEntry*> found;
    EXPECT_FALSE(library_->findDevices(found, DeviceQueryKind::BySeries, "C"));
}

TEST_F(DeviceLibraryLoad, EmptyTypeNumberFirstGivesAnEmptyLoadedLibrary) {
    test::writeDataFolder(dir_, {sampleDevice("A@"), sampleDevice("B@2")});
    EXPECT_TRUE(load());
    expectEmpty();
}

TEST_F(DeviceLibraryLoad, SectionOfAnEmptyTypeNumberMustStillBeComplete) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1"), sampleDevice("B@")};
    test::writeDataFolder(dir_, devices);
    dir_.write(kSpecFileName, test::specIni(devices) + "[C@3]\r\nDevice Image=x\r\n");
    EXPECT_FALSE(load());
    expectEmpty();
}

TEST_F(DeviceLibraryLoad, ZeroLimitIsAcceptedAndEmptyLimitFails) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1")};
    devices[0].limits[16] = 0.0;  // DCMV min
    test::writeDataFolder(dir_, devices);
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->deviceIndex.at(0).limits->dcVoltageMin, 0.0);

    std::string limits = test::limitsIni(devices);
    const std::string line = "DCMV min=0\r\n";
    ASSERT_NE(limits.find(line), std::string::npos);
    limits.replace(limits.find(line), line.size(), "DCMV min=\r\n");
    dir_.write(kLimitsFileName, limits);
    EXPECT_FALSE(load());
    expectEmpty();
}

TEST_F(DeviceLibraryLoad, MissingOrEmptySpecKeyFails) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1"), sampleDevice("A@2")};
    test::writeDataFolder(dir_, devices);
    devices[1].productInfo[6] = "";
    dir_.write(kSpecFileName, test::specIni(devices));
    EXPECT_FALSE(load());
    expectEmpty();

    std::string spec = test::specIni({devices[0]});
    spec.replace(spec.find("OutputCurrent"), 6, "Outcome");
    dir_.write(kSpecFileName, spec);
    EXPECT_FALSE(load());
}

TEST_F(DeviceLibraryLoad, SectionWithoutAtSignFails) {
    test::writeDataFolder(dir_, {sampleDevice("A@1"), sampleDevice("NoSeparator")});
    EXPECT_FALSE(load());
    expectEmpty();
    // In the limits file as well.
    test::writeDataFolder(dir_, {sampleDevice("A@1")});
    dir_.write(kLimitsFileName, test::limitsIni({sampleDevice("Plain")}));
    EXPECT_FALSE(load());
}

TEST_F(DeviceLibraryLoad, SeriesSplitByAnotherGetsTwoEntries) {
    test::writeDataFolder(dir_, {sampleDevice("A@1"), sampleDevice("A@2"), sampleDevice("B@1"),
                                 sampleDevice("A@3"), sampleDevice("a@4")});
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->seriesList, (Texts{"A", "B", "A", "a"}));
}

TEST_F(DeviceLibraryLoad, EmptySeriesStaysOutOfTheSeriesList) {
    // An empty series name would end the list: before it nothing is listed, after it nothing more.
    test::writeDataFolder(
        dir_, {sampleDevice("@1"), sampleDevice("A@2"), sampleDevice("@3"), sampleDevice("B@4")});
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->deviceCount, 4);
    EXPECT_EQ(library_->seriesList, Texts{"A"});
    std::vector<const DeviceIndexEntry*> found;
    EXPECT_TRUE(library_->findDevices(found, DeviceQueryKind::BySeries, ""));
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(DeviceLibraryLoad, ValueListsAreDistinctExactlyInIndexOrder) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1"), sampleDevice("A@2"),
                                       sampleDevice("A@3"), sampleDevice("A@4")};
    const char* voltages[] = {"400V", "200V", "400V", "400v"};
    const char* currents[] = {"50A", "50A", "50A ", "100A"};
    const char* circuits[] = {"2in1", "6in1", "2in1", "7in1"};
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i].acVoltage = voltages[i];
        devices[i].outputCurrent = currents[i];
        devices[i].circuitComposition = circuits[i];
    }
    test::writeDataFolder(dir_, devices);
    // Quote the trailing blank so it survives trimming.
    std::string spec = test::specIni(devices);
    spec.replace(spec.find("OutputCurrent=50A \r\n"), 20, "OutputCurrent=\"50A \"\r\n");
    dir_.write(kSpecFileName, spec);
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->acVoltageList, (Texts{"400V", "200V", "400v"}));
    EXPECT_EQ(library_->outputCurrentList, (Texts{"50A", "50A ", "100A"}));
    EXPECT_EQ(library_->circuitCompositionList, (Texts{"2in1", "6in1", "7in1"}));
}

TEST_F(DeviceLibraryLoad, ParameterFileEndingExactlyOnARecordLoads) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1", 1.0), sampleDevice("A@2", 2.0)};
    test::writeDataFolder(dir_, devices);
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->deviceIndex.at(1).params->values, devices[1].params);
}

TEST_F(DeviceLibraryLoad, CutShortParameterFileFails) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1", 1.0), sampleDevice("A@2", 2.0)};
    test::writeDataFolder(dir_, devices);
    const std::string bin = test::paramBin(devices);
    dir_.write(kParamFileName, bin.substr(0, bin.size() - 1));
    EXPECT_FALSE(load());
    expectEmpty();
    // A key without its terminating zero.
    dir_.write(kParamFileName, bin + "A@3");
    EXPECT_FALSE(load());
    expectEmpty();
}

TEST_F(DeviceLibraryLoad, FewerLimitsAndParametersGiveZeroFilledDevices) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1", 1.0), sampleDevice("A@2", 2.0),
                                       sampleDevice("A@3", 3.0)};
    test::writeDataFolder(dir_, devices);
    dir_.write(kLimitsFileName, test::limitsIni({devices[0]}));
    dir_.write(kParamFileName, test::paramBin({devices[0], devices[1]}));
    ASSERT_TRUE(load());
    ASSERT_EQ(library_->deviceCount, 3);
    EXPECT_EQ(library_->deviceIndex[0].limits->outputFrequencyMax, 400.0);
    for (int d : {1, 2}) {
        for (int i = 0; i < kLimitCount; ++i) {
            EXPECT_EQ(limitValue(*library_->deviceIndex[static_cast<std::size_t>(d)].limits, i),
                      0.0);
        }
        EXPECT_EQ(library_->deviceIndex[static_cast<std::size_t>(d)].limits->series, "");
    }
    EXPECT_EQ(library_->deviceIndex[1].params->values, devices[1].params);
    EXPECT_EQ(library_->deviceIndex[2].params->values, (std::array<double, kParamCount>{}));
}

TEST_F(DeviceLibraryLoad, MoreLimitsAndParametersThanDevicesAreIgnored) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1", 1.0), sampleDevice("A@2", 2.0)};
    test::writeDataFolder(dir_, devices);
    dir_.write(kSpecFileName, test::specIni({devices[0]}));
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->deviceCount, 1);
}

TEST_F(DeviceLibraryLoad, MissingFilesFailWithTheSystemErrorLine) {
    test::writeDataFolder(dir_, {sampleDevice("A@1")});
    std::filesystem::remove(dir_.file(kSpecFileName));
    EXPECT_FALSE(load());
    EXPECT_EQ(errors_.str(), "Error= 2\n");  // ENOENT
    expectEmpty();

    test::writeDataFolder(dir_, {sampleDevice("A@1")});
    std::filesystem::remove(dir_.file(kLimitsFileName));
    errors_.str("");
    EXPECT_FALSE(load());
    EXPECT_EQ(errors_.str(), "Error= 2\n");

    // A parameter file that fails writes no line.
    test::writeDataFolder(dir_, {sampleDevice("A@1")});
    std::filesystem::remove(dir_.file(kParamFileName));
    errors_.str("");
    EXPECT_FALSE(load());
    EXPECT_EQ(errors_.str(), "");
    dir_.write(kParamFileName, "");
    EXPECT_FALSE(load());
    EXPECT_EQ(errors_.str(), "");
    expectEmpty();
}

TEST_F(DeviceLibraryLoad, IniFileWithoutSectionsFailsWithAnErrorLine) {
    test::writeDataFolder(dir_, {sampleDevice("A@1")});
    dir_.write(kSpecFileName, "; nothing here\r\nDevice Image=x\r\n[]\r\n");
    EXPECT_FALSE(load());
    EXPECT_EQ(errors_.str(), "Error= 0\n");
    expectEmpty();
}

TEST_F(DeviceLibraryLoad, DuplicatedSectionReadsTheFirstButCountsTwice) {
    std::vector<FixtureDevice> devices{sampleDevice("A@1", 1.0), sampleDevice("A@2", 2.0),
                                       sampleDevice("A@1", 3.0)};
    devices[2].deviceImage = "never read";
    devices[2].limits[0] = 999;
    test::writeDataFolder(dir_, devices);
    ASSERT_TRUE(load());
    ASSERT_EQ(library_->deviceCount, 3);
    EXPECT_EQ(library_->deviceIndex[2].spec->deviceImage, "PKG-A");
    EXPECT_EQ(library_->deviceIndex[2].limits->outputFrequencyMax, 400.0);
    // The parameter file is not keyed: its third record is the third device's.
    EXPECT_EQ(library_->deviceIndex[2].params->values, devices[2].params);
}

TEST_F(DeviceLibraryLoad, ManyDevicesSeriesAndLongKeysHaveNoCap) {
    std::vector<FixtureDevice> devices;
    for (int i = 0; i < 700; ++i) {
        devices.push_back(
            sampleDevice("Series" + std::to_string(i / 2) + "@Type" + std::to_string(i), i));
    }
    devices.push_back(sampleDevice(std::string(150, 'S') + "@" + std::string(200, 'T'), 1.0));
    test::writeDataFolder(dir_, devices);
    ASSERT_TRUE(load());
    EXPECT_EQ(library_->deviceCount, 701);
    EXPECT_EQ(library_->seriesList.size(), 351u);
    EXPECT_EQ(library_->deviceIndex.back().typeNumber, std::string(200, 'T'));
    EXPECT_EQ(library_->deviceIndex[699].params->values, devices[699].params);
}

TEST_F(DeviceLibraryLoad, LoadingAgainRebuildsFromTheFiles) {
    test::writeDataFolder(dir_, {sampleDevice("A@1"), sampleDevice("B@2")});
    ASSERT_TRUE(load());
    ASSERT_TRUE(library_->load());
    EXPECT_EQ(library_->deviceCount, 2);
    EXPECT_EQ(library_->seriesList, (Texts{"A", "B"}));
    EXPECT_EQ(library_->deviceIndex[1].spec, &library_->specRecords[1]);
}

TEST(DeviceLibrary, ConstructionIsEmptyWithTheProgramFolder) {
    DeviceLibrary library;
    EXPECT_EQ(library.deviceCount, 0);
    EXPECT_TRUE(library.seriesList.empty());
    std::string folder;
    ASSERT_TRUE(programFolder(folder));
    EXPECT_EQ(library.programFolder, folder);
}

TEST(DeviceLibrary, ProgramFolderIsTheExecutablesFolderWithSeparator) {
    std::string folder = "unchanged";
    ASSERT_TRUE(programFolder(folder));
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.front(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(std::filesystem::path(folder), self.parent_path() / "");
}

TEST(SplitDeviceKey, SplitsAtTheFirstAtSign) {
    std::string series = "old";
    std::string type = "old";
    EXPECT_FALSE(splitDeviceKey("", series, type));
    EXPECT_FALSE(splitDeviceKey("NoAt", series, type));
    EXPECT_EQ(series, "old");
    ASSERT_TRUE(splitDeviceKey("S@T@U", series, type));
    EXPECT_EQ(series, "S");
    EXPECT_EQ(type, "T@U");
    ASSERT_TRUE(splitDeviceKey("@", series, type));
    EXPECT_EQ(series, "");
    EXPECT_EQ(type, "");
}

TEST(AddDistinct, AddsOnlyNewTextsComparedExactly) {
    std::vector<std::string> list;
    addDistinct(list, "400V");
    addDistinct(list, "400V");
    addDistinct(list, "400v");
    addDistinct(list, "400V ");
    addDistinct(list, "");
    addDistinct(list, "200V");
    EXPECT_EQ(list, (Texts{"400V", "400v", "400V ", "200V"}));
}

}  // namespace
}  // namespace thermalyx
