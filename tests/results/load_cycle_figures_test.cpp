#include "results/load_cycle_figures.h"

#include <gtest/gtest.h>

namespace thermalyx {
namespace {

LoadCycleResult resultWithModes(int count) {
    LoadCycleResult result;
    result.modeCount = count;
    result.modes.resize(static_cast<std::size_t>(count) + 2);
    for (int j = 0; j < count + 2; ++j) {
        // Entry j carries j in its losses, so a row shows which entry it read.
        result.modes[static_cast<std::size_t>(j)].igbtLoss = 10.0 * j + 0.25;
        result.modes[static_cast<std::size_t>(j)].fwdLoss = j + 0.005;
    }
    return result;
}

TEST(LoadCycleFiguresTest, TemperaturesTwoDecimalsAndTheAmbientTextAsGiven) {
    // A result's temperature, the figure showing it, its value and its text.
    struct Shown {
        double LoadCycleResult::*field;
        LoadCycleFigure figure;
        double value;
        const char* text;
    };
    const Shown shown[] = {
        {&LoadCycleResult::igbtTjMax, LoadCycleFigure::IgbtTjMax, 91.075, "91.08"},
        {&LoadCycleResult::fwdTjMax, LoadCycleFigure::FwdTjMax, 0.005, "0.01"},
        {&LoadCycleResult::tcMax, LoadCycleFigure::TcMax, 74.2349, "74.23"},
        {&LoadCycleResult::tcAve, LoadCycleFigure::TcAve, -3.0, "-3.00"},
        {&LoadCycleResult::tfMax, LoadCycleFigure::TfMax, 65.5, "65.50"},
        {&LoadCycleResult::tfAve, LoadCycleFigure::TfAve, 1e6, "1000000.00"},
    };
    LoadCycleResult result;
    for (const Shown& s : shown) result.*s.field = s.value;
    const LoadCycleFigureTexts texts = loadCycleFigureTexts(result, "40.0");
    for (const Shown& s : shown) EXPECT_EQ(texts[figureIndex(s.figure)], s.text) << s.value;
    EXPECT_EQ(texts[figureIndex(LoadCycleFigure::Ambient)], "40.0");
}

TEST(LoadCycleFiguresTest, RowRShowsModeRPlusOneWithTheTablesDurationText) {
    const LoadCycleResult result = resultWithModes(3);
    const std::vector<ModeTableRow> rows = {{"2.50", "1", "50"}, {"05", "", ""}, {"1e1", "", ""}};
    const std::vector<ModeListRow> list = loadCycleModeList(result, rows);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].number, "1");
    EXPECT_EQ(list[0].duration, "2.50");
    EXPECT_EQ(list[0].igbtLoss, "10.25");
    EXPECT_EQ(list[0].fwdLoss, "1.00");
    EXPECT_EQ(list[1].duration, "05");
    EXPECT_EQ(list[2].number, "3");
    EXPECT_EQ(list[2].duration, "1e1");
    EXPECT_EQ(list[2].igbtLoss, "30.25");
}

TEST(LoadCycleFiguresTest, RowsBeyondTheResultsModesShowNoLosses) {
    // More table rows than calculated modes, and a result without its array.
    const std::vector<ModeTableRow> rows(3, ModeTableRow{"1", "50", "50"});
    std::vector<ModeListRow> list = loadCycleModeList(resultWithModes(2), rows);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].igbtLoss, "20.25");
    EXPECT_EQ(list[2].number, "3");
    EXPECT_EQ(list[2].igbtLoss, "");
    EXPECT_EQ(list[2].fwdLoss, "");

    LoadCycleResult empty;
    empty.modeCount = 3;
    list = loadCycleModeList(empty, rows);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].igbtLoss, "");
    EXPECT_TRUE(loadCycleModeList(resultWithModes(2), {}).empty());
}

}  // namespace
}  // namespace thermalyx
