#include "app/lifetime_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/lifetime_chart.h"
#include "analysis/lifetime_report.h"
#include "pages/input_rules.h"
#include "widgets/chart_painter.h"
#include "widgets/dialog_layout.h"
#include "widgets/display_text.h"
#include "widgets/prompt.h"

namespace thermalyx {
namespace {

const QString kSaveCaption = QStringLiteral("Save lifetime");
constexpr int kChartWidth = 440;
constexpr int kChartHeight = 270;

constexpr std::array<const char*, kLifetimeCycleColumns + 1> kCycleHeadings = {
    "Chip",           "Source",  "Mode",  "Range (K)",         "Tj min (deg.)", "Tj max (deg.)",
    "Tj mean (deg.)", "ton (s)", "Count", "Cycles to failure", "Damage",        "Note"};

QString text(std::string_view bytes) {
    return displayText(bytes);
}

std::string fieldText(const QLineEdit* field) {
    return field->text().toStdString();
}

QLineEdit* numberField(const std::string_view defaultText) {
    auto* field = new QLineEdit(text(defaultText));
    field->setMaximumWidth(90);
    return field;
}

// The device's VCES text, the voltage class the model takes when none is given.
QString deviceVoltage(const DeviceLibrary& library, const LoadCycleRequest& request) {
    std::vector<const DeviceIndexEntry*> found;
    if (!library.findDevices(found, DeviceQueryKind::BySeriesAndType, request.series,
                             request.typeNumber) ||
        found.front()->spec == nullptr) {
        return {};
    }
    return text(found.front()->spec->productInfo[0]);
}

}  // namespace

LifetimeDialog::LifetimeDialog(const DeviceLibrary& library, LoadCycleRequest request,
                               Prompt& prompt, QWidget* parent)
    : QDialog(parent), library_(library), request_(std::move(request)), prompt_(prompt) {
    setWindowTitle(QStringLiteral("Lifetime"));

    auto* parameters = new QGroupBox(QStringLiteral("Lifetime model"));
    auto* form = new QFormLayout(parameters);
    model_ = new QComboBox;
    model_->addItems({QStringLiteral("CIPS 2008"), QStringLiteral("LESIT")});
    form->addRow(QStringLiteral("Model"), model_);
    bondCurrent_ = numberField(kDefaultBondCurrentText);
    form->addRow(QStringLiteral("Current per bond foot (A)"), bondCurrent_);
    voltageClass_ = new QLineEdit(deviceVoltage(library_, request_));
    voltageClass_->setMaximumWidth(90);
    form->addRow(QStringLiteral("Voltage class (V)"), voltageClass_);
    bondDiameter_ = numberField(kDefaultBondDiameterText);
    form->addRow(QStringLiteral("Bond-wire diameter (um)"), bondDiameter_);
    minRange_ = numberField(kDefaultMinRangeText);
    form->addRow(QStringLiteral("Smallest range counted (K)"), minRange_);
    ripple_ = new QCheckBox(QStringLiteral("Output-frequency ripple"));
    form->addRow(ripple_);
    calculateButton_ = new QPushButton(QStringLiteral("CALCULATE"));
    calculateButton_->setObjectName(QStringLiteral("calculateButton"));
    form->addRow(calculateButton_);
    // Only the CIPS 2008 model reads the bond and the voltage class.
    connect(model_, &QComboBox::currentIndexChanged, this, [this](int index) {
        for (QLineEdit* field : {bondCurrent_, voltageClass_, bondDiameter_}) {
            field->setEnabled(index == 0);
        }
    });

    auto* summary = new QGroupBox(QStringLiteral("Lifetime"));
    auto* grid = new QGridLayout(summary);
    grid->addWidget(new QLabel(QStringLiteral("Hours to failure (h)")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Load cycles to failure")), 0, 2);
    for (int chip = 0; chip < 2; ++chip) {
        for (int column = 0; column < 3; ++column) {
            auto* label = new QLabel(column == 0 ? QString::fromLatin1(chip == 0 ? "IGBT" : "FWD")
                                                 : QStringLiteral("-"));
            label->setObjectName(QStringLiteral("summary_%1_%2").arg(chip).arg(column));
            if (column > 0) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            summary_[chip][column] = label;
            grid->addWidget(label, chip + 1, column);
        }
    }
    warnings_ = new QLabel;
    warnings_->setObjectName(QStringLiteral("warnings"));
    warnings_->setWordWrap(false);
    warnings_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the usual warnings: the validity share of each chip, a mismatch or two.
    warnings_->setMinimumHeight(4 * warnings_->fontMetrics().lineSpacing());

    auto* left = new QVBoxLayout;
    left->addWidget(parameters);
    left->addWidget(summary);
    left->addStretch();

    chart_ = new ChartView;
    chart_->setFixedSize(kChartWidth, kChartHeight);
    chart_->setChart(damageChart({}, chart_->frameSize(), axisTextWidth()));

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(chart_, 0, Qt::AlignTop);

    table_ = new QTableWidget(0, static_cast<int>(kCycleHeadings.size()));
    table_->setObjectName(QStringLiteral("cycleTable"));
    for (int c = 0; c < static_cast<int>(kCycleHeadings.size()); ++c) {
        table_->setHorizontalHeaderItem(
            c, new QTableWidgetItem(QString::fromLatin1(kCycleHeadings[static_cast<size_t>(c)])));
    }
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setMinimumHeight(200);
    table_->setWordWrap(false);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);

    saveButton_ = new QPushButton(QStringLiteral("SAVE"));
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    saveButton_->setEnabled(false);
    closeButton_ = new QPushButton(QStringLiteral("CLOSE"));
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    exportButton_ = new QPushButton(QStringLiteral("EXPORT"));
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(closeButton_);
    buttons->addWidget(exportButton_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addWidget(warnings_);
    layout->addLayout(buttons);

    connect(calculateButton_, &QPushButton::clicked, this, &LifetimeDialog::calculate);
    connect(saveButton_, &QPushButton::clicked, this, &LifetimeDialog::saveReport);
    connect(closeButton_, &QPushButton::clicked, this, &LifetimeDialog::accept);
    // The chart as ChartView paints it on the screen.
    exports_ = new ChartExport(*this, prompt_);
    exports_->addChart(chart_, QStringLiteral("Damage chart"), [view = chart_] {
        return ChartPicture{view->size(),
                            [view](QPainter& painter) { paintChartFrame(painter, view->chart()); }};
    });
    exports_->attachButton(exportButton_);

    disableAutoDefault(*this);
    resize(980, 740);
}

void LifetimeDialog::setReportWriteOptions(const ReportWriteOptions& options) {
    reportOptions_ = options;
    exports_->setFileSystem(options.files);
}

QString LifetimeDialog::summaryText(int chip, int column) const {
    return summary_[static_cast<size_t>(chip)][static_cast<size_t>(column)]->text();
}

void LifetimeDialog::calculate() {
    LifetimeTexts texts;
    texts.model = model_->currentIndex() == 1 ? LifetimeModel::Lesit : LifetimeModel::Cips2008;
    texts.bondCurrent = fieldText(bondCurrent_);
    // An empty voltage class takes the device's VCES.
    if (!voltageClass_->text().trimmed().isEmpty()) texts.voltageClass = fieldText(voltageClass_);
    texts.bondDiameter = fieldText(bondDiameter_);
    texts.minRange = fieldText(minRange_);
    texts.ripple = ripple_->isChecked();
    LifetimeOutcome outcome = runLifetimeRequest(library_, request_, texts);
    if (!outcome.ok()) {
        prompt_.inform(this, text(outcome.message), text(kInputErrorCaption), PromptIcon::Warning);
        return;
    }
    outcome_ = std::move(outcome);
    showResult();
}

void LifetimeDialog::showResult() {
    const LifetimeResult& result = outcome_->result;
    const std::string limiting = limitingChip(result);
    const std::array<const LifetimeSignal*, 2> chips = {&result.igbt, &result.fwd};
    const std::array<const char*, 2> names = {"IGBT", "FWD"};
    for (size_t chip = 0; chip < 2; ++chip) {
        const bool limits = limiting == names[chip];
        QLabel* name = summary_[chip][0];
        name->setText(QString::fromLatin1(names[chip]) +
                      (limits ? QStringLiteral(" (limiting)") : QString()));
        QFont font = name->font();
        font.setBold(limits);
        for (QLabel* label : summary_[chip]) label->setFont(font);
        summary_[chip][1]->setText(text(lifeText(chips[chip]->hoursToFailure, 1)));
        summary_[chip][2]->setText(text(lifeText(chips[chip]->loadCyclesToFailure, 0)));
    }
    QString warnings;
    for (const std::string& warning : result.warnings) {
        if (!warnings.isEmpty()) warnings += QLatin1Char('\n');
        warnings += text(warning);
    }
    warnings_->setText(warnings);

    table_->setRowCount(0);
    for (size_t chip = 0; chip < 2; ++chip) {
        for (const LifetimeCycle& cycle : chips[chip]->cycles) {
            const int row = table_->rowCount();
            table_->insertRow(row);
            table_->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(names[chip])));
            const auto cells = lifetimeCycleTexts(cycle);
            for (int c = 0; c < kLifetimeCycleColumns; ++c) {
                auto* item = new QTableWidgetItem(text(cells[static_cast<size_t>(c)]));
                if (c >= 2 && c < kLifetimeCycleColumns - 1) {
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                }
                table_->setItem(row, c + 1, item);
            }
        }
    }
    table_->resizeColumnsToContents();
    const std::vector<DamageClass> classes = damageClasses(result);
    chart_->setChart(damageChart(classes, chart_->frameSize(), axisTextWidth()));
    exports_->setData([classes] { return damageClassesCsv(classes); });
    saveButton_->setEnabled(true);
}

void LifetimeDialog::saveReport() {
    if (!outcome_) return;
    saveTextReport(prompt_, this, kSaveCaption,
                   [this](const std::string& path, std::string& reason) {
                       return writeLifetimeReport(path, *outcome_->cycle.device, outcome_->result,
                                                  reason, reportOptions_);
                   });
}

}  // namespace thermalyx
