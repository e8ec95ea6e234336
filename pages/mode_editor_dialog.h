// "Condition input": the editor of one load-cycle mode, checked against the
// limits of the device it was opened for.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "pages/input_rules.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace thermalyx {

class DeviceLibrary;
class Prompt;

class ModeEditorDialog : public QDialog {
    Q_OBJECT

public:
    // series and typeNumber name the device whose limits the OK check uses;
    // they are held whole, whatever their length.
    ModeEditorDialog(const DeviceLibrary& library, Prompt& prompt, std::string series,
                     std::string typeNumber, QWidget* parent = nullptr);

    // Shows a mode's texts and DC LOCK state in the controls.
    void setTexts(const ModeRowTexts& texts);
    // The texts as last taken from the controls by OK (what was accepted).
    const ModeRowTexts& texts() const { return texts_; }

    const std::string& series() const { return series_; }
    const std::string& typeNumber() const { return typeNumber_; }

    QLineEdit* field(ModeColumn column) const;
    QCheckBox* dcLockBox() const { return dcLock_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

public slots:
    // OK: closes only when every text passes the rules for the device.
    void accept() override;

private:
    ModeRowTexts controlTexts() const;

    const DeviceLibrary& library_;
    Prompt& prompt_;
    std::string series_;
    std::string typeNumber_;
    ModeRowTexts texts_;

    std::array<QLineEdit*, kModeTextColumns> fields_{};
    QCheckBox* dcLock_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace thermalyx
