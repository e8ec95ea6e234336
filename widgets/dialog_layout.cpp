#include "widgets/dialog_layout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/byte_text_combo_box.h"
#include "widgets/picture_view.h"

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

ByteTextComboBox* DialogLayout::byteTextList(int x, int y, int width, int height) const {
    auto* list = new ByteTextComboBox(&window_);
    list->setGeometry(rect(x, y, width, height));
    return list;
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

std::pair<QRadioButton*, QRadioButton*> DialogLayout::optionPair(const QString& first, int firstX,
                                                                 const QString& second, int secondX,
                                                                 int y, int width) const {
    QRadioButton* one = radio(first, firstX, y, width);
    QRadioButton* other = radio(second, secondX, y, width);
    auto* pair = new QButtonGroup(&window_);
    pair->addButton(one);
    pair->addButton(other);
    one->setChecked(true);
    return {one, other};
}

QCheckBox* DialogLayout::check(const QString& text, int x, int y, int width, int height) const {
    auto* box = new QCheckBox(text, &window_);
    box->setGeometry(rect(x, y, width, height));
    return box;
}

PictureView* DialogLayout::pictureGroup(const QString& title, int x, int y, int width, int height,
                                        QImage picture) const {
    QGroupBox* box = group(title, x, y, width, height);
    const QSize viewSize = picture.size() + QSize(2, 2);
    const QRect boxRect = box->geometry();
    auto* view = new PictureView(PictureView::Fit::Crop, Qt::white, &window_);
    view->setPicture(std::move(picture));
    view->setGeometry(
        QRect(QPoint(boxRect.center().x() - viewSize.width() / 2, boxRect.top() + units_.y(14)),
              viewSize));
    box->setGeometry(
        boxRect.adjusted(0, 0, 0, view->geometry().bottom() + units_.y(8) - boxRect.bottom()));
    return view;
}

namespace {

QPushButton* endButton(const DialogLayout& layout, const QString& text, int x, int y, int width) {
    QPushButton* button = layout.button(text, x, y, width, 14);
    button->setObjectName(text.toLower() + QStringLiteral("Button"));
    return button;
}

}  // namespace

QPushButton* acceptButton(QDialog& dialog, const DialogLayout& layout, const QString& text, int x,
                          int y, int width) {
    QPushButton* button = endButton(layout, text, x, y, width);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
    return button;
}

QPushButton* rejectButton(QDialog& dialog, const DialogLayout& layout, const QString& text, int x,
                          int y, int width) {
    QPushButton* button = endButton(layout, text, x, y, width);
    QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
    return button;
}

void setObjectNames(std::initializer_list<std::pair<QObject*, const char*>> names) {
    for (const auto& [object, name] : names) object->setObjectName(QString::fromLatin1(name));
}

void pressFocusedButtonOnEnter(QDialog& dialog) {
    // A focused auto-default button stands in for the default one until the
    // focus leaves it; the dialog then gives the role back.
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        button->setAutoDefault(true);
    }
}

void disableAutoDefault(QWidget& window) {
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isDefault()) {
            button->setAutoDefault(false);
        }
    }
}

}  // namespace thermalyx
