#include "results/load_cycle_result_dialog.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

#include "app/dialog_layout.h"
#include "app/display_text.h"
#include "app/prompt.h"
#include "library/number_text.h"
#include "results/chart_view.h"
#include "results/load_cycle_report.h"

namespace thermalyx {

namespace {

// The charts' fixed pixel geometry needs this much of each frame's client area:
// the plot reaches x 386 with the frequency axis to its right, its labels sit
// 35 and 17 pixels above the bottom.
constexpr int kChartMinWidth = 438;
constexpr int kChartMinHeight = 281;
// Space kept between a legend and a chart frame, pixels.
constexpr int kLegendGap = 2;

const QString kSaveCaption = QStringLiteral("Save calculation result");

struct FigureRow {
    LoadCycleFigure figure;
    int id;
    const char* label;
};

constexpr std::array<FigureRow, kLoadCycleFigureCount> kFigureRows = {{
    {LoadCycleFigure::IgbtTjMax, 1123, "Tj(IGBT) max"},
    {LoadCycleFigure::FwdTjMax, 1124, "Tj(FWD) max"},
    {LoadCycleFigure::TcMax, 1125, "Tc max"},
    {LoadCycleFigure::TcAve, 1126, "Tc ave"},
    {LoadCycleFigure::TfMax, 1127, "Tf max"},
    {LoadCycleFigure::TfAve, 1128, "Tf ave"},
    {LoadCycleFigure::Ambient, 1118, "Ta"},
}};

// Figure rows below the mode list, dialog units.
constexpr int kFirstFigureY = 246;
constexpr int kFigurePitch = 15;

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

void shiftLegend(LegendGeometry& legend, int dy) {
    legend.box.top += dy;
    legend.box.bottom += dy;
    for (LegendEntry& entry : legend.entries) {
        entry.sample.from.y += dy;
        entry.sample.to.y += dy;
        entry.text.position.y += dy;
    }
}

}  // namespace

LoadCycleResultDialog::LoadCycleResultDialog(const DeviceLibrary& library,
                                             const std::vector<LoadCycleMode>& modes,
                                             const LoadCycleResult& result,
                                             std::vector<ModeTableRow> rows,
                                             const std::string& ambientText, Prompt& prompt,
                                             QWidget* parent)
    : QDialog(parent),
      library_(library),
      modes_(modes),
      result_(result),
      rows_(std::move(rows)),
      prompt_(prompt) {
    setWindowTitle(
        QStringLiteral("IGBT/FWD power loss simulation for PWM inverter/converter systems"));
    const DialogLayout layout(*this);
    const DialogUnits& units = layout.units();

    saveButton_ = layout.button(QStringLiteral("SAVE"), 55, 6, 60, 14);
    closeButton_ = layout.button(QStringLiteral("CLOSE"), 145, 6, 60, 14);
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    connect(saveButton_, &QPushButton::clicked, this, &LoadCycleResultDialog::saveReport);
    connect(closeButton_, &QPushButton::clicked, this, &LoadCycleResultDialog::accept);

    // The frames grow to what the charts' pixel geometry needs and move clear of
    // the legends: the temperature legend above the upper frame, the loss
    // legend between the two.
    temperatureLegend_ = loadCycleTemperatureLegend();
    lossLegend_ = loadCycleLossLegend();
    const QRect upperUnits = layout.rect(7, 37, 250, 150);
    const QRect lowerUnits = layout.rect(7, 204, 250, 150);
    const QSize frameSize(std::max(upperUnits.width(), kChartMinWidth),
                          std::max(upperUnits.height(), kChartMinHeight));
    const QRect upper(
        QPoint(upperUnits.left(),
               std::max(upperUnits.top(), temperatureLegend_.box.bottom + kLegendGap)),
        frameSize);
    shiftLegend(lossLegend_, std::max(0, upper.bottom() + 1 + kLegendGap - lossLegend_.box.top));
    const QRect lower(
        QPoint(lowerUnits.left(), std::max(lowerUnits.top(), lossLegend_.box.bottom + kLegendGap)),
        frameSize);

    temperatureChart_ = new ChartView(this);
    temperatureChart_->setGeometry(upper);
    temperatureChart_->setObjectName(QStringLiteral("temperatureChart"));
    lossChart_ = new ChartView(this);
    lossChart_->setGeometry(lower);
    lossChart_->setObjectName(QStringLiteral("lossChart"));
    const TextWidth width = axisTextWidth();
    temperatureChart_->setChart(
        loadCycleTemperatureChart(result_, rows_, temperatureChart_->frameSize(), width));
    lossChart_->setChart(loadCycleLossChart(result_, rows_, lossChart_->frameSize(), width));

    // The list and the figures move right as far as the frames grew.
    const int columnShift = std::max(0, upper.right() + units.x(8) - units.x(265));
    const auto shifted = [columnShift](QWidget* widget) {
        widget->move(widget->pos() + QPoint(columnShift, 0));
    };

    modeList_ = new QTableWidget(0, static_cast<int>(kListColumns.size()), this);
    modeList_->setObjectName(QStringLiteral("modeList"));
    modeList_->setGeometry(layout.rect(265, 8, 182, 226));
    shifted(modeList_);
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
    const std::vector<ModeListRow> list = loadCycleModeList(result_, rows_);
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

    const LoadCycleFigureTexts texts = loadCycleFigureTexts(result_, ambientText);
    for (int i = 0; i < kLoadCycleFigureCount; ++i) {
        const FigureRow& row = kFigureRows[static_cast<std::size_t>(i)];
        const int y = kFirstFigureY + i * kFigurePitch;
        shifted(layout.label(QString::fromLatin1(row.label), 285, y + 1, 80));
        QLabel* value = layout.label(QString(), 370, y, 30, 10);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        value->setObjectName(QStringLiteral("figure_") + QString::fromStdString(formatInt(row.id)));
        value->setText(QString::fromStdString(texts[figureIndex(row.figure)]));
        value->setMargin(1);
        shifted(value);
        figures_[figureIndex(row.figure)] = value;
        shifted(layout.label(QStringLiteral("(deg.)"), 410, y + 1, 30));
    }

    const int windowWidth = units.x(454) + columnShift;
    const int windowHeight = std::max(units.y(358), lower.bottom() + 1 + units.y(6));
    setFixedSize(windowWidth, windowHeight);
}

QString LoadCycleResultDialog::figureText(LoadCycleFigure figure) const {
    return figures_[figureIndex(figure)]->text();
}

void LoadCycleResultDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    paintLegend(painter, temperatureLegend_);
    paintLegend(painter, lossLegend_);
}

void LoadCycleResultDialog::saveReport() {
    const QString path =
        prompt_.saveFileName(this, {QString(),
                                    {QStringLiteral("Text(*.txt)"), QStringLiteral("All(*.*)")},
                                    QStringLiteral("txt")});
    if (path.isEmpty()) {
        return;
    }
    std::string reason;
    if (writeLoadCycleReport(QFile::encodeName(path).toStdString(), library_, modes_, result_,
                             reason, reportOptions_)) {
        prompt_.inform(this, QStringLiteral("It is saved as a text file..."), kSaveCaption,
                       PromptIcon::Information);
    } else {
        // Saying nothing would leave the user believing the report was written.
        prompt_.inform(this,
                       QStringLiteral("The text file could not be saved: ") + displayText(reason),
                       kSaveCaption, PromptIcon::Warning);
    }
}

}  // namespace thermalyx
