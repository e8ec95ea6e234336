// The main window: four tabbed pages over one device library. Closing it
// ends the program; Enter does nothing here.
#pragma once

#include <QDialog>

class QAction;
class QMenu;
class QMenuBar;
class QTabWidget;

namespace thermalyx {

class ConditionPage;
class DeviceLibrary;
class DeviceSelectionPage;
class HeatsinkPage;
class LoadCyclePage;
class Prompt;
struct SharedInputs;
struct SteadyRequest;

class MainWindow : public QDialog {
    Q_OBJECT

public:
    // Creates the pages; the device selection page loads the library.
    MainWindow(DeviceLibrary& library, Prompt& prompt, QWidget* parent = nullptr);

    DeviceSelectionPage& deviceSelectionPage() const { return *devicePage_; }
    HeatsinkPage& heatsinkPage() const { return *heatsinkPage_; }
    ConditionPage& conditionPage() const { return *conditionPage_; }
    LoadCyclePage& loadCyclePage() const { return *loadCyclePage_; }
    Prompt& prompt() const { return prompt_; }
    QTabWidget* tabs() const { return tabs_; }
    // "Thermalyx Version Info.(&A)..." in the Help menu.
    QAction* aboutAction() const { return aboutAction_; }
    // The "Analysis" menu beside Help: the analyses over many calculations.
    QMenu* analysisMenu() const { return analysisMenu_; }
    QAction* compareDevicesAction() const { return compareDevicesAction_; }
    QAction* currentCapabilityAction() const { return currentCapabilityAction_; }
    QAction* sweepAction() const { return sweepAction_; }
    // The operating point the pages hold, for the analyses: the device listed,
    // Ta, the heat-sink page's network, the condition page's texts and choices.
    SteadyRequest analysisPoint() const;

public slots:
    void showAbout();
    // "Recommended device": the search, and its pick applied on the device page.
    void openRecommendedDevice();
    // The analyses of the "Analysis" menu, from what the pages hold.
    void openCompareDevices();
    void openCurrentCapability();
    // "Sweep...": the sweep window over what the pages hold.
    void openSweep();
    // The lifetime of the load cycle whose result window is window.
    void openLifetime(QWidget* window);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What the heat-sink and device pages hold for a calculation.
    SharedInputs sharedInputs() const;
    // Lets the pages know what their commands depend on, and enables the
    // calculate commands that may run.
    void shareDeviceState();
    void disableCalculate();

    DeviceLibrary& library_;
    Prompt& prompt_;
    LoadCyclePage* loadCyclePage_ = nullptr;
    ConditionPage* conditionPage_ = nullptr;
    HeatsinkPage* heatsinkPage_ = nullptr;
    DeviceSelectionPage* devicePage_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QMenu* analysisMenu_ = nullptr;
    QAction* compareDevicesAction_ = nullptr;
    QAction* currentCapabilityAction_ = nullptr;
    QAction* sweepAction_ = nullptr;
};

}  // namespace thermalyx
