// Writing the three data files: their exact layout, and the round trip from a
// catalogue through the files back into the library the program loads.
#include "library/library_writer.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "library/catalogue_fit.h"
#include "library/device_library.h"
#include "tests/support/sample_catalogue.h"
#include "tests/support/temp_folder.h"

namespace thermalyx {
namespace {

LibraryDevice oneDevice() {
    LibraryDevice d;
    d.spec.series = d.search.series = d.limits.series = d.params.series = "A-Series";
    d.spec.typeNumber = d.search.typeNumber = d.limits.typeNumber = d.params.typeNumber = "X1@2";
    d.spec.deviceImage = "np_a";
    d.spec.productInfo = {"1200", "100", "1.73", "625", "5.6", "NP-B (62x122 mm)", "2026/01"};
    d.search.circuitComposition = "6in1";
    d.search.acVoltage = "400V";
    d.search.outputCurrent = "15kW";
    for (int k = 0; k < kLimitCount; ++k) limitValue(d.limits, k) = 0.1 * (k + 1);
    for (int k = 0; k < kParamCount; ++k) d.params.values[k] = -1.0 / (k + 3);
    return d;
}

TEST(LibraryWriter, SpecificationFileHasTheKeysInOrderWithCrLf) {
    const std::string text = specFileText({oneDevice()});
    EXPECT_EQ(text,
              "[A-Series@X1@2]\r\n"
              "Device Image=np_a\r\n"
              "Circuit composition=6in1\r\n"
              "AC Voltage=400V\r\n"
              "OutputCurrent=15kW\r\n"
              "Product Info #1=1200\r\n"
              "Product Info #2=100\r\n"
              "Product Info #3=1.73\r\n"
              "Product Info #4=625\r\n"
              "Product Info #5=5.6\r\n"
              "Product Info #6=NP-B (62x122 mm)\r\n"
              "Product Info #7=2026/01\r\n");
}

TEST(LibraryWriter, LimitsFileHasTheTwentyOneKeysInOrder) {
    const std::string text = limitsFileText({oneDevice(), oneDevice()});
    std::size_t pos = text.find("[A-Series@X1@2]\r\n");
    ASSERT_EQ(pos, 0u);
    for (int k = 0; k < kLimitCount; ++k) {
        const std::string line = std::string(kLimitKeys[k]) + "=";
        const std::size_t at = text.find(line, pos);
        ASSERT_NE(at, std::string::npos) << kLimitKeys[k];
        EXPECT_GT(at, pos) << kLimitKeys[k] << " out of order";
        pos = at;
    }
    // 0.1 * 3 is not 0.3: the text must read back to the very same double.
    EXPECT_NE(text.find("Output frequency default=0.30000000000000004\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\r\n[A-Series@X1@2]\r\n"), std::string::npos);
}

TEST(LibraryWriter, ParameterRecordsAreKeyZeroStrfAndLittleEndianDoubles) {
    const LibraryDevice d = oneDevice();
    const std::string bytes = paramFileBytes({d, d});
    const std::string key = "A-Series@X1@2";
    const std::size_t record = key.size() + 357;
    ASSERT_EQ(bytes.size(), 2 * record);
    EXPECT_EQ(bytes.substr(0, key.size()), key);
    EXPECT_EQ(bytes[key.size()], '\0');
    EXPECT_EQ(bytes.substr(key.size() + 1, 4), "STRF");
    for (int k = 0; k < kParamCount; ++k) {
        std::uint64_t bits = 0;
        for (int b = 7; b >= 0; --b)
            bits = (bits << 8) | static_cast<unsigned char>(
                                     bytes[key.size() + 5 + 8 * static_cast<std::size_t>(k) + b]);
        EXPECT_EQ(std::bit_cast<double>(bits), d.params.values[k]) << k;
    }
    EXPECT_EQ(bytes.substr(record, key.size()), key);
}

// Writes the devices as library files into folder and reads them back with the
// program's loader, into a library over that folder.
::testing::AssertionResult writtenAndLoaded(const std::vector<LibraryDevice>& devices,
                                            const std::string& folder, DeviceLibrary& library) {
    std::string error;
    if (!writeLibraryFiles(folder, devices, error)) {
        return ::testing::AssertionFailure() << "not written: " << error;
    }
    if (!library.load()) return ::testing::AssertionFailure() << "not loaded";
    return ::testing::AssertionSuccess();
}

TEST(LibraryWriter, CatalogueRoundTripThroughTheProgramsLoader) {
    const test::FittedCatalogue fitted = test::fitSamples(test::catalogueSamples());
    ASSERT_TRUE(fitted.ok) << fitted.error;
    const Catalogue& catalogue = fitted.catalogue;
    const std::vector<DeviceFit>& fits = fitted.fits;
    test::TempFolder dir;
    DeviceLibrary library(dir.folder());
    ASSERT_TRUE(writtenAndLoaded(fitted.devices, dir.folder(), library));
    ASSERT_EQ(library.deviceCount, 3);
    EXPECT_EQ(library.seriesList, (std::vector<std::string>{"T-Series", "TH-Series"}));
    for (int i = 0; i < 3; ++i) {
        const CatalogueDevice& c = catalogue.devices[static_cast<std::size_t>(i)];
        const DeviceIndexEntry& e = library.deviceIndex[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.series, c.series);
        EXPECT_EQ(e.typeNumber, c.typeNumber);
        EXPECT_EQ(e.spec->deviceImage, c.deviceImage);
        EXPECT_EQ(e.spec->productInfo, c.productInfo);
        EXPECT_EQ(e.search->acVoltage, c.acVoltage);
        EXPECT_EQ(e.search->outputCurrent, c.outputCurrent);
        EXPECT_EQ(e.search->circuitComposition, c.circuitComposition);
        for (int k = 0; k < kLimitCount; ++k)
            EXPECT_EQ(limitValue(*e.limits, k), c.limits[k]) << c.key() << " " << kLimitKeys[k];
        for (int k = 0; k < kParamCount; ++k)
            EXPECT_EQ(e.params->values[k], fits[static_cast<std::size_t>(i)].values[k])
                << c.key() << " value " << k;
    }
    // The limits the engine takes its references from.
    EXPECT_EQ(library.deviceIndex[2].limits->dcVoltageDefault, 300.0);
    EXPECT_EQ(library.deviceIndex[2].limits->gateResistanceDefault, 1.6);
}

TEST(LibraryWriter, SampleLineRoundTrip) {
    const test::FittedCatalogue line = test::fitSampleLine();
    ASSERT_TRUE(line.ok) << line.error;
    test::TempFolder dir;
    DeviceLibrary library(dir.folder());
    ASSERT_TRUE(writtenAndLoaded(line.devices, dir.folder(), library));
    ASSERT_EQ(library.deviceCount, 24);
    EXPECT_EQ(library.seriesList,
              (std::vector<std::string>{"Q-Series", "QH-Series", "Z-Series", "ZH-Series"}));
    std::vector<const DeviceIndexEntry*> found;
    ASSERT_TRUE(library.findDevices(found, DeviceQueryKind::ByVoltageAndCurrent, "400V", "7.5kW"));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]->typeNumber, "6NZ50A-120");
    EXPECT_EQ(found[1]->typeNumber, "7NZ50B-120");
}

TEST(LibraryWriter, UnwritableFolderIsReported) {
    test::TempFolder dir;
    dir.write("blocker", "a file where the folder should be");
    std::string error;
    EXPECT_FALSE(writeLibraryFiles(dir.folder() + "blocker/sub", {oneDevice()}, error));
    EXPECT_NE(error.find("blocker"), std::string::npos) << error;
}

}  // namespace
}  // namespace thermalyx
