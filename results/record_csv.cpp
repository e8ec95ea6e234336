#include "results/record_csv.h"

#include "library/csv_table.h"

namespace thermalyx {

const std::array<RecordField<LossResult>, 5> kLossFields = {{
    {"igbtSaturationLoss", &LossResult::igbtSaturationLoss},
    {"igbtTurnOnLoss", &LossResult::igbtTurnOnLoss},
    {"igbtTurnOffLoss", &LossResult::igbtTurnOffLoss},
    {"fwdSaturationLoss", &LossResult::fwdSaturationLoss},
    {"fwdRecoveryLoss", &LossResult::fwdRecoveryLoss},
}};

const std::array<RecordField<TemperatureResult>, 13> kTemperatureFields = {{
    {"igbtDeltaTjcMax", &TemperatureResult::igbtDeltaTjcMax},
    {"igbtDeltaTjcMin", &TemperatureResult::igbtDeltaTjcMin},
    {"igbtDeltaTjcAve", &TemperatureResult::igbtDeltaTjcAve},
    {"fwdDeltaTjcMax", &TemperatureResult::fwdDeltaTjcMax},
    {"fwdDeltaTjcMin", &TemperatureResult::fwdDeltaTjcMin},
    {"fwdDeltaTjcAve", &TemperatureResult::fwdDeltaTjcAve},
    {"tcMax", &TemperatureResult::tcMax},
    {"tcAve", &TemperatureResult::tcAve},
    {"tfMax", &TemperatureResult::tfMax},
    {"tfAve", &TemperatureResult::tfAve},
    {"igbtTjMax", &TemperatureResult::igbtTjMax},
    {"fwdTjMax", &TemperatureResult::fwdTjMax},
    {"ambientTemperature", &TemperatureResult::ambientTemperature},
}};

const std::array<RecordField<PeriodSample>, 17> kPeriodSampleFields = {{
    {"offAngle", &PeriodSample::offAngle},
    {"igbtConductionPower", &PeriodSample::igbtConductionPower},
    {"igbtLoss", &PeriodSample::igbtLoss},
    {"fwdConductionPower", &PeriodSample::fwdConductionPower},
    {"fwdLoss", &PeriodSample::fwdLoss},
    {"time", &PeriodSample::time},
    {"fwdRecoveryEnergy", &PeriodSample::fwdRecoveryEnergy},
    {"tc", &PeriodSample::tc},
    {"deltaTcf", &PeriodSample::deltaTcf},
    {"tf", &PeriodSample::tf},
    {"deltaTfa", &PeriodSample::deltaTfa},
    {"igbtTj", &PeriodSample::igbtTj},
    {"igbtDeltaTjc", &PeriodSample::igbtDeltaTjc},
    {"fwdTj", &PeriodSample::fwdTj},
    {"fwdDeltaTjc", &PeriodSample::fwdDeltaTjc},
    {"pairLoss", &PeriodSample::pairLoss},
    {"heatsinkLoss", &PeriodSample::heatsinkLoss},
}};

const std::array<RecordField<CycleSample>, 13> kCycleSampleFields = {{
    {"time", &CycleSample::time},
    {"pairLoss", &CycleSample::pairLoss},
    {"heatsinkLoss", &CycleSample::heatsinkLoss},
    {"tc", &CycleSample::tc},
    {"deltaTcf", &CycleSample::deltaTcf},
    {"tf", &CycleSample::tf},
    {"deltaTfa", &CycleSample::deltaTfa},
    {"igbtTj", &CycleSample::igbtTj},
    {"fwdTj", &CycleSample::fwdTj},
    {"frequency", &CycleSample::frequency},
    {"modeTime", &CycleSample::modeTime},
    {"igbtLoss", &CycleSample::igbtLoss},
    {"fwdLoss", &CycleSample::fwdLoss},
}};

const std::array<RecordField<OperatingCondition>, 7> kConditionInputFields = {{
    {"outputCurrentRms", &OperatingCondition::outputCurrentRms},
    {"carrierFrequency", &OperatingCondition::carrierFrequency},
    {"powerFactor", &OperatingCondition::powerFactor},
    {"modulationRate", &OperatingCondition::modulationRate},
    {"dcVoltage", &OperatingCondition::dcVoltage},
    {"rgOn", &OperatingCondition::rgOn},
    {"rgOff", &OperatingCondition::rgOff},
}};

namespace {

template <typename Record, std::size_t N>
void appendValues(std::vector<std::string>& row, const std::array<RecordField<Record>, N>& fields,
                  const Record& record) {
    for (const RecordField<Record>& f : fields) row.push_back(csvNumber(record.*(f.member)));
}

template <typename Record, std::size_t N>
std::string samplesCsv(const std::array<RecordField<Record>, N>& fields,
                       const std::vector<Record>& samples) {
    std::string table;
    std::vector<std::string> row;
    appendFieldNames(row, fields);
    appendCsvRow(table, row);
    for (const Record& sample : samples) {
        row.clear();
        appendValues(row, fields, sample);
        appendCsvRow(table, row);
    }
    return table;
}

}  // namespace

void appendFields(std::vector<std::string>& row, const LossResult& loss) {
    appendValues(row, kLossFields, loss);
}

void appendFields(std::vector<std::string>& row, const TemperatureResult& temperature) {
    appendValues(row, kTemperatureFields, temperature);
}

std::string periodSamplesCsv(const std::vector<PeriodSample>& samples) {
    return samplesCsv(kPeriodSampleFields, samples);
}

std::string cycleSamplesCsv(const std::vector<CycleSample>& samples) {
    return samplesCsv(kCycleSampleFields, samples);
}

}  // namespace thermalyx
