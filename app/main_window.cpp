#include "app/main_window.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

#include "app/about_dialog.h"
#include "app/analysis_dialogs/capability_dialog.h"
#include "app/analysis_dialogs/compare_devices_dialog.h"
#include "app/artwork.h"
#include "app/lifetime_dialog.h"
#include "app/recommended_device_dialog.h"
#include "app/sweep_dialog.h"
#include "library/device_library.h"
#include "library/version.h"
#include "pages/calculation_request.h"
#include "pages/condition_page.h"
#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "pages/load_cycle_page.h"
#include "pages/shared_inputs.h"
#include "widgets/dialog_layout.h"

namespace thermalyx {

MainWindow::MainWindow(DeviceLibrary& library, Prompt& prompt, QWidget* parent)
    : QDialog(parent), library_(library), prompt_(prompt) {
    setWindowTitle(QStringLiteral("IGBT/FWD power loss simulation"));
    setWindowIcon(programIcon());
    setFont(dialogFont());

    // No system menu to extend here: the version box lives in a Help menu.
    menuBar_ = new QMenuBar(this);
    analysisMenu_ = menuBar_->addMenu(QStringLiteral("&Analysis"));
    compareDevicesAction_ = analysisMenu_->addAction(QStringLiteral("&Compare devices..."));
    currentCapabilityAction_ = analysisMenu_->addAction(QStringLiteral("Current c&apability..."));
    connect(compareDevicesAction_, &QAction::triggered, this, &MainWindow::openCompareDevices);
    connect(currentCapabilityAction_, &QAction::triggered, this,
            &MainWindow::openCurrentCapability);
    sweepAction_ = analysisMenu_->addAction(QStringLiteral("&Sweep..."));
    connect(sweepAction_, &QAction::triggered, this, &MainWindow::openSweep);
    QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
    aboutAction_ = help->addAction(QStringLiteral("Thermalyx Version Info.(&A)..."));
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);
    const int menuHeight = menuBar_->sizeHint().height();

    // Everything else keeps the window's layout below the menu.
    auto* body = new QWidget(this);
    const DialogLayout layout(*body);
    const DialogUnits& units = layout.units();
    body->setGeometry(QRect(QPoint(0, menuHeight), units.size(454, 358)));
    menuBar_->setGeometry(0, 0, body->width(), menuHeight);

    tabs_ = new QTabWidget(body);
    tabs_->setGeometry(layout.rect(4, 5, 445, 330));
    tabs_->setObjectName(QStringLiteral("tabs"));
    layout.label(QStringLiteral("Ver ") + QLatin1String(kVersion), 10, 342, 60);
    layout.label(kMakerName, 315, 342, 120);

    // Created in this order: the device selection page loads the library first.
    devicePage_ = new DeviceSelectionPage(library);
    devicePage_->initialise();
    heatsinkPage_ = new HeatsinkPage(prompt);
    conditionPage_ = new ConditionPage(library, prompt);
    loadCyclePage_ = new LoadCyclePage(library, prompt);

    connect(devicePage_, &DeviceSelectionPage::recommendedDeviceRequested, this,
            &MainWindow::openRecommendedDevice);
    connect(devicePage_, &DeviceSelectionPage::listSelectionChanged, this, [this] {
        loadCyclePage_->setListedDevice(devicePage_->currentSeries(),
                                        devicePage_->currentTypeNumber());
    });
    connect(devicePage_, &DeviceSelectionPage::deviceCleared, this, [this] {
        shareDeviceState();
        disableCalculate();
        loadCyclePage_->setAddEnabled(false);
        loadCyclePage_->setChangeEnabled(false);
    });
    connect(devicePage_, &DeviceSelectionPage::deviceApplied, this,
            [this](const ConditionTexts& defaults) {
                conditionPage_->setDefaultTexts(defaults);
                loadCyclePage_->setAddEnabled(true);
                loadCyclePage_->setChangeEnabled(true);
                shareDeviceState();
            });
    connect(heatsinkPage_, &HeatsinkPage::networkChanged, this, [this] {
        shareDeviceState();
        // An edit that left the network incomplete stops both calculations
        // until the next estimate, complete edit or applied device.
        if (!heatsinkPage_->networkComplete()) {
            disableCalculate();
        }
    });
    connect(conditionPage_, &ConditionPage::calculateRequested, this,
            [this] { conditionPage_->calculateSteady(sharedInputs()); });
    connect(loadCyclePage_, &LoadCyclePage::calculateRequested, this,
            [this] { loadCyclePage_->calculateLoadCycle(sharedInputs()); });
    connect(conditionPage_, &ConditionPage::deviceUsed, devicePage_,
            &DeviceSelectionPage::showSelectedDevice);
    connect(loadCyclePage_, &LoadCyclePage::lifetimeRequested, this, &MainWindow::openLifetime);
    connect(loadCyclePage_, &LoadCyclePage::deviceUsed, devicePage_,
            &DeviceSelectionPage::showSelectedDevice);
    loadCyclePage_->setListedDevice(devicePage_->currentSeries(), devicePage_->currentTypeNumber());

