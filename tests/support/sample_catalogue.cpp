#include "tests/support/sample_catalogue.h"

#include <cmath>

#include "library/number_text.h"

namespace thermalyx::test {

std::vector<CatalogueSample> catalogueSamples() {
    return {{"T-Series", "6NT50A-120", 50, 600, 11},
            {"T-Series", "7NT100B-120", 100, 600, 5.6, "NP-B (62x122 mm)"},
            {"TH-Series", "2NT300D-060", 300, 300, 1.6, "NP-D (62x108 mm dual)"}};
}

namespace {

// A table's header line: its column names, comma separated.
template <class Columns>
std::string headerLine(const Columns& columns) {
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) line += std::string(i ? "," : "") + columns[i];
    return line + '\n';
}

}  // namespace

std::string devicesCsv(const std::vector<CatalogueSample>& devices) {
    std::string csv = headerLine(kDeviceColumns);
    for (const CatalogueSample& d : devices) {
        const std::string vmax = formatShortest(d.vdc * 1.5);
        const std::string vmin = formatShortest(d.vdc / 3);
        csv += d.series + "," + d.typeNumber + ",np_a,6in1,400V,7.5kW,1200," +
               formatShortest(d.ic) + ",1.75,300," + formatShortest(d.rg) + "," + d.package +
               ",2025/10," + "400,0.1,50," + formatShortest(d.ic) + ",0.1," +
               formatShortest(d.ic / 2) + ",20,1,8,1,-1,0.85,1.15,0,1," + vmax + "," + vmin + "," +
               formatShortest(d.vdc) + "," + formatShortest(4 * d.rg) + "," +
               formatShortest(d.rg / 2) + "," + formatShortest(d.rg) + "\n";
    }
    return csv;
}

// Curve points in the shape of a trench IGBT's datasheet, scaled with IC.
std::string curvesCsv(const std::vector<CatalogueSample>& devices) {
    std::string csv = "series,typeNumber,curve,x,y\n";
    auto row = [&](const CatalogueSample& d, const char* curve, double x, double y) {
        csv += d.series + "," + d.typeNumber + "," + curve + "," + formatShortest(x) + "," +
               formatFixed(y, 4) + "\n";
    };
    const double conduction[] = {0, 0.1, 0.2, 0.35, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2};
    const double energy[] = {0.1, 0.25, 0.5, 0.75, 1, 1.5, 2};
    const double ratios[] = {0.5, 1, 2, 3, 4};
    for (const CatalogueSample& d : devices) {
        for (double u : conduction)
            row(d, "VCE", u * d.ic, 0.6 + 0.5 * (1 - std::exp(-u / 0.15)) + 0.85 * u);
        for (double u : conduction)
            row(d, "VF", u * d.ic, 0.5 + 0.6 * (1 - std::exp(-u / 0.15)) + 0.7 * u);
        const double perAmp = d.ic * 0.08;  // mJ at IC
        for (double u : energy) row(d, "Eon", u * d.ic, perAmp * (0.7 * u + 0.3 * u * u));
        for (double u : energy) row(d, "Eoff", u * d.ic, perAmp * 1.1 * (1.1 * u - 0.1 * u * u));
        for (double u : energy)
            row(d, "Err", u * d.ic, perAmp * 0.55 * (1.5 * u - 0.5 * u * u + 0.1 * u * u * u));
        for (double r : ratios) row(d, "Kon", r, 1 + 0.40 * (r - 1) + 0.0 * (r - 1) * (r - 1));
        for (double r : ratios) row(d, "Koff", r, 1 + 0.17 * (r - 1) - 0.001 * (r - 1) * (r - 1));
        for (double r : ratios) row(d, "Krr", r, 1 - 0.25 * (r - 1) + 0.035 * (r - 1) * (r - 1));
    }
    return csv;
}

std::string thermalCsv(const std::vector<CatalogueSample>& devices) {
    std::string csv = headerLine(kThermalColumns);
    for (const CatalogueSample& d : devices) {
        const double rth = 0.24 * std::pow(100.0 / d.ic, 0.85);
        const double pair = 0.42 * rth;
        csv += d.series + "," + d.typeNumber + "," + formatShortest(rth) + "," +
               formatShortest(1.75 * rth) + ",0.06,0.26,0.52,0.16,0.08,0.3,0.5,0.12," +
               formatShortest(pair) + "," + formatShortest(pair / 6) + "," +
               formatShortest(pair / kCaseFinPairFactor) + "\n";
    }
    return csv;
}

std::string sampleCatalogueFolder() {
    return THERMALYX_CATALOGUE_DIR;
}

namespace {

FittedCatalogue fitted(FittedCatalogue f, bool read, const CatalogueError& readError) {
    CatalogueError error = readError;
    f.ok = read && fitCatalogue(f.catalogue, f.devices, f.fits, error);
    if (!f.ok) f.error = error.text();
    return f;
}

}  // namespace

FittedCatalogue fitSampleLine() {
    FittedCatalogue f;
    CatalogueError error;
    const bool read = readCatalogue(sampleCatalogueFolder(), f.catalogue, error);
    return fitted(std::move(f), read, error);
}

FittedCatalogue fitSamples(const std::vector<CatalogueSample>& samples) {
    FittedCatalogue f;
    CatalogueError error;
    const bool read = parseCatalogue(devicesCsv(samples), curvesCsv(samples), thermalCsv(samples),
                                     f.catalogue, error);
    return fitted(std::move(f), read, error);
}

}  // namespace thermalyx::test
