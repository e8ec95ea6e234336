#include "app/analysis_dialogs/capability_dialog.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>

#include "analysis/analysis_table.h"
#include "analysis/capability_chart.h"
#include "library/number_text.h"
#include "widgets/chart_painter.h"
#include "widgets/display_text.h"

namespace thermalyx {
namespace {

constexpr int kLegendWidth = 220;
constexpr const char* kDefaultCarriers = "1,2,4,6,8,10,12,15";

std::vector<std::string> splitCarriers(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

}  // namespace

CapabilityChartView::CapabilityChartView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(422 + kLegendWidth + 20, 290);
}

void CapabilityChartView::setCurves(std::vector<CapabilityCurve> curves) {
    curves_ = std::move(curves);
    update();
}

ChartGeometry CapabilityChartView::chart() const {
    return capabilityChart(curves_, {width() - kLegendWidth - 10, height()}, axisTextWidth());
}

LegendGeometry CapabilityChartView::legend() const {
    return capabilityLegend(curves_, width() - kLegendWidth - 2, 10, kLegendWidth);
}

void CapabilityChartView::paint(QPainter& painter) const {
    paintChartFrame(painter, chart());
    if (!curves_.empty()) paintLegend(painter, legend());
}

void CapabilityChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    paint(painter);
}

CapabilityDialog::CapabilityDialog(const DeviceLibrary& library, const SteadyRequest& point,
                                   Prompt& prompt, QWidget* parent)
    : AnalysisDialog(library, point, prompt, QStringLiteral("Current capability"), parent) {
    QVBoxLayout* layout = &mainLayout();
    auto* carriers = new QHBoxLayout;
    carriers->addWidget(new QLabel(QStringLiteral("Carrier frequencies (kHz):")));
    carriers_ = new QLineEdit(QString::fromLatin1(kDefaultCarriers));
    carriers_->setObjectName(QStringLiteral("carrierEdit"));
    carriers->addWidget(carriers_, 1);
    layout->addLayout(carriers);

    auto* middle = new QHBoxLayout;
    devices_ = new QListWidget;
    devices_->setObjectName(QStringLiteral("deviceList"));
    devices_->setMaximumWidth(200);
    for (const DeviceIndexEntry& d : library.deviceIndex) {
        auto* item = new QListWidgetItem(displayText(d.series) + QStringLiteral("  ") +
                                         displayText(d.typeNumber));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        const bool chosen = d.series == point.series && d.typeNumber == point.typeNumber;
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
        devices_->addItem(item);
        if (chosen) devices_->scrollToItem(item);
    }
    middle->addWidget(devices_);
    chart_ = new CapabilityChartView;
    chart_->setObjectName(QStringLiteral("capabilityChart"));
    middle->addWidget(chart_, 1);
    layout->addLayout(middle);

    table_ = new QTableWidget(0, 7);
    table_->setObjectName(QStringLiteral("pointTable"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Series"), QStringLiteral("Type"), QStringLiteral("Carrier (kHz)"),
         QStringLiteral("Max current (A)"), QStringLiteral("Tj max (deg.C)"),
         QStringLiteral("Limited by"), QStringLiteral("Reason")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    addRunRow();

    export_ = new QPushButton(QStringLiteral("EXPORT"));
    export_->setObjectName(QStringLiteral("exportButton"));
    export_->setAutoDefault(false);
    runControls().row->insertWidget(runControls().row->indexOf(runControls().close), export_);
    exports_ = new ChartExport(*this, prompt);
    exports_->addChart(chart_, QStringLiteral("Current capability chart"), [view = chart_] {
        return ChartPicture{view->size(), [view](QPainter& painter) { view->paint(painter); }};
    });
    exports_->setData([this] { return capabilityCsv(curves_); });
    exports_->attachButton(export_);
    resize(900, 700);
}

void CapabilityDialog::startRun() {
    const std::optional<double> limit = tjLimit();
    if (!limit) return;
    std::vector<const DeviceIndexEntry*> devices;
    for (int i = 0; i < devices_->count(); ++i) {
        if (devices_->item(i)->checkState() == Qt::Checked)
            devices.push_back(&library().deviceIndex.at(static_cast<std::size_t>(i)));
    }
    if (devices.empty()) {
        setStatus(QStringLiteral("Choose at least one device."));
        return;
    }
    const std::vector<std::string> carriers = splitCarriers(carriers_->text().toStdString());
    const SteadyRequest point = requestedPoint();

    curves_.clear();
    showCurves();
    answer_ = std::make_shared<std::optional<CapabilityAnswer>>();
    beginRun([&library = library(), devices, point, carriers, tjLimit = *limit,
              answer = answer_](const ParallelOptions& options) {
        *answer = capabilityCurves(library, devices, point, carriers, tjLimit, options);
        return answer->has_value();
    });
}

void CapabilityDialog::onFinished(bool complete) {
    showRunning(runControls(), false, false);
    if (!complete || !*answer_) {
        setStatus(QStringLiteral("Cancelled."));
        return;
    }
    CapabilityAnswer& answer = **answer_;
    if (!answer.message.empty()) {
        setStatus(QString::fromStdString(answer.message));
        return;
    }
    curves_ = std::move(answer.curves);
    setStatus(QStringLiteral("%1 devices.").arg(curves_.size()));
    showCurves();
    showRunning(runControls(), false, true);
}

void CapabilityDialog::showCurves() {
    chart_->setCurves(curves_);
    table_->setRowCount(0);
    for (const CapabilityCurve& curve : curves_) {
        for (const CapabilityPoint& p : curve.points) {
            const CurrentCapability& c = p.capability;
            const int row = table_->rowCount();
            table_->insertRow(row);
            const QStringList cells = {
                displayText(curve.series),
                displayText(curve.typeNumber),
                QString::fromStdString(p.carrierFrequency),
                c.current ? QString::fromStdString(c.currentText) : QString(),
                c.current ? QString::fromStdString(formatFixed(c.tjMax, 2)) : QString(),
                c.current ? QString::fromStdString(std::string(limitedByText(c.limitedBy)))
                          : QString(),
                QString::fromStdString(c.reason)};
            for (int column = 0; column < cells.size(); ++column)
                table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        }
    }
    table_->resizeColumnsToContents();
}

void CapabilityDialog::saveCsv() {
    saveCsvTable(this, prompt(), capabilityCsv(curves_), QStringLiteral("Current capability"));
}

}  // namespace thermalyx
