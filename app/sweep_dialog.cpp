#include "app/sweep_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "analysis/sweep_chart.h"
#include "analysis/sweep_table.h"
#include "app/sweep_views.h"
#include "library/csv_table.h"
#include "library/number_text.h"
#include "pages/input_rules.h"
#include "widgets/chart_painter.h"
#include "widgets/dialog_units.h"
#include "widgets/display_text.h"
#include "widgets/prompt.h"

namespace thermalyx {
namespace {

const QString kCaption = QStringLiteral("Sweep");
const QString kSaveCaption = QStringLiteral("Save data as CSV");
constexpr int kChartWidth = 640;
constexpr int kChartHeight = 290;
// Points handed to the window at a time.
constexpr std::size_t kBatchPoints = 256;

std::optional<std::string> pageText(const SteadyRequest& base, SweepInput input) {
    if (input == SweepInput::Ta) return base.ambientText;
    return *conditionFields(base.texts)[static_cast<std::size_t>(input)];
}

// The device's upper and lower limit of an input (Ta: the model's range).
std::pair<double, double> inputLimits(const DeviceIndexEntry* device, SweepInput input) {
    const auto i = static_cast<int>(input);
    if (input == SweepInput::Ta || device == nullptr || device->limits == nullptr)
        return {kAmbientMax, kAmbientMin};
    const int first = input == SweepInput::RgOff ? 18 : 3 * std::min(i, 6);
    return {limitValue(*device->limits, first), limitValue(*device->limits, first + 1)};
}

// A count written in digits only; nothing for anything else.
std::optional<std::size_t> countOf(const QString& text) {
    const std::string digits = text.trimmed().toStdString();
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return static_cast<std::size_t>(readNumber(digits));
}

QString stoppedMessage(const SweepPlan& plan) {
    if (!plan.message.empty()) return displayText(plan.message);
    switch (plan.stage) {
        case RequestStage::Device:
            return QStringLiteral("Select a device on the \"Select IGBT\" page first.");
        case RequestStage::Modulation:
            return QStringLiteral("Choose 2 arms or 3 arms on the \"Condition Input\" page.");
        default:
            return QStringLiteral("The heat-sink model is not complete.");
    }
}

}  // namespace

SweepDialog::SweepDialog(const DeviceLibrary& library, Prompt& prompt, SteadyRequest base,
                         QWidget* parent)
    : QDialog(parent), library_(library), prompt_(prompt), base_(std::move(base)) {
    setWindowTitle(kCaption);
    setFont(dialogFont());
    std::vector<const DeviceIndexEntry*> found;
    if (library_.findDevices(found, DeviceQueryKind::BySeriesAndType, base_.series,
                             base_.typeNumber))
        device_ = found.front();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(device_ ? QStringLiteral("Device: ") + displayText(base_.series) +
                                 QStringLiteral(" ") + displayText(base_.typeNumber) +
                                 QStringLiteral("   (the other inputs as the pages hold them)")
                           : QStringLiteral("No device is selected."),
                   this));
    auto* grid = new QGridLayout;
    for (int a = 0; a < static_cast<int>(kMaxSweepAxes); ++a) {
        AxisControls& c = axes_[a];
        if (a == 0) {
            grid->addWidget(new QLabel(QStringLiteral("Vary"), this), a, 0);
        } else {
            second_ = new QCheckBox(QStringLiteral("and"), this);
            grid->addWidget(second_, a, 0);
        }
        c.input = new QComboBox(this);
        for (SweepInput input : kSweepInputs) c.input->addItem(displayText(sweepInputLabel(input)));
        c.from = new QLineEdit(this);
        c.to = new QLineEdit(this);
        c.points = new QLineEdit(this);
        grid->addWidget(c.input, a, 1);
        grid->addWidget(new QLabel(QStringLiteral("from"), this), a, 2);
        grid->addWidget(c.from, a, 3);
        grid->addWidget(new QLabel(QStringLiteral("to"), this), a, 4);
        grid->addWidget(c.to, a, 5);
        grid->addWidget(new QLabel(QStringLiteral("points"), this), a, 6);
        grid->addWidget(c.points, a, 7);
        connect(c.input, &QComboBox::currentIndexChanged, this, [this, a] { fillRange(a); });
    }
    layout->addLayout(grid);

