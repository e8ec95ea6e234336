// The recommended-device search: finds devices by the application's AC voltage
// and output capacity (search condition #1) or by series and circuit
// composition (search condition #2), and hands the one chosen back.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace thermalyx {

class ByteTextComboBox;
class DeviceLibrary;
struct DeviceIndexEntry;

class RecommendedDeviceDialog : public QDialog {
    Q_OBJECT

public:
    RecommendedDeviceDialog(const DeviceLibrary& library, QWidget* parent = nullptr);

    // 1: AC voltage and output capacity; 2: series and circuit composition.
    int searchMode() const { return searchMode_; }
    // The device chosen when the dialog ended with OK; null for none.
    const DeviceIndexEntry* recommendedPick() const { return recommendedPick_; }

    ByteTextComboBox* acVoltageList() const { return acVoltage_; }
    ByteTextComboBox* outputCapacityList() const { return outputCapacity_; }
    ByteTextComboBox* seriesList() const { return series_; }
    ByteTextComboBox* circuitList() const { return circuit_; }
    ByteTextComboBox* resultList() const { return result_; }
    QRadioButton* conditionOneButton() const { return conditionOne_; }
    QRadioButton* conditionTwoButton() const { return conditionTwo_; }
    QPushButton* searchButton() const { return searchButton_; }
    QString statusText() const;

public slots:
    void chooseConditionOne();
    void chooseConditionTwo();
    void search();
    void accept() override;

private:
    void onConditionListChanged();
    // A condition's lists, filled anew from the library.
    void fillVoltageAndCapacity();
    void fillSeriesAndCircuit();
    void setStatus(const QString& text);

    const DeviceLibrary& library_;
    int searchMode_ = 0;
    const DeviceIndexEntry* recommendedPick_ = nullptr;

    QRadioButton* conditionOne_ = nullptr;
    QRadioButton* conditionTwo_ = nullptr;
    ByteTextComboBox* acVoltage_ = nullptr;
    ByteTextComboBox* outputCapacity_ = nullptr;
    ByteTextComboBox* series_ = nullptr;
    ByteTextComboBox* circuit_ = nullptr;
    ByteTextComboBox* result_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace thermalyx
