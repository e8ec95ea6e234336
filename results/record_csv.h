// The engine's records as rows of a comma-separated table: the fields by their
// names, in the records' order, as the command line's JSON names them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records.h"

namespace thermalyx {

template <typename Record>
struct RecordField {
    std::string_view name;
    double Record::*member;
};

extern const std::array<RecordField<LossResult>, 5> kLossFields;
extern const std::array<RecordField<TemperatureResult>, 13> kTemperatureFields;
extern const std::array<RecordField<PeriodSample>, 17> kPeriodSampleFields;
extern const std::array<RecordField<CycleSample>, 13> kCycleSampleFields;
// The inputs that a steady condition and a load-cycle mode hold alike.
extern const std::array<RecordField<OperatingCondition>, 7> kConditionInputFields;

// Appends the names, or the record's numbers, of a field table to a row.
template <typename Record, std::size_t N>
void appendFieldNames(std::vector<std::string>& row,
                      const std::array<RecordField<Record>, N>& fields) {
    for (const RecordField<Record>& f : fields) row.emplace_back(f.name);
}
void appendFields(std::vector<std::string>& row, const LossResult& loss);
void appendFields(std::vector<std::string>& row, const TemperatureResult& temperature);

// A header row and one row a sample, in order.
std::string periodSamplesCsv(const std::vector<PeriodSample>& samples);
std::string cycleSamplesCsv(const std::vector<CycleSample>& samples);

}  // namespace thermalyx
