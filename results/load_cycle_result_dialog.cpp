#include "results/load_cycle_result_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "results/load_cycle_report.h"
#include "results/record_csv.h"
#include "widgets/chart_painter.h"
#include "widgets/display_text.h"

namespace thermalyx {

namespace {

// The charts' fixed pixel geometry needs this much of each frame's client area:
// the plot reaches x 386 with the frequency axis to its right, its labels sit
// 35 and 17 pixels above the bottom.
constexpr QSize kChartMinSize(438, 281);

// Labels at 285, values at 370, units at 410; dialog units.
constexpr FigureColumn kColumn{285, 80, 370, 30, 410};

// Figure rows below the mode list, 15 dialog units apart.
constexpr LoadCycleResultDialog::Rows kFigureRows = {{
    {LoadCycleFigure::IgbtTjMax, 1123, "Tj(IGBT) max", 246},
    {LoadCycleFigure::FwdTjMax, 1124, "Tj(FWD) max", 261},
    {LoadCycleFigure::TcMax, 1125, "Tc max", 276},
    {LoadCycleFigure::TcAve, 1126, "Tc ave", 291},
    {LoadCycleFigure::TfMax, 1127, "Tf max", 306},
    {LoadCycleFigure::TfAve, 1128, "Tf ave", 321},
    {LoadCycleFigure::Ambient, 1118, "Ta", 336},
}};

struct ListColumn {
    const char* heading;
    Qt::Alignment alignment;
};

constexpr std::array<ListColumn, 4> kListColumns = {{
    {"Mode No.", Qt::AlignLeft | Qt::AlignVCenter},
    {"Duration (s)", Qt::AlignCenter},
    {"IGBT loss (W)", Qt::AlignCenter},
    {"FWD loss (W)", Qt::AlignCenter},
}};

}  // namespace

LoadCycleResultDialog::LoadCycleResultDialog(const DeviceLibrary& library,
                                             const std::vector<LoadCycleMode>& modes,
                                             const LoadCycleResult& result,
                                             const std::vector<ModeTableRow>& rows,
                                             const std::string& ambientText, Prompt& prompt,
                                             QWidget* parent)
    : FigureResultWindow(
          prompt, [&result] { return cycleSamplesCsv(result.samples); }, parent),
      library_(library),
      modes_(modes),
      result_(result) {
    connect(closeButton(), &QPushButton::clicked, this, &LoadCycleResultDialog::accept);
    // In the row of SAVE, CLOSE and EXPORT.
    lifetimeButton_ = rowButton(QStringLiteral("LIFETIME"));
    lifetimeButton_->setObjectName(QStringLiteral("lifetimeButton"));
    connect(lifetimeButton_, &QPushButton::clicked, this,
            &LoadCycleResultDialog::lifetimeRequested);

    // The list and the figures move right as far as the frames grew.
    placeCharts(7, kChartMinSize, loadCycleTemperatureLegend(), loadCycleLossLegend(), 265, 8);
    const TextWidth width = axisTextWidth();
    temperatureChart()->setChart(
        loadCycleTemperatureChart(result_, rows, temperatureChart()->frameSize(), width));
    lossChart()->setChart(loadCycleLossChart(result_, rows, lossChart()->frameSize(), width));

    modeList_ = new QTableWidget(0, static_cast<int>(kListColumns.size()), this);
    modeList_->setObjectName(QStringLiteral("modeList"));
    modeList_->setGeometry(layout().rect(265, 8, 182, 226));
    shiftIntoColumn(modeList_);
    const QFont listFont = dialogFont();
    modeList_->setFont(listFont);
    modeList_->verticalHeader()->hide();
    modeList_->setShowGrid(true);
    modeList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    modeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    modeList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    modeList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    modeList_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    modeList_->verticalHeader()->setDefaultSectionSize(modeList_->fontMetrics().height() + 3);
    QHeaderView* header = modeList_->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    const QFontMetrics metrics(listFont);
    for (int c = 0; c < static_cast<int>(kListColumns.size()); ++c) {
        auto* heading = new QTableWidgetItem(QString::fromLatin1(kListColumns[c].heading));
        heading->setTextAlignment(kListColumns[c].alignment);
        modeList_->setHorizontalHeaderItem(c, heading);
        // Each column as wide as its heading.
        modeList_->setColumnWidth(c, metrics.horizontalAdvance(heading->text()) + 14);
    }
    const std::vector<ModeListRow> list = loadCycleModeList(result_, rows);
    modeList_->setRowCount(static_cast<int>(list.size()));
    for (int r = 0; r < static_cast<int>(list.size()); ++r) {
        const ModeListRow& row = list[static_cast<std::size_t>(r)];
        const std::array<const std::string*, 4> texts = {&row.number, &row.duration, &row.igbtLoss,
                                                         &row.fwdLoss};
        for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
            auto* item = new QTableWidgetItem(displayText(*texts[static_cast<std::size_t>(c)]));
            item->setTextAlignment(kListColumns[static_cast<std::size_t>(c)].alignment);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            modeList_->setItem(r, c, item);
        }
    }

    placeFigures(kColumn, kFigureRows, loadCycleFigureTexts(result_, ambientText));
    fixSize();
}

bool LoadCycleResultDialog::writeReport(const std::string& path, std::string& reason,
                                        const ReportWriteOptions& options) const {
    return writeLoadCycleReport(path, library_, modes_, result_, reason, options);
}

}  // namespace thermalyx
