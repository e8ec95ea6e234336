#include "pages/load_cycle_page.h"

#include <QPushButton>

#include "app/dialog_layout.h"

namespace thermalyx {

LoadCyclePage::LoadCyclePage(QWidget* parent) : QWidget(parent) {
    const DialogLayout layout(*this);
    addButton_ = layout.button(QStringLiteral("ADD"), 14, 290, 50, 16);
    deleteButton_ = layout.button(QStringLiteral("DELETE"), 70, 290, 50, 16);
    changeButton_ = layout.button(QStringLiteral("CHANGE"), 126, 290, 50, 16);
    calculateButton_ = layout.button(QStringLiteral("calculate"), 376, 290, 50, 16);
    addButton_->setObjectName(QStringLiteral("addButton"));
    deleteButton_->setObjectName(QStringLiteral("deleteButton"));
    changeButton_->setObjectName(QStringLiteral("changeButton"));
    calculateButton_->setObjectName(QStringLiteral("calculateButton"));
    // A device and a row are needed first.
    addButton_->setEnabled(false);
    changeButton_->setEnabled(false);
    calculateButton_->setEnabled(false);
}

void LoadCyclePage::link(HeatsinkPage& heatsinkPage, DeviceSelectionPage& devicePage) {
    heatsinkPage_ = &heatsinkPage;
    devicePage_ = &devicePage;
}

int LoadCyclePage::rowCount() const { return 0; }

void LoadCyclePage::setCalculateEnabled(bool enabled) { calculateButton_->setEnabled(enabled); }

void LoadCyclePage::setAddEnabled(bool enabled) { addButton_->setEnabled(enabled); }

void LoadCyclePage::setChangeEnabled(bool enabled) { changeButton_->setEnabled(enabled); }

}  // namespace thermalyx
