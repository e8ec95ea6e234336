#include "pages/device_selection_page.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <vector>

#include "library/device_library.h"
#include "widgets/byte_text_combo_box.h"
#include "widgets/dialog_layout.h"
#include "widgets/display_text.h"
#include "widgets/picture_view.h"

namespace thermalyx {

namespace {

constexpr std::array<const char*, DeviceSelectionPage::InfoCount> kInfoLabels = {
    "Type number", "Series", "Circuit composition", "VCES(V)", "IC(A)",
    "VCE(sat)(V)", "PC(W)",  "Standard rg(ohm)",    "Package", "Update"};

// The frame around the outline view and the information fields, page pixels.
constexpr QRect kInfoFrame(QPoint(50, 210), QPoint(722, 535));
constexpr int kInfoDividerX = 385;

}  // namespace

DeviceSelectionPage::DeviceSelectionPage(DeviceLibrary& library, QWidget* parent)
    : QWidget(parent), library_(library) {
    const DialogLayout layout(*this);

    layout.group(QStringLiteral("IGBT series and type number"), 14, 14, 256, 66);
    layout.label(QStringLiteral("Series :"), 24, 35, 32);
    seriesList_ = layout.byteTextList(58, 33, 102);
    layout.label(QStringLiteral("Type :"), 24, 57, 32);
    typeList_ = layout.byteTextList(58, 55, 102);
    recommendedButton_ = layout.button(QStringLiteral("Recommended device"), 174, 37, 83, 25);

    // The group also holds the fixed frame drawn around its contents.
    QRect infoGroup = layout.rect(14, 95, 412, 205);
    infoGroup.setBottom(std::max(infoGroup.bottom(), kInfoFrame.bottom() + layout.units().y(5)));
    layout.group(QStringLiteral("Product information"), 14, 95, 412, 205)->setGeometry(infoGroup);

    layout.label(QStringLiteral("Outline view"), 48, 131, 80);
    outlineView_ =
        new PictureView(PictureView::Fit::Scale, palette().color(QPalette::Window), this);
    outlineView_->setGeometry(
        QRect(layout.units().point(48, 143), kOutlinePictureSize + QSize(2, 2)));

    for (int i = 0; i < InfoCount; ++i) {
        const int y = 123 + 16 * i;
        layout.label(QString::fromLatin1(kInfoLabels[i]), 239, y + 2, 78);
        info_[i] = layout.edit(319, y, 85, 12, true);
    }

    seriesList_->setObjectName(QStringLiteral("seriesList"));
    typeList_->setObjectName(QStringLiteral("typeList"));
    recommendedButton_->setObjectName(QStringLiteral("recommendedButton"));
    outlineView_->setObjectName(QStringLiteral("outlineView"));

    // activated: only the user's choices count, not the lists' own changes.
    connect(seriesList_, &QComboBox::activated, this, &DeviceSelectionPage::onSeriesChanged);
    connect(typeList_, &QComboBox::activated, this, &DeviceSelectionPage::onTypeChanged);
    connect(recommendedButton_, &QPushButton::clicked, this,
            &DeviceSelectionPage::recommendedDeviceRequested);
    for (ByteTextComboBox* list : {seriesList_, typeList_}) {
        connect(list, &QComboBox::currentIndexChanged, this,
                &DeviceSelectionPage::listSelectionChanged);
    }
}

void DeviceSelectionPage::initialise() {
    // A library that fails to load shows as an empty series list.
    library_.load();
    seriesList_->clearEntries();
    for (const std::string& name : library_.seriesList) {
        seriesList_->addEntry(name);
    }
}

std::string DeviceSelectionPage::currentSeries() const {
    return seriesList_->selectedBytes();
}

std::string DeviceSelectionPage::currentTypeNumber() const {
    return typeList_->selectedBytes();
}

const QImage& DeviceSelectionPage::outlinePicture() const {
    return outlineView_->picture();
}

void DeviceSelectionPage::showSelectedDevice(const std::string& series,
                                             const std::string& typeNumber) {
    selectedSeries_ = series;
    selectedType_ = typeNumber;
    info_[Series]->setText(displayText(series));
    info_[TypeNumber]->setText(displayText(typeNumber));
}

void DeviceSelectionPage::onSeriesChanged() {
    typeList_->clearEntries();
    const std::string series = currentSeries();
    if (series.empty()) {
        return;
    }
    std::vector<const DeviceIndexEntry*> devices;
    library_.findDevices(devices, DeviceQueryKind::BySeries, series);
    for (const DeviceIndexEntry* device : devices) {
        typeList_->addEntry(device->typeNumber);
    }
    // The old device's fields stay on view, but nothing may run on it.
    deviceSelected_ = false;
    emit deviceCleared();
}

void DeviceSelectionPage::onTypeChanged() {
    const std::string series = currentSeries();
    const std::string typeNumber = currentTypeNumber();
    std::vector<const DeviceIndexEntry*> devices;
    if (!library_.findDevices(devices, DeviceQueryKind::BySeriesAndType, series, typeNumber)) {
        return;
    }
    const DeviceIndexEntry& device = *devices.front();

    loadOutlinePicture(library_.programFolder + "img/" + device.spec->deviceImage + ".jpg");
    outlineView_->repaint();

    showSelectedDevice(series, typeNumber);
    info_[CircuitComposition]->setText(displayText(device.search->circuitComposition));
    for (int i = 0; i < static_cast<int>(device.spec->productInfo.size()); ++i) {
        info_[Vces + i]->setText(displayText(device.spec->productInfo[i]));
    }
    for (QLineEdit* field : info_) {
        field->setCursorPosition(0);
    }

    deviceSelected_ = true;
    emit deviceApplied(defaultConditionTexts(*device.limits));
}

void DeviceSelectionPage::choosePick(const std::string& series, const std::string& typeNumber) {
    if (!seriesList_->selectBytes(series)) {
        return;
    }
    onSeriesChanged();
    if (!typeList_->selectBytes(typeNumber)) {
        return;
    }
    onTypeChanged();
}

void DeviceSelectionPage::loadOutlinePicture(const std::string& path) {
    // A missing or undecodable picture empties the view: the previous device's
    // outline would show the wrong package.
    QImage picture;
    const QString fileName = QFile::decodeName(QByteArray::fromStdString(path));
    if (!picture.load(fileName)) {
        picture = QImage();
    }
    outlineView_->setPicture(std::move(picture));
}

void DeviceSelectionPage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(kInfoFrame);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    painter.drawLine(kInfoDividerX, kInfoFrame.top(), kInfoDividerX, kInfoFrame.bottom());
}

}  // namespace thermalyx
