#include "widgets/chart_export.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <cmath>

#include "library/csv_table.h"
#include "widgets/display_text.h"
#include "widgets/prompt.h"

namespace thermalyx {

namespace {

const QString kPngText = QStringLiteral("Save chart as PNG...");
const QString kSvgText = QStringLiteral("Save chart as SVG...");
const QString kCopyText = QStringLiteral("Copy chart");
const QString kCsvText = QStringLiteral("Save data as CSV...");
const QString kFailureCaption = QStringLiteral("Export");

// The screen's 96 pixels an inch; the PNG says it holds twice as many, so it
// prints as large as the chart shows.
constexpr double kScreenDotsPerInch = 96.0;
constexpr double kMetresPerInch = 0.0254;
constexpr int kPrintScale = 2;

void paintOnWhite(QPainter& painter, const ChartPicture& picture) {
    painter.fillRect(QRect(QPoint(0, 0), picture.size), Qt::white);
    picture.paint(painter);
}

std::string_view bytesOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    return bytes;
}

}  // namespace

QImage chartPictureImage(const ChartPicture& picture, int scale) {
    QImage image(picture.size * scale, QImage::Format_RGB32);
    const int dotsPerMetre =
        static_cast<int>(std::lround(kScreenDotsPerInch * scale / kMetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintOnWhite(painter, picture);
    return image;
}

QByteArray chartPictureSvg(const ChartPicture& picture, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(picture.size);
    generator.setViewBox(QRect(QPoint(0, 0), picture.size));
    generator.setResolution(static_cast<int>(kScreenDotsPerInch));
    generator.setTitle(title);
    {
        QPainter painter(&generator);
        paintOnWhite(painter, picture);
    }
    return bytes;
}

bool saveChartPng(const ChartPicture& picture, const std::string& path, std::string& reason,
                  ReportFileSystem& files) {
    const QByteArray bytes = pngBytes(chartPictureImage(picture, kPrintScale));
    if (bytes.isEmpty()) {
        reason = "the picture could not be encoded";
        return false;
    }
    return writeReportFile(path, bytesOf(bytes), files, reason);
}

bool saveChartSvg(const ChartPicture& picture, const QString& title, const std::string& path,
                  std::string& reason, ReportFileSystem& files) {
    return writeReportFile(path, bytesOf(chartPictureSvg(picture, title)), files, reason);
}

ChartExport::ChartExport(QWidget& window, Prompt& prompt)
    : QObject(&window), window_(window), prompt_(prompt), exportMenu_(new QMenu(&window)) {
    exportMenu_->setObjectName(QStringLiteral("exportMenu"));
}

void ChartExport::addChart(QWidget* view, const QString& name,
                           std::function<ChartPicture()> picture) {
    const int index = static_cast<int>(charts_.size());
    auto* menu = new QMenu(view);
    menu->addAction(kPngText, this, [this, index] { savePng(index); });
    menu->addAction(kSvgText, this, [this, index] { saveSvg(index); });
    menu->addAction(kCopyText, this, [this, index] { copyChart(index); });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, menu,
            [view, menu](const QPoint& at) { menu->popup(view->mapToGlobal(at)); });
    charts_.push_back({view, name, std::move(picture), menu});
    rebuildExportMenu();
}

void ChartExport::setChartName(int chart, const QString& name) {
    Chart& entry = charts_.at(static_cast<std::size_t>(chart));
    if (entry.name == name && entry.listed == !entry.view->isHidden()) return;
    entry.name = name;
    rebuildExportMenu();
}

void ChartExport::setData(std::function<std::string()> table) {
    data_ = std::move(table);
    rebuildExportMenu();
}

void ChartExport::setDataEnabled(bool enabled) {
    dataEnabled_ = enabled;
    if (dataAction_ != nullptr) dataAction_->setEnabled(enabled);
}

void ChartExport::attachButton(QPushButton* button) {
    button->setMenu(exportMenu_);
}

void ChartExport::rebuildExportMenu() {
    exportMenu_->clear();
    dataAction_ = nullptr;
    std::vector<int> listed;
    for (std::size_t i = 0; i < charts_.size(); ++i) {
        charts_[i].listed = !charts_[i].view->isHidden();
        if (charts_[i].listed) listed.push_back(static_cast<int>(i));
    }
    const auto addEntry = [this, &listed](const QString& text, void (ChartExport::*run)(int)) {
        if (listed.size() == 1) {
            const int index = listed.front();
            exportMenu_->addAction(text, this, [this, run, index] { (this->*run)(index); });
            return;
        }
        // With several charts, the entry asks which one.
        QMenu* which = exportMenu_->addMenu(text);
        for (const int index : listed) {
            which->addAction(charts_[static_cast<std::size_t>(index)].name, this,
                             [this, run, index] { (this->*run)(index); });
        }
    };
    if (!listed.empty()) {
        addEntry(kPngText, &ChartExport::savePng);
        addEntry(kSvgText, &ChartExport::saveSvg);
        addEntry(kCopyText, &ChartExport::copyChart);
    }
    if (data_) {
        if (!listed.empty()) exportMenu_->addSeparator();
        dataAction_ = exportMenu_->addAction(kCsvText, this, &ChartExport::saveData);
        dataAction_->setEnabled(dataEnabled_);
    }
}

QString ChartExport::askPath(const QString& caption, const QString& filter, const QString& suffix) {
    return prompt_.saveFileName(&window_, {caption, {filter, QStringLiteral("All(*.*)")}, suffix});
}

void ChartExport::tellFailure(const std::string& reason) {
    prompt_.inform(&window_, QStringLiteral("The file could not be saved: ") + displayText(reason),
                   kFailureCaption, PromptIcon::Warning);
}

void ChartExport::savePng(int chart) {
    const QString path = askPath(QStringLiteral("Save chart as PNG"),
                                 QStringLiteral("PNG image(*.png)"), QStringLiteral("png"));
    if (path.isEmpty()) return;
    std::string reason;
    const ChartPicture picture = charts_.at(static_cast<std::size_t>(chart)).picture();
    if (!saveChartPng(picture, QFile::encodeName(path).toStdString(), reason,
                      files_ ? *files_ : systemReportFileSystem())) {
        tellFailure(reason);
    }
}

void ChartExport::saveSvg(int chart) {
    const QString path = askPath(QStringLiteral("Save chart as SVG"),
                                 QStringLiteral("SVG image(*.svg)"), QStringLiteral("svg"));
    if (path.isEmpty()) return;
    std::string reason;
    const Chart& entry = charts_.at(static_cast<std::size_t>(chart));
    if (!saveChartSvg(entry.picture(), entry.name, QFile::encodeName(path).toStdString(), reason,
                      files_ ? *files_ : systemReportFileSystem())) {
        tellFailure(reason);
    }
}

void ChartExport::copyChart(int chart) {
    const Chart& entry = charts_.at(static_cast<std::size_t>(chart));
    const ChartPicture picture = entry.picture();
    auto* mime = new QMimeData;
    mime->setImageData(chartPictureImage(picture, kPrintScale));
    mime->setData(QStringLiteral("image/svg+xml"), chartPictureSvg(picture, entry.name));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void ChartExport::saveData() {
    if (!data_) return;
    const QString path = askPath(QStringLiteral("Save data as CSV"), QStringLiteral("CSV(*.csv)"),
                                 QStringLiteral("csv"));
    if (path.isEmpty()) return;
    std::string reason;
    if (!writeCsvFile(QFile::encodeName(path).toStdString(), data_(), reason, files_)) {
        tellFailure(reason);
    }
}

}  // namespace thermalyx
