#include "app/main_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

#include "app/about_dialog.h"
#include "app/artwork.h"
#include "app/device_selection_page.h"
#include "app/dialog_layout.h"
#include "pages/condition_page.h"
#include "pages/heatsink_page.h"
#include "pages/load_cycle_page.h"

namespace thermalyx {

MainWindow::MainWindow(DeviceLibrary& library, Prompt& prompt, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("IGBT/FWD power loss simulation"));
    setWindowIcon(programIcon());
    setFont(dialogFont());

    // No system menu to extend here: the version box lives in a Help menu.
    menuBar_ = new QMenuBar(this);
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
    layout.label(QStringLiteral("Ver 4.1"), 10, 342, 60);
    layout.label(kMakerName, 315, 342, 120);

    // Created in this order: the device selection page loads the library first.
    devicePage_ = new DeviceSelectionPage(library);
    devicePage_->initialise();
    heatsinkPage_ = new HeatsinkPage(prompt);
    conditionPage_ = new ConditionPage(library, prompt);
    loadCyclePage_ = new LoadCyclePage(library, prompt);

    devicePage_->link(*loadCyclePage_, *heatsinkPage_, *conditionPage_);
    heatsinkPage_->link(*loadCyclePage_, *conditionPage_, *devicePage_);
    conditionPage_->link(*heatsinkPage_, *devicePage_);
    loadCyclePage_->link(*heatsinkPage_, *devicePage_);

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
