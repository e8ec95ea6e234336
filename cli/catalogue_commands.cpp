// build-library and check-library: authoring the three device data files from
// the catalogue tables, and checking data files before the program uses them.
#include <algorithm>
#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "library/catalogue.h"
#include "library/catalogue_fit.h"
#include "library/data_folder.h"
#include "library/library_check.h"
#include "library/library_writer.h"
#include "library/number_text.h"

namespace thermalyx::cli {
namespace {

// The residual of one curve as printed: millivolts for the conduction
// curves, per cent of the energy at IC for the energies, the bare factor for
// the gate-resistance factors.
std::string residualText(CurveKind kind, const CurveFitQuality& q) {
    switch (kind) {
        case CurveKind::VCE:
        case CurveKind::VF:
            return formatFixed(q.worstResidual * 1000.0, 1) + " mV";
        case CurveKind::Eon:
        case CurveKind::Eoff:
        case CurveKind::Err:
            return formatFixed(q.worstMeasure, 2) + " %";
        default:
            return formatFixed(q.worstResidual, 4);
    }
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

int buildLibrary(const std::string& catalogueFolder, const std::string& outFolder) {
    Catalogue catalogue;
    CatalogueError error;
    if (!readCatalogue(catalogueFolder, catalogue, error)) {
        std::cerr << "build-library: " << error.text() << '\n';
        return kExitInputRejected;
    }
    std::vector<LibraryDevice> devices;
    std::vector<DeviceFit> fits;
    std::string curvesPath = catalogueFolder;
    if (!curvesPath.empty() && curvesPath.back() != '/') curvesPath += '/';
    curvesPath += kCatalogueCurvesFile;
    if (!fitCatalogue(catalogue, devices, fits, error, curvesPath)) {
        std::cerr << "build-library: " << error.text() << '\n';
        return kExitInputRejected;
    }

    // Worst residual of every fit, one device a line, then the worst of the line.
    std::size_t keyWidth = 6;
    for (const CatalogueDevice& d : catalogue.devices)
        keyWidth = std::max(keyWidth, d.key().size());
    std::string header = padded("device", keyWidth);
    for (int k = 0; k < kCurveKindCount; ++k)
        header += "  " + padded(curveName(static_cast<CurveKind>(k)), 9);
    std::cout << "Worst residual of each fit (VCE, VF in mV; energies in % of the value at IC; "
                 "gate factors absolute)\n"
              << header << '\n';
    std::array<std::size_t, kCurveKindCount> worstDevice{};
    for (std::size_t i = 0; i < fits.size(); ++i) {
        std::string line = padded(catalogue.devices[i].key(), keyWidth);
        for (int k = 0; k < kCurveKindCount; ++k) {
            line += "  " + padded(residualText(static_cast<CurveKind>(k), fits[i].quality[k]), 9);
            if (fits[i].quality[k].worstMeasure > fits[worstDevice[k]].quality[k].worstMeasure)
                worstDevice[k] = i;
        }
        std::cout << line << '\n';
    }
    std::cout << "Worst over the line:\n";
    for (int k = 0; k < kCurveKindCount; ++k) {
        const std::size_t i = worstDevice[k];
        const CurveFitQuality& q = fits[i].quality[k];
        std::cout << "  " << padded(curveName(static_cast<CurveKind>(k)), 5)
                  << padded(residualText(static_cast<CurveKind>(k), q), 10) << " "
                  << catalogue.devices[i].key() << " at x = " << formatShortest(q.worstX) << " ("
                  << kCatalogueCurvesFile << " line " << q.worstLine << ")\n";
    }

    std::string writeError;
    if (!writeLibraryFiles(outFolder, devices, writeError)) {
        std::cerr << "build-library: " << writeError << '\n';
        return kExitCannotWrite;
    }
    std::cout << "Wrote " << kSpecFileName << ", " << kLimitsFileName << " and " << kParamFileName
              << " (" << devices.size() << " devices) to " << outFolder << '\n';

    // What the program would read back must make sense too.
    const std::vector<LibraryFinding> findings = checkLibrary(outFolder);
    for (const LibraryFinding& f : findings) std::cerr << "build-library: " << f.text() << '\n';
    return findings.empty() ? kExitOk : kExitLibraryNotLoaded;
}

int checkLibraryCommand(const std::string& dataFolder) {
    std::string folder = dataFolder;
    if (folder.empty() && !defaultDataFolder(folder)) folder.clear();
    const std::vector<LibraryFinding> findings = checkLibrary(folder);
    for (const LibraryFinding& f : findings) std::cout << f.text() << '\n';
    if (findings.empty()) {
        std::cerr << "check-library: no findings in " << (folder.empty() ? "." : folder) << '\n';
        return kExitOk;
    }
    std::cerr << "check-library: " << findings.size()
              << (findings.size() == 1 ? " finding" : " findings") << '\n';
    return 1;
}

}  // namespace

void registerCatalogueCommands(CLI::App& app, int& exitStatus) {
    struct BuildOptions {
        std::string catalogue;
        std::string out;
    };
    auto build = std::make_shared<BuildOptions>();
    CLI::App* buildCommand = app.add_subcommand(
        "build-library",
        "Fit the catalogue's curves and write igbt_devspec.ini, igbt_condition.ini and "
        "igbt_devparam.bin");
    buildCommand
        ->add_option("--catalogue", build->catalogue,
                     "folder of devices.csv, curves.csv and thermal.csv")
        ->required();
    buildCommand->add_option("--out", build->out, "folder to write the three data files to")
        ->required();
    buildCommand->callback(
        [build, &exitStatus] { exitStatus = buildLibrary(build->catalogue, build->out); });

    auto data = std::make_shared<std::string>();
    CLI::App* checkCommand = app.add_subcommand(
        "check-library",
        "Check the three data files for inconsistencies; exit 0 when clean, 1 with findings");
    addDataOption(*checkCommand, *data);
    checkCommand->callback([data, &exitStatus] { exitStatus = checkLibraryCommand(*data); });
}

}  // namespace thermalyx::cli
