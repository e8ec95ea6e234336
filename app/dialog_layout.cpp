#include "app/dialog_layout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace thermalyx {

namespace {

QFont prepared(QWidget& window) {
    window.setFont(dialogFont());
    return window.font();
}

}  // namespace

DialogLayout::DialogLayout(QWidget& window) : window_(window), units_(prepared(window)) {}

QGroupBox* DialogLayout::group(const QString& title, int x, int y, int width, int height) const {
    auto* box = new QGroupBox(title, &window_);
    box->setGeometry(rect(x, y, width, height));
    box->lower();
    return box;
}

QLabel* DialogLayout::label(const QString& text, int x, int y, int width, int height) const {
    auto* label = new QLabel(text, &window_);
    label->setGeometry(rect(x, y, width, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* DialogLayout::edit(int x, int y, int width, int height, bool readOnly) const {
    auto* edit = new QLineEdit(&window_);
    edit->setGeometry(rect(x, y, width, height));
    edit->setReadOnly(readOnly);
    if (readOnly) {
        edit->setFocusPolicy(Qt::TabFocus);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    return edit;
}

QPushButton* DialogLayout::button(const QString& text, int x, int y, int width, int height) const {
    auto* button = new QPushButton(text, &window_);
    button->setGeometry(rect(x, y, width, height));
    button->setAutoDefault(false);
    return button;
}

QRadioButton* DialogLayout::radio(const QString& text, int x, int y, int width, int height) const {
    auto* radio = new QRadioButton(text, &window_);
    radio->setGeometry(rect(x, y, width, height));
    return radio;
}

QCheckBox* DialogLayout::check(const QString& text, int x, int y, int width, int height) const {
    auto* box = new QCheckBox(text, &window_);
    box->setGeometry(rect(x, y, width, height));
    return box;
}

void disableAutoDefault(QWidget& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isDefault()) {
            button->setAutoDefault(false);
        }
    }
}

}  // namespace thermalyx
