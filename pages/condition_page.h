// The "Condition Input" tab: one operating point of the inverter, checked
// against the selected device's limits and calculated with "calculate".
#pragma once

#include <array>

#include "engine/records.h"
#include "pages/calculation_page.h"
#include "pages/input_rules.h"
#include "pages/shared_inputs.h"
#include "results/report_sections.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace thermalyx {

// The last steady-state calculation: what the result window shows and the
// report writes.
struct SteadyCalculation {
    OperatingCondition condition;
    SteadyResult result;
};

class ConditionPage : public CalculationPage {
    Q_OBJECT

public:
    // The eight operating inputs, in field (and checking) order.
    using Field = InputField;
    using enum InputField;
    static constexpr int FieldCount = kConditionFieldCount;

    ConditionPage(const DeviceLibrary& library, Prompt& prompt, QWidget* parent = nullptr);

    // Shows a device's default inputs; "DC LOCK" and the modulation stay.
    void setDefaultTexts(const ConditionTexts& texts);
    void setCalculateEnabled(bool enabled);

    const SteadyCalculation& lastSteadyCalculation() const { return lastSteady_; }

    QLineEdit* field(Field which) const { return fields_.at(static_cast<std::size_t>(which)); }
    QCheckBox* dcLockBox() const { return dcLock_; }
    QPushButton* calculateButton() const { return calculate_; }

    // The steady request the page's inputs make with what the other pages share.
    SteadyRequest steadyRequest(const SharedInputs& inputs) const;

public slots:
    // Checks every input, runs the engine and shows the result.
    void calculateSteady(const thermalyx::SharedInputs& inputs);

    // The eight texts as the fields hold them.
    ConditionTexts fieldTexts() const;

private:
    std::array<QLineEdit*, FieldCount> fields_{};
    QCheckBox* dcLock_ = nullptr;
    QPushButton* calculate_ = nullptr;

    SteadyCalculation lastSteady_;
};

}  // namespace thermalyx
