#include "analysis/analysis_table.h"

#include "library/csv_table.h"
#include "results/record_csv.h"

namespace thermalyx {
namespace {

std::string optionalNumber(const std::optional<double>& value) {
    return value ? csvNumber(*value) : std::string();
}

}  // namespace

std::string_view rankingStatusText(const RankedDevice& device) {
    return device.ok ? "ok" : "rejected";
}

std::string rankingCsv(const std::vector<RankedDevice>& devices) {
    std::vector<std::string> header = {"series", "typeNumber", "status", "ratedCurrent",
                                       "ratedVoltage"};
    appendFieldNames(header, kLossFields);
    appendFieldNames(header, kTemperatureFields);
    for (const char* name : {"totalLoss", "tjMax", "margin", "limitedBy", "maxCurrent", "message"})
        header.emplace_back(name);
    std::string table;
    appendCsvRow(table, header);

    for (const RankedDevice& d : devices) {
        std::vector<std::string> row = {
            csvField(d.series), csvField(d.typeNumber), std::string(rankingStatusText(d)),
            optionalNumber(d.ratedCurrent), optionalNumber(d.ratedVoltage)};
        if (d.ok) {
            appendFields(row, d.loss);
            appendFields(row, d.temperature);
            row.push_back(csvNumber(d.totalLoss));
            row.push_back(csvNumber(d.tjMax));
            row.push_back(csvNumber(d.margin));
            row.emplace_back(limitedByText(d.limitedBy));
            row.push_back(d.maxCurrent ? optionalNumber(d.maxCurrent->current) : std::string());
            row.emplace_back();
        } else {
            row.resize(row.size() + kLossFields.size() + kTemperatureFields.size() + 5);
            row.push_back(csvField(d.message));
        }
        appendCsvRow(table, row);
    }
    return table;
}

std::string capabilityCsv(const std::vector<CapabilityCurve>& curves) {
    std::string table;
    appendCsvRow(table, {"series", "typeNumber", "carrierFrequency", "current", "tjMax",
                         "limitedBy", "reason"});
    for (const CapabilityCurve& curve : curves) {
        for (const CapabilityPoint& p : curve.points) {
            const CurrentCapability& c = p.capability;
            std::vector<std::string> row = {csvField(curve.series), csvField(curve.typeNumber),
                                            csvField(p.carrierFrequency)};
            if (c.current) {
                row.insert(row.end(), {csvNumber(*c.current), csvNumber(c.tjMax),
                                       std::string(limitedByText(c.limitedBy)), std::string()});
            } else {
                row.insert(row.end(),
                           {std::string(), std::string(), std::string(), csvField(c.reason)});
            }
            appendCsvRow(table, row);
        }
    }
    return table;
}

}  // namespace thermalyx
