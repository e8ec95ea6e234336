// Small catalogues written in code for the authoring tests: devices with
// datasheet-like curves as CSV texts, and the project's own sample line.
#pragma once

#include <string>
#include <vector>

#include "library/catalogue.h"
#include "library/catalogue_fit.h"

namespace thermalyx::test {

// One device of a test catalogue.
struct CatalogueSample {
    std::string series;
    std::string typeNumber;
    double ic;   // A
    double vdc;  // DCMV default, V
    double rg;   // standard rg, ohm
    std::string package = "NP-A (62x108 mm)";
};

// Three devices of two series and three packages.
std::vector<CatalogueSample> catalogueSamples();

std::string devicesCsv(const std::vector<CatalogueSample>& devices);
// Curve points in the shape of a trench IGBT's datasheet, scaled with IC.
std::string curvesCsv(const std::vector<CatalogueSample>& devices);
std::string thermalCsv(const std::vector<CatalogueSample>& devices);

// The project's own sample line (data/catalogue).
std::string sampleCatalogueFolder();

// A catalogue read and fitted into library records, as build-library does.
struct FittedCatalogue {
    bool ok = false;
    std::string error;  // when not ok
    Catalogue catalogue;
    std::vector<LibraryDevice> devices;
    std::vector<DeviceFit> fits;
};

FittedCatalogue fitSampleLine();
FittedCatalogue fitSamples(const std::vector<CatalogueSample>& samples);

}  // namespace thermalyx::test
