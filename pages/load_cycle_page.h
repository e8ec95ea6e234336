// The "Load Cycle" tab: the commands the other pages enable and the row count
// they read. The mode table, its editor and the load-cycle calculation come
// later; until then the table is always empty.
#pragma once

#include <QWidget>

class QPushButton;

namespace thermalyx {

class DeviceSelectionPage;
class HeatsinkPage;

class LoadCyclePage : public QWidget {
    Q_OBJECT

public:
    explicit LoadCyclePage(QWidget* parent = nullptr);

    void link(HeatsinkPage& heatsinkPage, DeviceSelectionPage& devicePage);

    // Rows of the mode table.
    int rowCount() const;

    void setCalculateEnabled(bool enabled);
    void setAddEnabled(bool enabled);
    void setChangeEnabled(bool enabled);

    QPushButton* calculateButton() const { return calculateButton_; }
    QPushButton* addButton() const { return addButton_; }
    QPushButton* changeButton() const { return changeButton_; }
    QPushButton* deleteButton() const { return deleteButton_; }

private:
    HeatsinkPage* heatsinkPage_ = nullptr;
    DeviceSelectionPage* devicePage_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* changeButton_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
};

}  // namespace thermalyx
