#include "app/analysis_dialogs/compare_devices_dialog.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include <set>

#include "analysis/analysis_table.h"
#include "app/analysis_dialogs/ranking_model.h"
#include "widgets/display_text.h"

namespace thermalyx {
namespace {

// "(any)" and the distinct values of one search-record field, in library order.
QComboBox* filterBox(const DeviceLibrary& library, std::string DeviceSearchRecord::*field,
                     const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->addItem(QStringLiteral("(any)"));
    std::set<std::string> seen;
    for (const DeviceIndexEntry& d : library.deviceIndex) {
        const std::string& value = (*d.search).*field;
        if (seen.insert(value).second)
            box->addItem(displayText(value), QByteArray::fromStdString(value));
    }
    return box;
}

std::optional<std::string> filterOf(const QComboBox& box) {
    const QVariant bytes = box.currentData();
    if (!bytes.isValid()) return std::nullopt;
    return bytes.toByteArray().toStdString();
}

}  // namespace

CompareDevicesDialog::CompareDevicesDialog(const DeviceLibrary& library, const SteadyRequest& point,
                                           Prompt& prompt, QWidget* parent)
    : AnalysisDialog(library, point, prompt, QStringLiteral("Compare devices"), parent) {
    QVBoxLayout* layout = &mainLayout();

    auto* filters = new QHBoxLayout;
    acVoltage_ = filterBox(library, &DeviceSearchRecord::acVoltage, "acVoltageFilter");
    series_ = filterBox(library, &DeviceSearchRecord::series, "seriesFilter");
    circuit_ = filterBox(library, &DeviceSearchRecord::circuitComposition, "circuitFilter");
    order_ = new QComboBox;
    order_->setObjectName(QStringLiteral("orderBox"));
    order_->addItem(QStringLiteral("Fit (smallest within the limit first)"),
                    int(RankingOrder::Fit));
    order_->addItem(QStringLiteral("Tj max"), int(RankingOrder::Tj));
    order_->addItem(QStringLiteral("Total loss"), int(RankingOrder::Loss));
    filters->addWidget(new QLabel(QStringLiteral("AC voltage:")));
    filters->addWidget(acVoltage_);
    filters->addWidget(new QLabel(QStringLiteral("Series:")));
    filters->addWidget(series_);
    filters->addWidget(new QLabel(QStringLiteral("Circuit:")));
    filters->addWidget(circuit_);
    filters->addWidget(new QLabel(QStringLiteral("Order:")));
    filters->addWidget(order_);
    filters->addStretch();
    layout->addLayout(filters);

    model_ = new RankingModel(this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("rankingTable"));
    table_->setModel(model_);
    table_->setSortingEnabled(true);
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSortIndicator(RankingModel::Rank, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    layout->addWidget(table_, 1);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        const RankedDevice& d = model_->device(index.row());
        emit deviceChosen(d.series, d.typeNumber);
    });

    addRunRow();
    resize(900, 520);
}

void CompareDevicesDialog::startRun() {
    const std::optional<double> limit = tjLimit();
    if (!limit) return;
    RankingRequest request;
    request.point = requestedPoint();
    request.tjLimit = *limit;
    request.acVoltage = filterOf(*acVoltage_);
    request.series = filterOf(*series_);
    request.circuitComposition = filterOf(*circuit_);
    request.order = static_cast<RankingOrder>(order_->currentData().toInt());
    request.withMaxCurrent = true;

    model_->setRanking({});
    table_->horizontalHeader()->setSortIndicator(RankingModel::Rank, Qt::AscendingOrder);
    answer_ = std::make_shared<std::optional<Ranking>>();
    beginRun([&library = library(), request, answer = answer_](const ParallelOptions& options) {
        *answer = rankDevices(library, request, options);
        return answer->has_value();
    });
}

void CompareDevicesDialog::onFinished(bool complete) {
    if (!complete || !*answer_) {
        answer_->reset();
        setStatus(QStringLiteral("Cancelled."));
        showRunning(runControls(), false, false);
        return;
    }
    Ranking& ranking = **answer_;
    if (!ranking.message.empty()) {
        setStatus(QString::fromStdString(ranking.message));
        showRunning(runControls(), false, false);
        return;
    }
    std::size_t ok = 0;
    for (const RankedDevice& d : ranking.devices) ok += d.ok ? 1 : 0;
    setStatus(QStringLiteral("%1 devices, %2 rejected.")
                  .arg(ranking.devices.size())
                  .arg(ranking.devices.size() - ok));
    model_->setRanking(ranking.devices);
    table_->resizeColumnsToContents();
    showRunning(runControls(), false, true);
}

void CompareDevicesDialog::saveCsv() {
    saveCsvTable(this, prompt(), rankingCsv(model_->devices()), QStringLiteral("Compare devices"));
}

}  // namespace thermalyx
