// Replays the authoring fuzz target's seeds and every input kept in
// tests/fuzz/regressions/ through it, as the fuzz target runs them.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/fuzz/authoring_inputs.h"
#include "tests/support/kept_inputs.h"
#include "tests/support/temp_folder.h"

namespace thermalyx {
namespace {

TEST(AuthoringFuzzInputs, SeedsReachTheDeepestPaths) {
    const std::filesystem::path corpus = std::string(THERMALYX_FUZZ_DIR) + "corpus/authoring";
    // The catalogue seed is a good catalogue, the check seed a clean library:
    // otherwise the fuzzer would start from the first error.
    const std::string catalogue = test::readFile(corpus / "catalogue.seed");
    ASSERT_GT(catalogue.size(), 4u);
    const fuzz::AuthoringParts files = fuzz::splitAuthoring(catalogue);
    EXPECT_FALSE(files.check);
    Catalogue parsed;
    CatalogueError error;
    EXPECT_TRUE(parseCatalogue(files.a, files.b, files.c, parsed, error)) << error.text();
    EXPECT_EQ(parsed.devices.size(), 2u);

    const std::string check = test::readFile(corpus / "check.seed");
    ASSERT_GT(check.size(), 4u);
    const fuzz::AuthoringParts library = fuzz::splitAuthoring(check);
    EXPECT_TRUE(library.check);
    const auto findings = checkLibraryFiles(library.a, library.b, library.c);
    EXPECT_TRUE(findings.empty()) << findings.front().text();
}

TEST(AuthoringFuzzInputs, EveryKeptInputRunsCleanly) {
    const int replayed =
        test::replayKeptInputs(THERMALYX_FUZZ_DIR, "authoring",
                               [&](const std::string& bytes) { fuzz::exerciseAuthoring(bytes); });
    EXPECT_GT(replayed, 2);
}

}  // namespace
}  // namespace thermalyx
