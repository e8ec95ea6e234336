#include "pages/condition_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "app/device_selection_page.h"
#include "app/dialog_layout.h"
#include "app/prompt.h"
#include "library/device_library.h"
#include "pages/circuit_picture.h"
#include "pages/heatsink_page.h"
#include "pages/picture_frame.h"
#include "results/steady_figures.h"
#include "results/steady_result_dialog.h"

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
    : QWidget(parent), library_(library), prompt_(prompt) {
    const DialogLayout layout(*this);

    layout.group(QStringLiteral("Inverter modulation."), 14, 6, 232, 28);
    twoArms_ = layout.radio(QStringLiteral("2 arms"), 30, 18, 60);
    threeArms_ = layout.radio(QStringLiteral("3 arms"), 110, 18, 60);

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

    // The group fits the picture's fixed pixel size.
    QGroupBox* circuitGroup =
        layout.group(QStringLiteral("Circuit configuration"), 254, 6, 176, 296);
    auto* frame = new PictureFrame(circuitPicture(), this);
    const QSize frameSize = kCircuitPictureSize + QSize(2, 2);
    const QRect groupRect = circuitGroup->geometry();
    frame->setGeometry(QRect(QPoint(groupRect.center().x() - frameSize.width() / 2,
                                    groupRect.top() + layout.units().y(14)),
                             frameSize));
    circuitGroup->setGeometry(groupRect.adjusted(
        0, 0, 0, frame->geometry().bottom() + layout.units().y(8) - groupRect.bottom()));
    frame->setObjectName(QStringLiteral("circuitPicture"));

    dcLock_->setObjectName(QStringLiteral("dcLockBox"));
    twoArms_->setObjectName(QStringLiteral("twoArmsButton"));
    threeArms_->setObjectName(QStringLiteral("threeArmsButton"));
    calculate_->setObjectName(QStringLiteral("calculateButton"));

    // The two options form one exclusive group, as on a page with one set of options.
    auto* arms = new QButtonGroup(this);
    arms->addButton(twoArms_);
    arms->addButton(threeArms_);
    twoArms_->setChecked(true);
    lastSteady_.condition.modulation = kModulationTwoArms;
    connect(twoArms_, &QRadioButton::clicked, this, [this] { modulation_ = kModulationTwoArms; });
    connect(threeArms_, &QRadioButton::clicked, this,
            [this] { modulation_ = kModulationThreeArms; });

    calculate_->setEnabled(false);
    connect(calculate_, &QPushButton::clicked, this, &ConditionPage::calculateSteady);
}

void ConditionPage::link(HeatsinkPage& heatsinkPage, DeviceSelectionPage& devicePage) {
    heatsinkPage_ = &heatsinkPage;
    devicePage_ = &devicePage;
}

void ConditionPage::setDefaultTexts(const ConditionTexts& texts) {
    const std::array<const std::string*, FieldCount> values = {&texts.outputFrequency,
                                                               &texts.outputCurrent,
                                                               &texts.carrierFrequency,
                                                               &texts.powerFactor,
                                                               &texts.modulationRate,
                                                               &texts.dcVoltage,
                                                               &texts.rgOn,
                                                               &texts.rgOff};
    for (int i = 0; i < FieldCount; ++i) {
        fields_[i]->setText(QString::fromStdString(*values[i]));
    }
}

void ConditionPage::setCalculateEnabled(bool enabled) {
    calculate_->setEnabled(enabled);
}

ConditionTexts ConditionPage::fieldTexts() const {
    const auto text = [this](Field which) { return fields_[which]->text().toStdString(); };
    return {text(OutputFrequency),
            text(OutputCurrent),
            text(CarrierFrequency),
            text(PowerFactor),
            text(ModulationRate),
            text(DcVoltage),
            text(RgOn),
            text(RgOff)};
}

void ConditionPage::showInputError(const std::string& message) {
    prompt_.inform(this, QString::fromStdString(message),
                   QString::fromStdString(std::string(kInputErrorCaption)), PromptIcon::Warning);
}

void ConditionPage::calculateSteady() {
    if (heatsinkPage_ == nullptr || devicePage_ == nullptr) {
        return;
    }
    // Ta first: the heat-sink model is meaningless outside its range.
    const std::string ambientText = heatsinkPage_->ambientText();
    if (std::string message = checkAmbientText(ambientText); !message.empty()) {
        showInputError(message);
        return;
    }

    const DeviceIndexEntry* selected = devicePage_->applySelectedDevice();
    if (selected == nullptr) {
        return;
    }
    const DeviceIndexEntry& device = *selected;

    if (twoArms_->isChecked()) {
        modulation_ = kModulationTwoArms;
    } else if (threeArms_->isChecked()) {
        modulation_ = kModulationThreeArms;
    } else {
        modulation_ = 0;
        return;
    }

    OperatingCondition condition;
    condition.series = device.series;
    condition.typeNumber = device.typeNumber;
    condition.modulation = modulation_;
    if (std::string message = checkConditionTexts(fieldTexts(), *device.limits, condition);
        !message.empty()) {
        showInputError(message);
        return;
    }
    condition.dcLock = dcLock_->isChecked();

    const HeatsinkModel heatsink = heatsinkPage_->buildHeatsinkModel();
    condition.heatsink.rth = heatsinkPage_->heatsinkRth();
    condition.heatsink.tth = heatsinkPage_->heatsinkTth();
    // A network the engine can't compute with (an edit left a value infinite).
    if (std::string message = checkHeatsinkModel(heatsink); !message.empty()) {
        showInputError(message);
        return;
    }

    SteadyResult result;
    if (!calculateOperatingPoint(condition, *device.limits, *device.params, heatsink, result)) {
        return;
    }
    lastSteady_.condition = condition;
    lastSteady_.result = std::move(result);

    {
        SteadyResultDialog dialog(library_, lastSteady_.condition, lastSteady_.result,
                                  ambientFigureText(ambientText), prompt_, this);
        dialog.setReportWriteOptions(reportOptions_);
        dialog.exec();
    }
    // The waveform is only needed while its window is open.
    lastSteady_.result.waveform.clear();
    lastSteady_.result.waveform.shrink_to_fit();
}

}  // namespace thermalyx