    auto* runRow = new QHBoxLayout;
    run_ = new QPushButton(QStringLiteral("Run"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    progress_ = new QProgressBar(this);
    status_ = new QLabel(this);
    runRow->addWidget(run_);
    runRow->addWidget(cancel_);
    runRow->addWidget(progress_, 1);
    runRow->addWidget(status_, 1);
    layout->addLayout(runRow);

    tabs_ = new QTabWidget(this);
    auto* chartPage = new QWidget;
    auto* chartLayout = new QVBoxLayout(chartPage);
    figureRow_ = new QWidget(chartPage);
    auto* figureRow = new QHBoxLayout(figureRow_);
    figureRow->setContentsMargins(0, 0, 0, 0);
    figure_ = new QComboBox(figureRow_);
    for (std::size_t f = 0; f < kSweepFigureCount; ++f)
        figure_->addItem(displayText(sweepFigureLabel(f)));
    figure_->setCurrentIndex(15);  // Tj(IGBT) max
    figureRow->addWidget(new QLabel(QStringLiteral("Figure:"), figureRow_));
    figureRow->addWidget(figure_);
    figureRow->addStretch(1);
    chartLayout->addWidget(figureRow_);
    for (SweepChartView*& chart : charts_) {
        chart = new SweepChartView(chartPage);
        chart->setFixedSize(kChartWidth, kChartHeight);
        chartLayout->addWidget(chart);
    }
    chartLayout->addStretch(1);
    tabs_->addTab(chartPage, QStringLiteral("Chart"));
    model_ = new SweepTableModel(this);
    tableView_ = new QTableView;
    tableView_->setModel(model_);
    tableView_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabs_->addTab(tableView_, QStringLiteral("Table"));
    layout->addWidget(tabs_, 1);

    auto* bottom = new QHBoxLayout;
    save_ = new QPushButton(QStringLiteral("Save data as CSV..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    export_ = new QPushButton(QStringLiteral("EXPORT"), this);
    export_->setObjectName(QStringLiteral("exportButton"));
    bottom->addWidget(save_);
    bottom->addWidget(export_);
    bottom->addStretch(1);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(run_, &QPushButton::clicked, this, &SweepDialog::start);
    connect(cancel_, &QPushButton::clicked, this, &SweepDialog::cancel);
    connect(save_, &QPushButton::clicked, this, &SweepDialog::saveTable);
    connect(close, &QPushButton::clicked, this, &SweepDialog::reject);
    connect(figure_, &QComboBox::currentIndexChanged, this, &SweepDialog::redrawCharts);
    connect(second_, &QCheckBox::toggled, this, &SweepDialog::enableSecondInput);
    connect(this, &SweepDialog::progressed, this, &SweepDialog::takeProgress, Qt::QueuedConnection);
    connect(this, &SweepDialog::pointsComputed, this, &SweepDialog::takePoints,
            Qt::QueuedConnection);
    connect(this, &SweepDialog::ended, this, &SweepDialog::takeEnd, Qt::QueuedConnection);

    exports_ = new ChartExport(*this, prompt_);
    exports_->addChart(charts_[0], kLossChartName, [this] { return chartPicture(0); });
    exports_->addChart(charts_[1], kTemperatureChartName, [this] { return chartPicture(1); });
    exports_->setData([this] { return csvTable(); });
    exports_->attachButton(export_);

    axes_[0].input->setCurrentIndex(static_cast<int>(SweepInput::OutputCurrent));
    axes_[1].input->setCurrentIndex(static_cast<int>(SweepInput::CarrierFrequency));
    fillRange(0);
    fillRange(1);
    axes_[0].points->setText(QStringLiteral("21"));
    axes_[1].points->setText(QStringLiteral("5"));
    enableSecondInput(false);
    setRunning(false);
    redrawCharts();
}

SweepDialog::~SweepDialog() {
    stopWorker();
}

void SweepDialog::fillRange(int axis) {
    // From what the page holds up to the device's limit; from the lower limit
    // when the page already stands at the top.
    const SweepInput input =
        kSweepInputs.at(static_cast<std::size_t>(axes_[axis].input->currentIndex()));
    const auto [upper, lower] = inputLimits(device_, input);
    std::string from = pageText(base_, input).value_or(std::string());
    if (!isNumberText(from) || numberTextValue(from) >= upper) from = formatShortest(lower);
    axes_[axis].from->setText(displayText(from));
    axes_[axis].to->setText(displayText(formatShortest(upper)));
}

void SweepDialog::enableSecondInput(bool on) {
    const AxisControls& c = axes_[1];
    for (QWidget* w : std::initializer_list<QWidget*>{c.input, c.from, c.to, c.points})
        w->setEnabled(on);
}

void SweepDialog::start() {
    if (running_) return;
    SweepRequest request;
    request.base = base_;
    const std::size_t count = second_->isChecked() ? 2 : 1;
    std::size_t total = 1;
    for (std::size_t a = 0; a < count; ++a) {
        const AxisControls& c = axes_[a];
        const std::optional<std::size_t> points = countOf(c.points->text());
        if (!points || *points == 0) {
            prompt_.inform(
                this, QStringLiteral("Enter the number of points as a whole number of 1 or more."),
                kCaption, PromptIcon::Warning);
            return;
        }
        total *= *points;
        request.axes.push_back({kSweepInputs.at(static_cast<std::size_t>(c.input->currentIndex())),
                                c.from->text().toStdString(), c.to->text().toStdString(), *points});
    }
    if (total > kSweepWindowMaxPoints) {
        prompt_.inform(this,
                       QStringLiteral("This window runs at most ") +
                           displayText(formatInt(static_cast<long long>(kSweepWindowMaxPoints))) +
                           QStringLiteral(" points; the command line's sweep runs more."),
                       kCaption, PromptIcon::Warning);
        return;
    }
    SweepPlan plan = planSweep(library_, request);
    if (!plan.ok()) {
        prompt_.inform(
            this, plan.rangeError.empty() ? stoppedMessage(plan) : displayText(plan.rangeError),
            kCaption, PromptIcon::Warning);
        return;
    }
    plan_ = std::move(plan);
    model_->reset(plan_);
    progress_->setRange(0, static_cast<int>(plan_.pointCount));
    progress_->setValue(0);
    status_->setText(QStringLiteral("Running..."));
    redrawCharts();
    setRunning(true);

    const int run = ++runId_;
    worker_ = std::jthread([this, run, plan = plan_](std::stop_token stop) {
        bool complete = false;
        try {
            std::vector<SweepPoint> batch;
            const std::size_t step = std::max<std::size_t>(1, plan.pointCount / 200);
            std::size_t shown = 0;
            ParallelOptions options;
            options.stop = stop;
            options.progress = [&](std::size_t done, std::size_t total) {
                if (done - shown < step && done != total) return;
                shown = done;
                emit progressed(run, done, total);
            };
            complete = runSweep(
                library_, plan,
                [&](std::size_t, const SweepPoint& point) {
                    batch.push_back(point);
                    if (batch.size() < kBatchPoints) return;
                    emit pointsComputed(run, std::move(batch));
                    batch.clear();
                },
                options);
            if (!batch.empty()) emit pointsComputed(run, std::move(batch));
        } catch (...) {
            complete = false;
        }
        emit ended(run, complete);
    });
}

void SweepDialog::cancel() {
    if (!running_) return;
    worker_.request_stop();
    status_->setText(QStringLiteral("Cancelling..."));
}

void SweepDialog::stopWorker() {
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
    ++runId_;  // what the old run still has queued is passed over
    running_ = false;
}

void SweepDialog::reject() {
    stopWorker();
    QDialog::reject();
}

void SweepDialog::takeProgress(int run, qulonglong done, qulonglong) {
    if (run == runId_) progress_->setValue(static_cast<int>(done));
}

void SweepDialog::takePoints(int run, const std::vector<SweepPoint>& points) {
    if (run != runId_) return;
    model_->append(points);
    redrawCharts();
}

void SweepDialog::takeEnd(int run, bool complete) {
    if (run != runId_) return;
    if (worker_.joinable()) worker_.join();
    setRunning(false);
    const std::vector<SweepPoint>& points = model_->points();
    const auto rejected =
        std::count_if(points.begin(), points.end(), [](const SweepPoint& p) { return !p.ok; });
    const QString done = displayText(formatInt(static_cast<long long>(points.size())));
    if (complete) {
        progress_->setValue(progress_->maximum());
        status_->setText(done + QStringLiteral(" points, ") +
                         displayText(formatInt(static_cast<long long>(rejected))) +
                         QStringLiteral(" rejected."));
    } else {
        status_->setText(QStringLiteral("Cancelled after ") + done + QStringLiteral(" of ") +
                         displayText(formatInt(static_cast<long long>(plan_.pointCount))) +
                         QStringLiteral(" points."));
    }
    redrawCharts();
    emit runFinished(complete);
}

void SweepDialog::setRunning(bool running) {
    running_ = running;
    run_->setEnabled(!running);
    cancel_->setEnabled(running);
    // Before the first run there is no table to save, only its header.
    const bool table = !running && !model_->points().empty();
    save_->setEnabled(table);
    exports_->setDataEnabled(table);
    export_->setEnabled(!running);
}

ChartPicture SweepDialog::chartPicture(int which) const {
    const SweepChartView* view = charts_[static_cast<std::size_t>(which)];
    return {view->size(), [view](QPainter& painter) { view->paint(painter); }};
}

void SweepDialog::redrawCharts() {
    const std::vector<SweepAxis>& axes = plan_.request.axes;
    const bool grid = axes.size() == 2;
    figureRow_->setVisible(grid);
    charts_[1]->setVisible(!grid);
    const std::string_view xTitle = sweepInputLabel(
        axes.empty() ? kSweepInputs[static_cast<std::size_t>(axes_[0].input->currentIndex())]
                     : axes[0].input);
    const double from = axes.empty() ? 0.0 : plan_.from[0];
    const double to = axes.empty() ? 1.0 : plan_.to[0];
    const std::vector<SweepPoint>& points = model_->points();
    const TextWidth width = axisTextWidth();
    const auto draw = [&](SweepChartView* view, const std::vector<SweepSeries>& series,
                          std::string_view title) {
        view->setChart(sweepChart(series, xTitle, title, from, to, view->frameSize(), width));
    };
    if (grid) {
        const auto f = static_cast<std::size_t>(figure_->currentIndex());
        draw(charts_[0], sweepFigureSeries(plan_, points, f), sweepFigureLabel(f));
        exports_->setChartName(0, displayText(sweepFigureLabel(f)));
    } else {
        exports_->setChartName(0, kLossChartName);
        draw(charts_[0], sweepLossSeries(plan_, points), "Loss (W)");
        draw(charts_[1], sweepTemperatureSeries(plan_, points), "Temperature (deg.)");
    }
    exports_->setChartName(1, kTemperatureChartName);
}

std::string SweepDialog::csvTable() const {
    std::string table = sweepCsvHeader(plan_);
    for (const SweepPoint& point : model_->points()) table += sweepCsvRow(plan_, point);
    return table;
}

void SweepDialog::saveTable() {
    if (model_->points().empty()) return;
    const QString path =
        prompt_.saveFileName(this, {kSaveCaption,
                                    {QStringLiteral("CSV(*.csv)"), QStringLiteral("All(*.*)")},
                                    QStringLiteral("csv")});
    if (path.isEmpty()) return;
    std::string reason;
    if (!writeCsvFile(QFile::encodeName(path).toStdString(), csvTable(), reason)) {
        prompt_.inform(this, QStringLiteral("The file could not be saved: ") + displayText(reason),
                       kSaveCaption, PromptIcon::Warning);
    }
}

}  // namespace thermalyx