    // The tab widget takes ownership; hidden pages keep everything they hold.
    tabs_->addTab(devicePage_, QStringLiteral("Select IGBT"));
    tabs_->addTab(heatsinkPage_, QStringLiteral("Select Heatsink"));
    tabs_->addTab(conditionPage_, QStringLiteral("Condition Input"));
    tabs_->addTab(loadCyclePage_, QStringLiteral("Load Cycle"));
    tabs_->setCurrentIndex(0);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { tabs_->tabBar()->setFocus(); });

    disableAutoDefault(*this);
    setFixedSize(body->width(), menuHeight + body->height());
}

SharedInputs MainWindow::sharedInputs() const {
    return {heatsinkPage_->ambientText(), devicePage_->currentSeries(),
            devicePage_->currentTypeNumber(), heatsinkPage_->pageHeatsink()};
}

void MainWindow::shareDeviceState() {
    const bool applied = devicePage_->deviceSelected();
    const bool ready = heatsinkPage_->modelReady();
    loadCyclePage_->setDeviceApplied(applied);
    loadCyclePage_->setModelReady(ready);
    conditionPage_->setCalculateEnabled(steadyCalculateEnabled(applied, ready));
    loadCyclePage_->setCalculateEnabled(loadCycleCalculateEnabled(
        applied, ready, static_cast<std::size_t>(loadCyclePage_->rowCount())));
}

void MainWindow::disableCalculate() {
    conditionPage_->setCalculateEnabled(false);
    loadCyclePage_->setCalculateEnabled(false);
}

void MainWindow::openRecommendedDevice() {
    RecommendedDeviceDialog dialog(library_, devicePage_);
    if (dialog.exec() == QDialog::Accepted && dialog.recommendedPick() != nullptr) {
        const DeviceIndexEntry& pick = *dialog.recommendedPick();
        devicePage_->choosePick(pick.series, pick.typeNumber);
    }
}

SteadyRequest MainWindow::analysisPoint() const {
    return conditionPage_->steadyRequest(sharedInputs());
}

void MainWindow::openCompareDevices() {
    CompareDevicesDialog dialog(library_, analysisPoint(), prompt_, this);
    connect(&dialog, &CompareDevicesDialog::deviceChosen, this,
            [this](const std::string& series, const std::string& typeNumber) {
                devicePage_->choosePick(series, typeNumber);
            });
    dialog.exec();
}

void MainWindow::openCurrentCapability() {
    CapabilityDialog dialog(library_, analysisPoint(), prompt_, this);
    dialog.exec();
}

void MainWindow::openSweep() {
    SweepDialog dialog(library_, prompt_, analysisPoint(), this);
    dialog.exec();
}

void MainWindow::openLifetime(QWidget* window) {
    LifetimeDialog dialog(library_, loadCyclePage_->lastLoadCycleCalculation().request, prompt_,
                          window);
    dialog.setReportWriteOptions(loadCyclePage_->reportWriteOptions());
    dialog.exec();
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Enter closes nothing and presses nothing; Escape still closes.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace thermalyx
