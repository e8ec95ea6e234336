#include "results/record_csv.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "library/csv_table.h"
#include "library/number_text.h"

namespace thermalyx {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(RecordCsvTest, ASampleTableHasAHeaderAndOneRowASampleInFieldOrder) {
    std::vector<PeriodSample> samples(3);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i].offAngle = 0.1 * static_cast<double>(i);
        samples[i].heatsinkLoss = 1.0 / 3.0 + static_cast<double>(i);
    }
    Rows rows;
    std::string reason;
    ASSERT_TRUE(parseCsv(periodSamplesCsv(samples), rows, reason));
    ASSERT_EQ(rows.size(), 4u);
    ASSERT_EQ(rows[0].size(), 17u);
    EXPECT_EQ(rows[0].front(), "offAngle");
    EXPECT_EQ(rows[0].back(), "heatsinkLoss");
    for (std::size_t i = 0; i < samples.size(); ++i) {
        ASSERT_EQ(rows[i + 1].size(), 17u);
        EXPECT_EQ(readNumber(rows[i + 1].front()), samples[i].offAngle);
        EXPECT_EQ(readNumber(rows[i + 1].back()), samples[i].heatsinkLoss);
    }
}

}  // namespace
}  // namespace thermalyx
