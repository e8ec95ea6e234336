// The product line's catalogue: the three readable tables (devices.csv,
// curves.csv, thermal.csv) from which the device data files are built.
//
// Units are those of a datasheet: currents in A, voltages in V, energies in mJ
// per event, gate-resistance factors against rg / standard rg, thermal
// resistances in K/W. The fit (catalogue_fit.h) turns them into the 44
// parameter values.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "library/device_records.h"

namespace thermalyx {

inline constexpr const char* kCatalogueDevicesFile = "devices.csv";
inline constexpr const char* kCatalogueCurvesFile = "curves.csv";
inline constexpr const char* kCatalogueThermalFile = "thermal.csv";

// The curves of curves.csv, in the order of the parameter values they feed.
enum class CurveKind : int { VCE, VF, Eon, Eoff, Err, Kon, Koff, Krr };
inline constexpr int kCurveKindCount = 8;
const char* curveName(CurveKind kind);

// Fewest points a curve may have: one more than the fit has free coefficients,
// so that the residual says something.
int minimumCurvePoints(CurveKind kind);

// 20 times the sum of the four fixed case-to-fin fractions: the case-to-fin
// resistance of one switch position is this times parameter value 43.
inline constexpr double kCaseFinPairFactor = 1.026066;

// One datasheet point and the line of curves.csv it came from.
struct CurvePoint {
    double x = 0.0;
    double y = 0.0;
    int line = 0;
};

// One row of thermal.csv.
struct CatalogueThermal {
    double rthjcIgbt = 0.0;                 // K/W
    double rthjcFwd = 0.0;                  // K/W
    std::array<double, 4> igbtFractions{};  // stages 1 ms, 10 ms, 100 ms, 1 s
    std::array<double, 4> fwdFractions{};
    double rthcfPair = 0.0;     // K/W, one switch position
    double rthcfModule = 0.0;   // K/W, whole module (for comparison only)
    double caseFinScale = 0.0;  // parameter value 43
    int line = 0;               // line of thermal.csv
};

// One device: a row of devices.csv with its curves and its thermal row.
struct CatalogueDevice {
    std::string series;
    std::string typeNumber;
    std::string deviceImage;
    std::string circuitComposition;
    std::string acVoltage;
    std::string outputCurrent;
    // VCES(V), IC(A), VCE(sat)(V), PC(W), Standard rg(ohm), Package, Update:
    // kept as the texts shown to the user.
    std::array<std::string, 7> productInfo;
    std::array<double, kLimitCount> limits{};  // in the key order of the limits file
    double nominalCurrent = 0.0;               // IC(A), the scale of the current fits
    std::array<std::vector<CurvePoint>, kCurveKindCount> curves;
    CatalogueThermal thermal;
    int line = 0;  // line of devices.csv

    std::string key() const { return series + "@" + typeNumber; }
};

struct Catalogue {
    std::vector<CatalogueDevice> devices;  // in the order of devices.csv
};

// Where a catalogue is wrong. line and column are 1-based (column counts the
// comma-separated fields); 0 when they do not apply.
struct CatalogueError {
    std::string file;
    int line = 0;
    int column = 0;
    std::string message;

    // "FILE, line L, column C: MESSAGE"
    std::string text() const;
};

// Reads and checks the three tables from their texts; the names are used only
// in error messages. False with error filled at the first problem.
bool parseCatalogue(std::string_view devicesCsv, std::string_view curvesCsv,
                    std::string_view thermalCsv, Catalogue& catalogue, CatalogueError& error,
                    const std::string& devicesName = kCatalogueDevicesFile,
                    const std::string& curvesName = kCatalogueCurvesFile,
                    const std::string& thermalName = kCatalogueThermalFile);

// Reads the three tables from a folder.
bool readCatalogue(const std::string& folder, Catalogue& catalogue, CatalogueError& error);

// The column names of devices.csv and thermal.csv, in their usual order.
extern const std::array<const char*, 13 + kLimitCount> kDeviceColumns;
extern const std::array<const char*, 15> kThermalColumns;
extern const std::array<const char*, 5> kCurveColumns;

}  // namespace thermalyx
