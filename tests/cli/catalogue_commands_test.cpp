// build-library and check-library as a user runs them: exit statuses, the
// residual table, one line per finding, catalogue errors with file, line and
// column.
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "library/device_library.h"
#include "library/library_writer.h"
#include "tests/cli/cli_run.h"
#include "tests/support/sample_catalogue.h"
#include "tests/support/temp_folder.h"

namespace thermalyx {
namespace {

using cli_test::runCli;

void writeCatalogue(const test::TempFolder& dir, std::string curves = {}) {
    const auto samples = test::catalogueSamples();
    dir.write("devices.csv", test::devicesCsv(samples));
    dir.write("curves.csv", curves.empty() ? test::curvesCsv(samples) : curves);
    dir.write("thermal.csv", test::thermalCsv(samples));
}

TEST(CatalogueCommands, BuildThenCheckIsClean) {
    test::TempFolder catalogue;
    test::TempFolder out;
    writeCatalogue(catalogue);
    const auto build =
        runCli({"build-library", "--catalogue", catalogue.folder(), "--out", out.folder()});
    EXPECT_EQ(build.status, 0) << build.output;
    // One residual line per device, and the worst of each fit.
    EXPECT_NE(build.output.find("T-Series@6NT50A-120 "), std::string::npos) << build.output;
    EXPECT_NE(build.output.find("TH-Series@2NT300D-060 "), std::string::npos) << build.output;
    EXPECT_NE(build.output.find("Worst over the line"), std::string::npos) << build.output;
    for (const char* curve : {"VCE", "VF", "Eon", "Eoff", "Err", "Kon", "Koff", "Krr"})
        EXPECT_NE(build.output.find(std::string("  ") + curve + " "), std::string::npos) << curve;

    DeviceLibrary library(out.folder());
    ASSERT_TRUE(library.load());
    EXPECT_EQ(library.deviceCount, 3);

    const auto check = runCli({"check-library", "--data", out.folder()});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.output, "");
}

TEST(CatalogueCommands, CheckReportsOneLinePerFindingAndExitsOne) {
    test::TempFolder catalogue;
    test::TempFolder out;
    writeCatalogue(catalogue);
    ASSERT_EQ(
        runCli({"build-library", "--catalogue", catalogue.folder(), "--out", out.folder()}).status,
        0);
    // Two broken limits in the written file.
    std::string limits = test::readFile(out.folder() + kLimitsFileName);
    const std::size_t at = limits.find("Output frequency min=0.1");
    ASSERT_NE(at, std::string::npos);
    limits.replace(at, 24, "Output frequency min=0");
    const std::size_t dcmv = limits.find("DCMV default=", limits.find("[TH-Series@2NT300D-060]"));
    limits.replace(dcmv, 16, "DCMV default=900");
    out.write(kLimitsFileName, limits);

    const auto check = runCli({"check-library", "--data", out.folder()});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.output,
              "T-Series@6NT50A-120: Output frequency min 0 lets 0 Hz through (the calculation "
              "divides by it)\n"
              "TH-Series@2NT300D-060: DCMV default 900 is outside min 100 .. max 450\n");
}

TEST(CatalogueCommands, CatalogueErrorNamesFileLineAndColumn) {
    test::TempFolder catalogue;
    test::TempFolder out;
    std::string curves = test::curvesCsv(test::catalogueSamples());
    const std::string from = "T-Series,6NT50A-120,VCE,5,";
    curves.replace(curves.find(from), from.size(), "T-Series,6NT50A-120,VCE,5A,");
    writeCatalogue(catalogue, curves);
    const std::string errors = out.folder() + "stderr.txt";
    const auto build =
        runCli({"build-library", "--catalogue", catalogue.folder(), "--out", out.folder()}, errors);
    EXPECT_EQ(build.status, 2);
    EXPECT_EQ(test::readFile(errors),
              "build-library: " + catalogue.folder() +
                  "curves.csv, line 3, column 4: \"5A\" in column \"x\" is not "
                  "a number\n");
    // Nothing half-built is left behind.
    EXPECT_FALSE(std::ifstream(out.folder() + kSpecFileName).good());
}

TEST(CatalogueCommands, MissingOptionsAreUsageErrors) {
    EXPECT_NE(runCli({"build-library", "--out", "/tmp"}).status, 0);
}

}  // namespace
}  // namespace thermalyx
