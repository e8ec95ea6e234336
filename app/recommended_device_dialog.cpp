#include "app/recommended_device_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <vector>

#include "library/device_library.h"
#include "widgets/byte_text_combo_box.h"
#include "widgets/dialog_layout.h"

namespace thermalyx {

namespace {

const QString kSelectConditionMessage = QStringLiteral("Please select condition. ");
const QString kFoundMessage =
    QStringLiteral("The applicable part was found.Please choose an IGBT part.");
const QString kNotFoundMessage = QStringLiteral("Not found IGBT part.");

// The lists of the library end at their first empty entry.
void fillList(ByteTextComboBox& list, const std::vector<std::string>& values) {
    list.clearEntries();
    for (const std::string& value : values) {
        if (value.empty()) {
            break;
        }
        list.addEntry(value);
    }
}

// A condition's list at y with its label to the left; dialog units.
ByteTextComboBox* labelledList(const DialogLayout& layout, const QString& label, int y,
                               int labelWidth, int listWidth) {
    layout.label(label, 22, y + 2, labelWidth);
    return layout.byteTextList(91, y, listWidth);
}

}  // namespace

RecommendedDeviceDialog::RecommendedDeviceDialog(const DeviceLibrary& library, QWidget* parent)
    : QDialog(parent), library_(library) {
    setWindowTitle(QStringLiteral("Recommended device"));
    const DialogLayout layout(*this);
    setFixedSize(layout.units().size(215, 164));

    layout.group(QString(), 15, 12, 140, 42);
    conditionOne_ = layout.radio(QStringLiteral("Search condition #1"), 7, 3, 101, 11);
    acVoltage_ = labelledList(layout, QStringLiteral("AC Voltage:"), 21, 66, 61);
    outputCapacity_ = labelledList(layout, QStringLiteral("Output capacity:"), 37, 66, 61);

    layout.group(QString(), 15, 66, 141, 44);
    conditionTwo_ = layout.radio(QStringLiteral("Search condition #2"), 7, 56, 101, 11);
    series_ = labelledList(layout, QStringLiteral("Series:"), 77, 66, 63);
    circuit_ = labelledList(layout, QStringLiteral("Circuit composition:"), 91, 68, 62);

    searchButton_ = layout.button(QStringLiteral("SEARCH"), 159, 80, 48, 30);
    status_ = layout.label(QString(), 13, 115, 194, 9);
    layout.label(QStringLiteral("IGBT :"), 20, 131, 24);
    result_ = layout.byteTextList(45, 129, 114);

    acceptButton(*this, layout, QStringLiteral("OK"), 91, 147, 50);
    rejectButton(*this, layout, QStringLiteral("CANCEL"), 157, 147, 50);

    setObjectNames({{acVoltage_, "acVoltageList"},
                    {outputCapacity_, "outputCapacityList"},
                    {series_, "seriesList"},
                    {circuit_, "circuitList"},
                    {result_, "resultList"},
                    {searchButton_, "searchButton"},
                    {status_, "statusText"}});

    fillVoltageAndCapacity();
    fillSeriesAndCircuit();
    conditionOne_->setChecked(true);
    searchMode_ = 1;

    connect(conditionOne_, &QRadioButton::clicked, this,
            &RecommendedDeviceDialog::chooseConditionOne);
    connect(conditionTwo_, &QRadioButton::clicked, this,
            &RecommendedDeviceDialog::chooseConditionTwo);
    for (ByteTextComboBox* list : {acVoltage_, outputCapacity_, series_, circuit_}) {
        connect(list, &QComboBox::activated, this,
                &RecommendedDeviceDialog::onConditionListChanged);
    }
    connect(searchButton_, &QPushButton::clicked, this, &RecommendedDeviceDialog::search);
    pressFocusedButtonOnEnter(*this);
}

QString RecommendedDeviceDialog::statusText() const {
    return status_->text();
}

void RecommendedDeviceDialog::setStatus(const QString& text) {
    status_->setText(text);
}

void RecommendedDeviceDialog::fillVoltageAndCapacity() {
    fillList(*acVoltage_, library_.acVoltageList);
    fillList(*outputCapacity_, library_.outputCurrentList);
}

void RecommendedDeviceDialog::fillSeriesAndCircuit() {
    fillList(*circuit_, library_.circuitCompositionList);
    fillList(*series_, library_.seriesList);
}

// Choosing a condition starts the other one's lists over.
void RecommendedDeviceDialog::chooseConditionOne() {
    searchMode_ = 1;
    fillSeriesAndCircuit();
    onConditionListChanged();
}

void RecommendedDeviceDialog::chooseConditionTwo() {
    searchMode_ = 2;
    fillVoltageAndCapacity();
    onConditionListChanged();
}

void RecommendedDeviceDialog::onConditionListChanged() {
    // The results belong to the selections they were found for.
    result_->clearEntries();
    setStatus(QString());
}

void RecommendedDeviceDialog::search() {
    result_->clearEntries();
    setStatus(QString());

    std::string first;
    std::string second;
    DeviceQueryKind kind{};
    if (searchMode_ == 1) {
        first = acVoltage_->selectedBytes();
        second = outputCapacity_->selectedBytes();
        kind = DeviceQueryKind::ByVoltageAndCurrent;
    } else if (searchMode_ == 2) {
        first = series_->selectedBytes();
        second = circuit_->selectedBytes();
        kind = DeviceQueryKind::BySeriesAndCircuit;
    } else {
        return;
    }

    if (first.empty() || second.empty()) {
        setStatus(kSelectConditionMessage);
        return;
    }
    std::vector<const DeviceIndexEntry*> devices;
    if (library_.findDevices(devices, kind, first, second)) {
        for (const DeviceIndexEntry* device : devices) {
            result_->addEntry(device->typeNumber);
        }
        setStatus(kFoundMessage);
    } else {
        setStatus(kNotFoundMessage);
    }
}

void RecommendedDeviceDialog::accept() {
    const std::string typeNumber = result_->selectedBytes();
    if (!typeNumber.empty()) {
        std::vector<const DeviceIndexEntry*> devices;
        recommendedPick_ = library_.findDevices(devices, DeviceQueryKind::ByTypeNumber, typeNumber)
                               ? devices.front()
                               : nullptr;
    }
    QDialog::accept();
}

}  // namespace thermalyx
