// The engine's own stored constants. Every figure is formed with these values,
// not with the library's pi, so that every build forms the same figures
// to the last digit.
#pragma once

namespace thermalyx::engine {

inline constexpr double kTwoPi = 6.2831853071794;
inline constexpr double kPi = 3.1415926535897;
inline constexpr double kHalfPi = 1.57079632679485;
inline constexpr double kPiOverSix = 0.5235987755982833;
inline constexpr double kThreeOverPi = 0.9549296585514004;
inline constexpr double kOneOverPi = 0.31830988618380013;

// Carrier periods per grouped period: Nc / 300.
inline constexpr double kOneOverThreeHundred = 0.0033333333333333335;

// The load cycle's grid of 600 intervals: the time step factor 1/600 and the
// reconstruction angle step pi/600.
inline constexpr int kCycleGridIntervals = 600;
inline constexpr double kOneOverSixHundred = 0.0016666666666666668;
inline constexpr double kPiOverSixHundred = 0.005235987755982834;

// Harmonics of the periodic solver.
inline constexpr int kSteadyHarmonics = 51;
inline constexpr int kModeRunHarmonics = 11;
inline constexpr int kCycleHarmonics = 255;

// Junction-to-case stage time constants, s, for stages 0..3.
inline constexpr double kJunctionCaseTimeConstant[4] = {0.001, 0.01, 0.1, 1.0};

}  // namespace thermalyx::engine
