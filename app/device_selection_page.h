// The "Select IGBT" tab: loads the device library, lets the user pick a device
// by series and type number (or through the recommended-device search), shows
// its data and outline, and hands its defaults and the enabled commands to the
// other pages.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <string>

class QLineEdit;
class QPushButton;

namespace thermalyx {

class ByteTextComboBox;
class ConditionPage;
class DeviceLibrary;
struct DeviceIndexEntry;
class HeatsinkPage;
class LoadCyclePage;
class OutlineView;
class Prompt;

class DeviceSelectionPage : public QWidget {
    Q_OBJECT

public:
    // The ten information fields, top to bottom.
    enum Info {
        TypeNumber,
        Series,
        CircuitComposition,
        Vces,
        Ic,
        VceSat,
        Pc,
        StandardRg,
        Package,
        Update,
        InfoCount
    };

    DeviceSelectionPage(DeviceLibrary& library, QWidget* parent = nullptr);

    void link(LoadCyclePage& loadCyclePage, HeatsinkPage& heatsinkPage,
              ConditionPage& conditionPage);

    // Loads the library and fills the series list (once, when the main window
    // creates the page).
    void initialise();

    // The library bytes of the two lists' selections (empty when none).
    std::string currentSeries() const;
    std::string currentTypeNumber() const;
    // A device has been applied since the series last changed.
    bool deviceSelected() const { return deviceSelected_; }
    // The series and type number of the last device applied or calculated.
    const std::string& selectedSeries() const { return selectedSeries_; }
    const std::string& selectedType() const { return selectedType_; }
    // Rewrites the "Series" and "Type number" fields (the condition page does
    // when it calculates).
    void showSelectedDevice(const std::string& series, const std::string& typeNumber);

    // The device the two lists select (the first one the library finds), shown
    // in the "Series" and "Type number" value texts; nullptr when none is found.
    const DeviceIndexEntry* applySelectedDevice();

    ByteTextComboBox* seriesList() const { return seriesList_; }
    ByteTextComboBox* typeList() const { return typeList_; }
    QLineEdit* infoField(Info which) const { return info_.at(which); }
    QPushButton* recommendedButton() const { return recommendedButton_; }
    // The outline picture on view; null when there is none.
    const QImage& outlinePicture() const;

public slots:
    void onSeriesChanged();
    void onTypeChanged();
    void openRecommendedDevice();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void loadOutlinePicture(const std::string& path);

    DeviceLibrary& library_;
    LoadCyclePage* loadCyclePage_ = nullptr;
    HeatsinkPage* heatsinkPage_ = nullptr;
    ConditionPage* conditionPage_ = nullptr;

    ByteTextComboBox* seriesList_ = nullptr;
    ByteTextComboBox* typeList_ = nullptr;
    QPushButton* recommendedButton_ = nullptr;
    OutlineView* outlineView_ = nullptr;
    std::array<QLineEdit*, InfoCount> info_{};

    bool deviceSelected_ = false;
    std::string selectedSeries_;
    std::string selectedType_;
};

}  // namespace thermalyx
