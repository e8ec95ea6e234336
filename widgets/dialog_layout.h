// Controls placed at fixed positions in dialog units, as every window lays out.
//
// All controls are children of the window itself (group boxes included), so
// their positions are the window's; group boxes are created first and stay
// below the controls they frame.
#pragma once

#include <QImage>
#include <QString>
#include <initializer_list>
#include <utility>

#include "widgets/dialog_units.h"

class QCheckBox;
class QObject;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace thermalyx {

class ByteTextComboBox;
class PictureView;

class DialogLayout {
public:
    // Lays out on window with the dialog font, which it also gives the window.
    explicit DialogLayout(QWidget& window);

    const DialogUnits& units() const { return units_; }
    QRect rect(int x, int y, int width, int height) const {
        return units_.rect(x, y, width, height);
    }

    QGroupBox* group(const QString& title, int x, int y, int width, int height) const;
    QLabel* label(const QString& text, int x, int y, int width, int height = 8) const;
    // An edit field; read-only fields keep the platform's grey look.
    QLineEdit* edit(int x, int y, int width, int height = 12, bool readOnly = false) const;
    // A drop-down list of byte texts.
    ByteTextComboBox* byteTextList(int x, int y, int width, int height = 12) const;
    // A push button that Enter never presses unless it is the window's default.
    QPushButton* button(const QString& text, int x, int y, int width, int height) const;
    QRadioButton* radio(const QString& text, int x, int y, int width, int height = 10) const;
    // Two options on one line forming an exclusive pair of their own, the first on.
    std::pair<QRadioButton*, QRadioButton*> optionPair(const QString& first, int firstX,
                                                       const QString& second, int secondX, int y,
                                                       int width) const;
    QCheckBox* check(const QString& text, int x, int y, int width, int height = 10) const;
    // A group showing a fixed-size picture unscaled, centred under its title;
    // the group reaches down as far as the picture needs.
    PictureView* pictureGroup(const QString& title, int x, int y, int width, int height,
                              QImage picture) const;

private:
    QWidget& window_;
    DialogUnits units_;
};

// The commands that end dialog, width x 14 dialog units at x, y, each named
// after its text ("okButton" for "OK"). The accepting one is the default.
QPushButton* acceptButton(QDialog& dialog, const DialogLayout& layout, const QString& text, int x,
                          int y, int width);
QPushButton* rejectButton(QDialog& dialog, const DialogLayout& layout, const QString& text, int x,
                          int y, int width);

// Gives each object its name, by which tests find it.
void setObjectNames(std::initializer_list<std::pair<QObject*, const char*>> names);

// Stops every push button of window from becoming the default when it has the
// focus, so Enter never presses a command by accident.
void disableAutoDefault(QWidget& window);

// In a dialog with a default button: Enter presses the push button that has
// the focus, and the default button anywhere else.
void pressFocusedButtonOnEnter(QDialog& dialog);

}  // namespace thermalyx
