// The version box.
#pragma once

#include <QDialog>

namespace thermalyx {

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace thermalyx
