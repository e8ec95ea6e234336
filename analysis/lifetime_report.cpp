#include "analysis/lifetime_report.h"

#include <cmath>

#include "library/number_text.h"

namespace thermalyx {
namespace {

using namespace report;

std::string onOff(bool on) {
    return on ? "ON" : "OFF";
}

void appendModel(std::string& out, const LifetimeResult& r) {
    const LifetimeParameters& p = r.options.parameters;
    appendTitle(out, "[Lifetime model]");
    if (p.model == LifetimeModel::Cips2008) {
        const Cips2008Coefficients& c = kCips2008;
        appendLine(out, "Model\t\t\t\t",
                   "CIPS 2008, Nf = K dTj^b1 exp(b2/Tj,min) ton^b3 I^b4 V^b5 D^b6");
        appendLine(out, "K\t\t\t\t", formatScientific(c.k));
        appendLine(out, "b1\t\t\t\t", formatShortest(c.beta1));
        appendLine(out, "b2(K)\t\t\t\t", formatShortest(c.beta2));
        appendLine(out, "b3\t\t\t\t", formatShortest(c.beta3));
        appendLine(out, "b4\t\t\t\t", formatShortest(c.beta4));
        appendLine(out, "b5\t\t\t\t", formatShortest(c.beta5));
        appendLine(out, "b6\t\t\t\t", formatShortest(c.beta6));
        appendLine(out, "Kelvin offset(K)\t\t", formatShortest(kKelvinOffset));
        appendLine(out, "I, bond current(A)\t\t", formatShortest(p.bondCurrent));
        appendLine(out, "V, voltage class(V/100)\t\t", formatShortest(p.voltageClass / 100.0));
        appendLine(out, "D, bond-wire diameter(um)\t", formatShortest(p.bondDiameter));
        appendLine(out, "ton limits(s)\t\t\t",
                   formatShortest(c.tonMin) + " to " + formatShortest(c.tonMax));
        appendLine(out, "Valid Delta Tj(K)\t\t",
                   formatShortest(c.rangeMin) + " to " + formatShortest(c.rangeMax));
    } else {
        const LesitCoefficients& c = kLesit;
        appendLine(out, "Model\t\t\t\t", "LESIT, Nf = A dTj^alpha exp(Ea/(kB Tm))");
        appendLine(out, "A\t\t\t\t", formatShortest(c.a));
        appendLine(out, "alpha\t\t\t\t", formatShortest(c.alpha));
        appendLine(out, "Ea(J)\t\t\t\t", formatScientific(c.activationEnergy));
        appendLine(out, "kB(J/K)\t\t\t\t", formatScientific(c.boltzmann));
        appendLine(out, "Kelvin offset(K)\t\t", formatShortest(kKelvinOffset));
    }
    appendLine(out, "Smallest range counted(K)\t", formatShortest(r.options.minRange));
    appendLine(out, "Output-frequency ripple\t\t", onOff(r.options.ripple));
    appendLine(out, "Load cycle time(s)\t\t", formatFixed(r.cycleTime, 3));
    appendEmptyLine(out);
}

void appendWarnings(std::string& out, const LifetimeResult& r) {
    if (r.warnings.empty()) return;
    appendTitle(out, "[Warnings]");
    for (const std::string& warning : r.warnings) appendTitle(out, warning);
    appendEmptyLine(out);
}

void appendCycleTable(std::string& out, const LifetimeSignal& s) {
    appendTitle(out,
                "Source\tMode\tRange(K)\tTj min(deg.)\tTj max(deg.)\tTj mean(deg.)\tton(s)\t"
                "Count\tCycles to failure\tDamage\tNote");
    for (const LifetimeCycle& c : s.cycles) {
        std::string line;
        for (const std::string& field : lifetimeCycleTexts(c)) {
            if (!line.empty()) line += '\t';
            line += field;
        }
        appendTitle(out, line);
    }
}

void appendSignal(std::string& out, std::string_view chip, const LifetimeSignal& s, bool limiting) {
    std::string title(1, '[');
    title += chip;
    title += limiting ? "] (limiting)" : "]";
    appendTitle(out, title);
    appendLine(out, "Damage per load cycle\t\t", formatScientific(s.damagePerLoadCycle));
    appendLine(out, "Load cycles to failure\t\t", lifeText(s.loadCyclesToFailure, 0));
    appendLine(out, "Hours to failure(h)\t\t", lifeText(s.hoursToFailure, 1));
    appendLine(out, "Cycles\t\t\t\t", formatInt(static_cast<long long>(s.cycles.size())));
    appendCycleTable(out, s);
    appendEmptyLine(out);
}

}  // namespace

std::string formatScientific(double value) {
    if (value == 0.0 || !std::isfinite(value)) return formatFixed(value, 3) + "e+00";
    int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    std::string mantissa = formatFixed(value / std::pow(10.0, exponent), 3);
    // 9.9996 rounds up to the next decade.
    if (mantissa == "10.000" || mantissa == "-10.000") {
        ++exponent;
        mantissa = formatFixed(value / std::pow(10.0, exponent), 3);
    }
    const std::string digits = formatInt(exponent < 0 ? -exponent : exponent);
    return mantissa + (exponent < 0 ? "e-" : "e+") + (digits.size() < 2 ? "0" : "") + digits;
}

std::string lifeText(const std::optional<double>& value, int decimals) {
    return value ? formatFixed(*value, decimals) : "unbounded";
}

std::array<std::string, kLifetimeCycleColumns> lifetimeCycleTexts(const LifetimeCycle& c) {
    return {std::string(cycleSourceName(c.source)),
            c.source == CycleSource::Ripple ? formatInt(c.mode) : "-",
            formatFixed(c.range, 2),
            formatFixed(c.tjMin, 2),
            formatFixed(c.tjMax, 2),
            formatFixed(c.tjMean, 2),
            formatFixed(c.ton, 3),
            formatFixed(c.count, 2),
            c.cyclesToFailure ? formatScientific(*c.cyclesToFailure) : "unbounded",
            formatScientific(c.damage),
            lifetimeCycleNote(c)};
}

std::string limitingChip(const LifetimeResult& result) {
    const double igbt = result.igbt.damagePerLoadCycle;
    const double fwd = result.fwd.damagePerLoadCycle;
    if (igbt <= 0.0 && fwd <= 0.0) return {};
    return igbt >= fwd ? "IGBT" : "FWD";
}

std::string buildLifetimeReport(const DeviceIndexEntry& device, const LifetimeResult& result,
                                const ReportTime& time) {
    std::string out;
    appendHeader(out, time);
    if (device.spec && device.search) appendDevice(out, *device.spec, *device.search);
    appendModel(out, result);
    appendWarnings(out, result);
    const std::string limiting = limitingChip(result);
    appendSignal(out, "IGBT", result.igbt, limiting == "IGBT");
    appendSignal(out, "FWD", result.fwd, limiting == "FWD");
    return out;
}

bool writeLifetimeReport(const std::string& path, const DeviceIndexEntry& device,
                         const LifetimeResult& result, std::string& reason,
                         const ReportWriteOptions& options) {
    const ReportTime time = options.time ? *options.time : currentReportTime();
    const std::string text = buildLifetimeReport(device, result, time);
    ReportFileSystem& files = options.files ? *options.files : systemReportFileSystem();
    return writeReportFile(path, text, files, reason);
}

}  // namespace thermalyx
