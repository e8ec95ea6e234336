// The "Condition Input" tab: one operating point of the inverter, checked
// against the selected device's limits and calculated with "calculate".
#pragma once

#include <QWidget>
#include <array>

#include "engine/records.h"
#include "pages/input_rules.h"
#include "pages/shared_inputs.h"
#include "results/report_sections.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace thermalyx {

class DeviceLibrary;
class Prompt;

// The last steady-state calculation: what the result window shows and the
// report writes.
struct SteadyCalculation {
    OperatingCondition condition;
    SteadyResult result;
};

class ConditionPage : public QWidget {
    Q_OBJECT

public:
    // The eight operating inputs, in field (and checking) order.
    enum Field {
        OutputFrequency,
        OutputCurrent,
        CarrierFrequency,
        PowerFactor,
        ModulationRate,
        DcVoltage,
        RgOn,
        RgOff,
        FieldCount
    };

    ConditionPage(const DeviceLibrary& library, Prompt& prompt, QWidget* parent = nullptr);

    // Shows a device's default inputs; "DC LOCK" and the modulation stay.
    void setDefaultTexts(const ConditionTexts& texts);
    void setCalculateEnabled(bool enabled);

    const SteadyCalculation& lastSteadyCalculation() const { return lastSteady_; }
    // How the result window writes its report (tests fix the time and the files).
    void setReportWriteOptions(const ReportWriteOptions& options) { reportOptions_ = options; }

    QLineEdit* field(Field which) const { return fields_.at(which); }
    QCheckBox* dcLockBox() const { return dcLock_; }
    QRadioButton* twoArmsButton() const { return twoArms_; }
    QRadioButton* threeArmsButton() const { return threeArms_; }
    QPushButton* calculateButton() const { return calculate_; }
    int modulation() const { return modulation_; }

signals:
    // "calculate" was pressed; the main window answers with calculateSteady.
    void calculateRequested();
    // A calculation found this device; shown on the device selection page
    // before any message.
    void deviceUsed(const std::string& series, const std::string& typeNumber);

public slots:
    // Checks every input, runs the engine and shows the result.
    void calculateSteady(const thermalyx::SharedInputs& inputs);

    // The eight texts as the fields hold them.
    ConditionTexts fieldTexts() const;

private:
    void showInputError(const std::string& message);
    // Carries out a request's answer; true when the result window is to open.
    bool answer(const PageAnswer& answer, const SharedInputs& inputs);

    const DeviceLibrary& library_;
    Prompt& prompt_;

    std::array<QLineEdit*, FieldCount> fields_{};
    QCheckBox* dcLock_ = nullptr;
    QRadioButton* twoArms_ = nullptr;
    QRadioButton* threeArms_ = nullptr;
    QPushButton* calculate_ = nullptr;

    int modulation_ = kModulationTwoArms;
    SteadyCalculation lastSteady_;
    ReportWriteOptions reportOptions_;
};

}  // namespace thermalyx
