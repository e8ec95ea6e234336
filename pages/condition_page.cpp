#include "pages/condition_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "library/device_library.h"
#include "pages/circuit_picture.h"
#include "results/steady_figures.h"
#include "results/steady_result_dialog.h"
#include "widgets/dialog_layout.h"
#include "widgets/picture_view.h"
#include "widgets/prompt.h"

namespace thermalyx {

namespace {

struct FieldLabels {
    const char* label;
    const char* unit;
};

constexpr std::array<FieldLabels, ConditionPage::FieldCount> kFieldLabels = {{
    {"Output frequency", "(Hz)"},
    {"Output current", "(Arms value to be >0)"},
    {"Carrier frequency", "(kHz >0)"},
    {"Power factor", "-1.0 to 1.0"},
    {"Modulation rate", "(>0, normally \"1.0\")"},
    {"DC link voltage", "(V)"},
    {"Gate resistance (on)", "(ohm. In case of  IPM, set RG \"1\" ohm.)"},
    {"Gate resistance (off)", "(ohm. In case of  IPM, set RG \"1\" ohm.)"},
}};

constexpr std::array<const char*, ConditionPage::FieldCount> kFieldNames = {"outputFrequencyEdit",
                                                                            "outputCurrentEdit",
                                                                            "carrierFrequencyEdit",
                                                                            "powerFactorEdit",
                                                                            "modulationRateEdit",
                                                                            "dcVoltageEdit",
                                                                            "rgOnEdit",
                                                                            "rgOffEdit"};

}  // namespace

ConditionPage::ConditionPage(const DeviceLibrary& library, Prompt& prompt, QWidget* parent)
    : CalculationPage(library, prompt, parent) {
    const DialogLayout layout(*this);

    layout.group(QStringLiteral("Inverter modulation."), 14, 6, 232, 28);
    useModulationOptions(
        layout.optionPair(QStringLiteral("2 arms"), 30, QStringLiteral("3 arms"), 110, 18, 60));

    layout.group(QStringLiteral("Inverter modulation."), 14, 40, 232, 236);
    for (int i = 0; i < FieldCount; ++i) {
        const int y = 54 + i * 24;
        layout.label(QString::fromLatin1(kFieldLabels[i].label), 22, y + 2, 78);
        fields_[i] = layout.edit(100, y, 46);
        fields_[i]->setObjectName(QString::fromLatin1(kFieldNames[i]));
        QLabel* unit = layout.label(QString::fromLatin1(kFieldLabels[i].unit), 150, y + 2, 92, 17);
        unit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        unit->setWordWrap(true);
    }
    dcLock_ = layout.check(QStringLiteral("DC LOCK"), 22, 250, 80);
    calculate_ = layout.button(QStringLiteral("calculate"), 174, 284, 72, 18);

    layout
        .pictureGroup(QStringLiteral("Circuit configuration"), 254, 6, 176, 296, circuitPicture())
        ->setObjectName(QStringLiteral("circuitPicture"));

    dcLock_->setObjectName(QStringLiteral("dcLockBox"));
    calculate_->setObjectName(QStringLiteral("calculateButton"));

    lastSteady_.condition.modulation = kModulationTwoArms;

    calculate_->setEnabled(false);
    connect(calculate_, &QPushButton::clicked, this, &ConditionPage::calculateRequested);
}

void ConditionPage::setDefaultTexts(const ConditionTexts& texts) {
    const auto values = conditionFields(texts);
    for (int i = 0; i < FieldCount; ++i) {
        fields_[i]->setText(QString::fromStdString(*values[i]));
    }
}

void ConditionPage::setCalculateEnabled(bool enabled) {
    calculate_->setEnabled(enabled);
}

ConditionTexts ConditionPage::fieldTexts() const {
    ConditionTexts texts;
    const auto values = conditionFields(texts);
    for (int i = 0; i < FieldCount; ++i) *values[i] = fields_[i]->text().toStdString();
    return texts;
}

SteadyRequest ConditionPage::steadyRequest(const SharedInputs& inputs) const {
    auto request = startedRequest<SteadyRequest>(inputs);
    request.texts = givenTexts(fieldTexts());
    request.dcLock = dcLock_->isChecked();
    return request;
}

void ConditionPage::calculateSteady(const SharedInputs& inputs) {
    SteadyOutcome outcome = runSteadyRequest(library_, steadyRequest(inputs));
    if (!answer(outcome, inputs)) return;

    lastSteady_.condition = std::move(outcome.condition);
    lastSteady_.result = std::move(outcome.result);

    {
        SteadyResultDialog dialog(library_, lastSteady_.condition, lastSteady_.result,
                                  ambientFigureText(inputs.ambientText), prompt_, this);
        dialog.setReportWriteOptions(reportWriteOptions());
        dialog.exec();
    }
    // The waveform is only needed while its window is open.
    lastSteady_.result.waveform.clear();
    lastSteady_.result.waveform.shrink_to_fit();
}

}  // namespace thermalyx
