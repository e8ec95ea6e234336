#include "pages/mode_editor_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "library/device_library.h"
#include "widgets/dialog_layout.h"
#include "widgets/prompt.h"

namespace thermalyx {

namespace {

struct EditorRow {
    ModeColumn column;
    const char* label;
    const char* unit;
    const char* objectName;
};

constexpr const char* kGateUnit = "(ohm. In case of  IPM,\nset RG \"1\" ohm.)";

// Top to bottom, as the editor shows them.
constexpr std::array<EditorRow, kModeTextColumns> kRows = {{
    {ModeColumn::Duration, "Duration", "(s)", "durationEdit"},
    {ModeColumn::FrequencyStart, "Output frequency (start)", "(Hz)", "frequencyStartEdit"},
    {ModeColumn::FrequencyEnd, "Output frequency (end)", "(Hz)", "frequencyEndEdit"},
    {ModeColumn::OutputCurrent, "Output current", "(Arms value to be >0)", "outputCurrentEdit"},
    {ModeColumn::CarrierFrequency, "Carrier frequency", "(kHz >0)", "carrierFrequencyEdit"},
    {ModeColumn::PowerFactor, "Power factor", "-1.0 to 1.0", "powerFactorEdit"},
    {ModeColumn::ModulationRate, "Modulation rate", "(>0, normally \"1.0\")", "modulationRateEdit"},
    {ModeColumn::DcVoltage, "DC link voltage", "(V)", "dcVoltageEdit"},
    {ModeColumn::RgOn, "Gate resistance (on)", kGateUnit, "rgOnEdit"},
    {ModeColumn::RgOff, "Gate resistance (off)", kGateUnit, "rgOffEdit"},
}};

// Layout grid, dialog units.
constexpr int kFirstRowY = 10;
constexpr int kRowPitch = 20;
constexpr int kLabelX = 10;
constexpr int kEditX = 98;
constexpr int kEditWidth = 52;
constexpr int kUnitX = 154;

std::size_t columnIndex(ModeColumn column) {
    return static_cast<std::size_t>(column) - 1;
}

}  // namespace

ModeEditorDialog::ModeEditorDialog(const DeviceLibrary& library, Prompt& prompt, std::string series,
                                   std::string typeNumber, QWidget* parent)
    : QDialog(parent),
      library_(library),
      prompt_(prompt),
      series_(std::move(series)),
      typeNumber_(std::move(typeNumber)) {
    setWindowTitle(QStringLiteral("Condition input"));
    const DialogLayout layout(*this);

    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const EditorRow& row = kRows[i];
        const int y = kFirstRowY + static_cast<int>(i) * kRowPitch;
        layout.label(QString::fromLatin1(row.label), kLabelX, y + 2, kEditX - kLabelX - 2);
        QLineEdit* edit = layout.edit(kEditX, y, kEditWidth);
        edit->setObjectName(QString::fromLatin1(row.objectName));
        fields_[columnIndex(row.column)] = edit;
        QLabel* unit = layout.label(QString::fromLatin1(row.unit), kUnitX, y + 2, 80, 17);
        unit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    const int checkY = kFirstRowY + kModeTextColumns * kRowPitch;
    dcLock_ = layout.check(QStringLiteral("DC LOCK"), kLabelX, checkY, 80);
    dcLock_->setObjectName(QStringLiteral("dcLockBox"));

    const int buttonY = checkY + 22;
    // Enter in a field is OK, as in any dialog.
    ok_ = acceptButton(*this, layout, QStringLiteral("OK"), 58, buttonY, 50);
    cancel_ = rejectButton(*this, layout, QStringLiteral("CANCEL"), 128, buttonY, 50);
    pressFocusedButtonOnEnter(*this);

    const DialogUnits& units = layout.units();
    setFixedSize(units.size(236, buttonY + 24));
}

void ModeEditorDialog::setTexts(const ModeRowTexts& texts) {
    texts_ = texts;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(QString::fromStdString(texts.columns[i]));
    }
    dcLock_->setChecked(texts.dcLock);
}

QLineEdit* ModeEditorDialog::field(ModeColumn column) const {
    return fields_.at(columnIndex(column));
}

ModeRowTexts ModeEditorDialog::controlTexts() const {
    ModeRowTexts texts;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        texts.columns[i] = fields_[i]->text().toStdString();
    }
    texts.dcLock = dcLock_->isChecked();
    return texts;
}

void ModeEditorDialog::accept() {
    texts_ = controlTexts();
    std::vector<const DeviceIndexEntry*> found;
    std::string message;
    if (!library_.findDevices(found, DeviceQueryKind::BySeriesAndType, series_, typeNumber_)) {
        // No device, no limits: a row that was never checked must not enter the table.
        message = std::string(kLimitExceededMessage);
    } else {
        message = checkModeEditorTexts(texts_, *found.front()->limits);
    }
    if (!message.empty()) {
        prompt_.inform(this, QString::fromStdString(message),
                       QString::fromStdString(std::string(kInputErrorCaption)),
                       PromptIcon::Warning);
        return;
    }
    QDialog::accept();
}

}  // namespace thermalyx
