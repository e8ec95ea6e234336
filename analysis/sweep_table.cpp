#include "analysis/sweep_table.h"

#include <vector>

#include "library/csv_table.h"
#include "results/record_csv.h"

namespace thermalyx {

std::string_view sweepStatusText(const SweepPoint& point) {
    return point.ok ? "ok" : "rejected";
}

std::string sweepCsvHeader(const SweepPlan& plan) {
    std::vector<std::string> row;
    for (const SweepAxis& axis : plan.request.axes)
        row.push_back(csvField(sweepInputName(axis.input)));
    row.emplace_back("status");
    appendFieldNames(row, kLossFields);
    appendFieldNames(row, kTemperatureFields);
    row.emplace_back("message");
    std::string table;
    appendCsvRow(table, row);
    return table;
}

std::string sweepCsvRow(const SweepPlan& plan, const SweepPoint& point) {
    std::vector<std::string> row;
    for (std::size_t a = 0; a < plan.request.axes.size(); ++a)
        row.push_back(csvField(point.texts[a]));
    row.emplace_back(sweepStatusText(point));
    if (point.ok) {
        appendFields(row, point.loss);
        appendFields(row, point.temperature);
        row.emplace_back();
    } else {
        row.resize(row.size() + kLossFields.size() + kTemperatureFields.size());
        row.push_back(csvField(point.message));
    }
    std::string table;
    appendCsvRow(table, row);
    return table;
}

}  // namespace thermalyx
