// Fixed runs on the sample product line, compared bit for bit with the figures
// they gave when they were recorded. A change in any rounding (the order of a
// sum, a contracted multiply-add, a library call the optimiser replaces) shows
// here as a changed bit pattern or a changed hash of the whole waveform.
#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/records.h"
#include "library/device_library.h"
#include "pages/calculation_request.h"

namespace thermalyx {
namespace {

// The bit pattern of a double as 16 hexadecimal digits.
std::string bits(double value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const auto pattern = std::bit_cast<std::uint64_t>(value);
    std::string text(16, '0');
    for (int digit = 0; digit < 16; ++digit) {
        text[15 - digit] = kDigits[(pattern >> (4 * digit)) & 0xF];
    }
    return text;
}

// FNV-1a over the bit patterns of a run of doubles, in order.
class BitHash {
public:
    void add(double value) {
        const auto pattern = std::bit_cast<std::uint64_t>(value);
        for (int byte = 0; byte < 8; ++byte) {
            hash_ ^= (pattern >> (8 * byte)) & 0xFF;
            hash_ *= 0x100000001b3ULL;
        }
    }
    std::string text() const { return bits(std::bit_cast<double>(hash_)); }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

// A figure of a run and the bit pattern it was recorded with.
struct Figure {
    const char* name;
    double value;
    std::string recorded;
};

void expectRecordedBits(const std::vector<Figure>& figures) {
    for (const Figure& figure : figures) {
        EXPECT_EQ(bits(figure.value), figure.recorded) << figure.name;
    }
}

// The temperature figures a steady run and a load cycle both give, under the
// same names, with the bit patterns recorded for them in this order.
template <class Temperatures>
std::vector<Figure> sharedTemperatureFigures(const Temperatures& t,
                                             const std::array<std::string, 8>& recorded) {
    return {
        {"tcMax", t.tcMax, recorded[0]},
        {"tcAve", t.tcAve, recorded[1]},
        {"tfMax", t.tfMax, recorded[2]},
        {"tfAve", t.tfAve, recorded[3]},
        {"igbtTjMax", t.igbtTjMax, recorded[4]},
        {"fwdTjMax", t.fwdTjMax, recorded[5]},
        {"igbtDeltaTjcMax", t.igbtDeltaTjcMax, recorded[6]},
        {"fwdDeltaTjcMax", t.fwdDeltaTjcMax, recorded[7]},
    };
}

std::unique_ptr<DeviceLibrary> sampleLine() {
    auto library = std::make_unique<DeviceLibrary>(THERMALYX_SAMPLE_DIR);
    EXPECT_TRUE(library->load());
    return library;
}

// A request for the sample line's 6NZ50A-120 on two arms at the given ambient, on the
// sample heat sink.
template <class Request>
Request sampleRequest(const char* ambient) {
    Request request;
    request.ambientText = ambient;
    request.series = "Z-Series";
    request.typeNumber = "6NZ50A-120";
    request.modulation = kModulationTwoArms;
    request.heatsink = NetworkTexts{{"0.012", "0.035", "0.06", "0.043"}, {"2", "15", "60", "240"}};
    return request;
}

TEST(DeterminismTest, SteadyRunKeepsEveryBit) {
    const auto library = sampleLine();
    auto request = sampleRequest<SteadyRequest>("40");
    request.texts = givenTexts({"50", "35", "10", "0.85", "1", "600", "6.8", "6.8"});
    const SteadyOutcome outcome = runSteadyRequest(*library, request);
    ASSERT_TRUE(outcome.ok()) << outcome.message;

    const LossResult& loss = outcome.result.loss;
    const TemperatureResult& t = outcome.result.temperature;
    std::vector<Figure> figures = {
        {"igbtSaturationLoss", loss.igbtSaturationLoss, "4037894336eaed58"},
        {"igbtTurnOnLoss", loss.igbtTurnOnLoss, "401551071b95a5d1"},
        {"igbtTurnOffLoss", loss.igbtTurnOffLoss, "401fa637c59b9a38"},
        {"fwdSaturationLoss", loss.fwdSaturationLoss, "40106f5dcece8387"},
        {"fwdRecoveryLoss", loss.fwdRecoveryLoss, "4015492ad418b13f"},
        {"igbtDeltaTjcMin", t.igbtDeltaTjcMin, "4029324ef9e0d68a"},
        {"igbtDeltaTjcAve", t.igbtDeltaTjcAve, "402fd2bbaff6195d"},
        {"fwdDeltaTjcMin", t.fwdDeltaTjcMin, "4015644ee011681b"},
        {"fwdDeltaTjcAve", t.fwdDeltaTjcAve, "401c9e8c726a87cd"},
    };
    const std::vector<Figure> shared = sharedTemperatureFigures(
        t, {"40572d5f86107a9e", "40567f92cd1328cd", "40546647447fdd2a", "405465920a21c38c",
            "405c617b41c1572c", "4058eb40c242b6ad", "4034d119c68ab84c", "4024c68858a7605f"});
    figures.insert(figures.end(), shared.begin(), shared.end());
    expectRecordedBits(figures);

    BitHash waveform;
    for (const PeriodSample& s : outcome.result.waveform) {
        for (double v :
             {s.offAngle, s.igbtConductionPower, s.igbtLoss, s.fwdConductionPower, s.fwdLoss,
              s.time, s.fwdRecoveryEnergy, s.tc, s.deltaTcf, s.tf, s.deltaTfa, s.igbtTj,
              s.igbtDeltaTjc, s.fwdTj, s.fwdDeltaTjc, s.pairLoss, s.heatsinkLoss}) {
            waveform.add(v);
        }
    }
    EXPECT_EQ(outcome.result.waveform.size(), 202u);
    EXPECT_EQ(waveform.text(), "b808a7559007f51c");
}

ModeRowTexts modeRow(std::array<std::string, kModeTextColumns> columns, bool dcLock) {
    ModeRowTexts row;
    row.columns = std::move(columns);
    row.dcLock = dcLock;
    return row;
}

TEST(DeterminismTest, LoadCycleKeepsEveryBit) {
    const auto library = sampleLine();
    auto request = sampleRequest<LoadCycleRequest>("35");
    request.rows = {
        modeRow({"2", "0", "50", "30", "8", "0.85", "1", "600", "6.8", "6.8"}, false),
        modeRow({"3", "50", "50", "40", "8", "0.9", "1", "600", "6.8", "6.8"}, false),
        modeRow({"1.5", "50", "10", "20", "5", "-0.5", "0.8", "600", "6.8", "6.8"}, false),
        modeRow({"1", "1", "1", "25", "8", "0.85", "0.5", "600", "6.8", "6.8"}, true),
    };
    const LoadCycleOutcome outcome = runLoadCycleRequest(*library, request);
    ASSERT_TRUE(outcome.ok()) << outcome.message;

    const LoadCycleResult& r = outcome.result;
    expectRecordedBits(sharedTemperatureFigures(
        r, {"405647de8d171a0a", "4054718e7bb937b2", "4052a9475c0b02de", "405279723d678211",
            "405c86016d1ad398", "405aa238cfbb0837", "40475d8bb8850039", "40396c45b6e39aea"}));

    BitHash modes;
    for (const ModeResult& m : r.modes) {
        for (double v :
             {m.startTime, m.endTime, m.frequencyStart, m.frequencyEnd, m.igbtLoss, m.fwdLoss,
              m.igbtDeltaTjcStart, m.igbtDeltaTjcEnd, m.fwdDeltaTjcStart, m.fwdDeltaTjcEnd,
              m.igbtDeltaTjcSlope, m.igbtDeltaTjcIntercept, m.fwdDeltaTjcSlope,
              m.fwdDeltaTjcIntercept, m.igbtSaturationLoss, m.igbtTurnOnLoss, m.igbtTurnOffLoss,
              m.fwdSaturationLoss, m.fwdRecoveryLoss}) {
            modes.add(v);
        }
        modes.add(m.firstSample);
        modes.add(m.lastSample);
    }
    BitHash samples;
    for (const CycleSample& s : r.samples) {
        for (double v : {s.time, s.pairLoss, s.heatsinkLoss, s.tc, s.deltaTcf, s.tf, s.deltaTfa,
                         s.igbtTj, s.fwdTj, s.frequency, s.modeTime, s.igbtLoss, s.fwdLoss}) {
            samples.add(v);
        }
    }
    EXPECT_EQ(modes.text(), "e007b8f5634f0a3d");
    EXPECT_EQ(samples.text(), "9082ae69fbf685e1");
}

}  // namespace
}  // namespace thermalyx
