// The "Select IGBT" tab: loads the device library, lets the user pick a device
// by series and type number (or through the recommended-device search, which
// it asks for), shows its data and outline, and announces what was applied.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <string>

#include "pages/input_rules.h"

class QLineEdit;
class QPushButton;

namespace thermalyx {

class ByteTextComboBox;
class DeviceLibrary;
class PictureView;

// The picture area of the outline view, inside its 1-pixel frame, pixels.
inline constexpr QSize kOutlinePictureSize{266, 212};

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
    // Rewrites the "Series" and "Type number" fields (a calculation does with
    // the device it found).
    void showSelectedDevice(const std::string& series, const std::string& typeNumber);

    ByteTextComboBox* seriesList() const { return seriesList_; }
    ByteTextComboBox* typeList() const { return typeList_; }
    QLineEdit* infoField(Info which) const { return info_.at(which); }
    QPushButton* recommendedButton() const { return recommendedButton_; }
    // The outline picture on view; null when there is none.
    const QImage& outlinePicture() const;

signals:
    // The series changed: the fields still show the old device, but nothing
    // may run on it.
    void deviceCleared();
    // A device was applied; defaults are its operating inputs.
    void deviceApplied(const thermalyx::ConditionTexts& defaults);
    // Either list's selection changed (what a new mode is entered for).
    void listSelectionChanged();
    // "Recommended device" was pressed.
    void recommendedDeviceRequested();

public slots:
    void onSeriesChanged();
    void onTypeChanged();
    // Selects a device found elsewhere in both lists, as if the user had
    // chosen it; nothing happens past a list that lacks it.
    void choosePick(const std::string& series, const std::string& typeNumber);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void loadOutlinePicture(const std::string& path);

    DeviceLibrary& library_;

    ByteTextComboBox* seriesList_ = nullptr;
    ByteTextComboBox* typeList_ = nullptr;
    QPushButton* recommendedButton_ = nullptr;
    PictureView* outlineView_ = nullptr;
    std::array<QLineEdit*, InfoCount> info_{};

    bool deviceSelected_ = false;
    std::string selectedSeries_;
    std::string selectedType_;
};

}  // namespace thermalyx
