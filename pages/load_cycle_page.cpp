#include "pages/load_cycle_page.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <array>
#include <tuple>

#include "library/device_library.h"
#include "library/number_text.h"
#include "pages/calculation_request.h"
#include "pages/mode_editor_dialog.h"
#include "results/load_cycle_result_dialog.h"
#include "results/steady_figures.h"
#include "widgets/dialog_layout.h"
#include "widgets/prompt.h"

namespace thermalyx {

namespace {

const QString kDeleteQuestion = QStringLiteral("Is the item that has been selected deleted ?");
const QString kDeleteCaption = QStringLiteral("Delete?");

struct TableColumn {
    const char* header;  // the label above the list, one line per '\n'
    int width;           // pixels
};

constexpr std::array<TableColumn, LoadCyclePage::kColumnCount> kColumns = {{
    {"\nMode\nNumber", 50},
    {"\nDuration\n\n(s)", 53},
    {"Output\nfrequency\n(start)\n(Hz)", 61},
    {"Output\nfrequency\n(end)\n(Hz)", 61},
    {"Output\ncurrent\n\n(Arms)", 53},
    {"Carrier\nfrequency\n\n(kHz)", 61},
    {"Power\nfactor\n\n(-1.0 to 1.0)", 70},
    {"Modulation\nrate\n\n(>0)", 71},
    {"DC link\nvoltage\n\n(V)", 52},
    {"Gate\nresistance\n(on)\n(ohm)", 70},
    {"Gate\nresistance\n(off)\n(ohm)", 70},
    {"DC LOCK", 63},
}};

constexpr int kHeaderLines = 4;

// The list of modes. A click is a press and release of the left button; the
// second press of a double click is the double click, not another click.
class ModeTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        QTableWidget::mousePressEvent(event);
        clickPending_ = event->button() == Qt::LeftButton;
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QTableWidget::mouseReleaseEvent(event);
        if (clickPending_ && event->button() == Qt::LeftButton) {
            clickPending_ = false;
            if (onClick) onClick();
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QTableWidget::mouseDoubleClickEvent(event);
        clickPending_ = false;
        if (event->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
    }

private:
    bool clickPending_ = false;
};

QString shown(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LoadCyclePage::LoadCyclePage(const DeviceLibrary& library, Prompt& prompt, QWidget* parent)
    : CalculationPage(library, prompt, parent) {
    const DialogLayout layout(*this);
    const DialogUnits& units = layout.units();

    auto* table = new ModeTable(0, kColumnCount, this);
    table_ = table;
    table_->setObjectName(QStringLiteral("modeTable"));
    table_->setFont(dialogFont());
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->setShowGrid(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setWordWrap(false);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 3);
    // The chosen row stays marked while another control has the focus.
    QPalette palette = table_->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    table_->setPalette(palette);
    table->onClick = [this] { onTableClicked(); };
    table->onDoubleClick = [this] { onTableDoubleClicked(); };

    // The labels above the list stand in for its header, one over each column.
    const int frame = table_->frameWidth();
    const int scrollBar = table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table_);
    int columnsWidth = 0;
    for (const TableColumn& column : kColumns) columnsWidth += column.width;
    const QPoint listOrigin = units.point(6, 42);
    const int headerHeight = kHeaderLines * table_->fontMetrics().lineSpacing();
    const int headerTop = listOrigin.y() - headerHeight - units.y(2);
    int x = listOrigin.x() + frame;
    for (int c = 0; c < kColumnCount; ++c) {
        auto* label = new QLabel(QString::fromLatin1(kColumns[c].header), this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(x, headerTop, kColumns[c].width, headerHeight);
        label->setObjectName(QStringLiteral("columnLabel") + shown(formatInt(c)));
        table_->setColumnWidth(c, kColumns[c].width);
        x += kColumns[c].width;
    }
    // Room for every column and a vertical scroll bar, so no column is ever cut.
    table_->setGeometry(listOrigin.x(), listOrigin.y(), columnsWidth + 2 * frame + scrollBar,
                        units.y(252) - listOrigin.y());

    layout.group(QStringLiteral("Inverter modulation."), 6, 258, 112, 30);
    useModulationOptions(
        layout.optionPair(QStringLiteral("2 arms"), 16, QStringLiteral("3 arms"), 64, 271, 44));
    layout.group(QStringLiteral("Junction temperature"), 126, 258, 112, 30);
    std::tie(maximum_, average_) =
        layout.optionPair(QStringLiteral("maximum"), 136, QStringLiteral("average"), 184, 271, 46);

    addButton_ = layout.button(QStringLiteral("ADD"), 250, 266, 44, 16);
    deleteButton_ = layout.button(QStringLiteral("DELETE"), 298, 266, 44, 16);
    changeButton_ = layout.button(QStringLiteral("CHANGE"), 346, 266, 44, 16);
    calculateButton_ = layout.button(QStringLiteral("calculate"), 346, 288, 88, 18);
    addButton_->setObjectName(QStringLiteral("addButton"));
    deleteButton_->setObjectName(QStringLiteral("deleteButton"));
    changeButton_->setObjectName(QStringLiteral("changeButton"));
    calculateButton_->setObjectName(QStringLiteral("calculateButton"));
    maximum_->setObjectName(QStringLiteral("maximumButton"));
    average_->setObjectName(QStringLiteral("averageButton"));

    connect(maximum_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) tjMode_ = 0;
    });
    connect(average_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) tjMode_ = 1;
    });

    connect(addButton_, &QPushButton::clicked, this, &LoadCyclePage::addMode);
    connect(deleteButton_, &QPushButton::clicked, this, &LoadCyclePage::deleteMode);
    connect(changeButton_, &QPushButton::clicked, this, &LoadCyclePage::changeMode);
    connect(calculateButton_, &QPushButton::clicked, this, &LoadCyclePage::calculateRequested);

    // A device is needed before a mode can be entered, and a mode before a cycle.
    addButton_->setEnabled(false);
    changeButton_->setEnabled(false);
    calculateButton_->setEnabled(false);
}

void LoadCyclePage::setListedDevice(std::string series, std::string typeNumber) {
    listedSeries_ = std::move(series);
    listedType_ = std::move(typeNumber);
}

int LoadCyclePage::rowCount() const {
    return table_->rowCount();
}

std::string LoadCyclePage::cellText(int row, int column) const {
    const QTableWidgetItem* item = table_->item(row, column);
    return item == nullptr ? std::string() : item->text().toStdString();
}

ModeRowTexts LoadCyclePage::rowTexts(int row) const {
    ModeRowTexts texts;
    for (int c = 1; c <= kModeTextColumns; ++c) {
        texts.columns[static_cast<std::size_t>(c - 1)] = cellText(row, c);
    }
    texts.dcLock = cellText(row, kDcLockColumn) == kDcLockText;
    return texts;
}

std::vector<ModeTableRow> LoadCyclePage::modeTableRows() const {
    std::vector<ModeTableRow> rows;
    for (int r = 0; r < rowCount(); ++r) {
        rows.push_back({cellText(r, static_cast<int>(ModeColumn::Duration)),
                        cellText(r, static_cast<int>(ModeColumn::FrequencyStart)),
                        cellText(r, static_cast<int>(ModeColumn::FrequencyEnd))});
    }
    return rows;
}

void LoadCyclePage::setCalculateEnabled(bool enabled) {
    calculateButton_->setEnabled(enabled);
}

void LoadCyclePage::setAddEnabled(bool enabled) {
    addButton_->setEnabled(enabled);
}

void LoadCyclePage::setChangeEnabled(bool enabled) {
    changeButton_->setEnabled(enabled);
}

void LoadCyclePage::updateCalculateEnabled() {
    calculateButton_->setEnabled(loadCycleCalculateEnabled(deviceApplied_, modelReady_,
                                                           static_cast<std::size_t>(rowCount())));
}

void LoadCyclePage::writeRow(int row, const ModeRowTexts& texts) {
    const auto set = [this, row](int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table_->setItem(row, column, item);
    };
    for (int c = 1; c <= kModeTextColumns; ++c) {
        set(c, QString::fromStdString(texts.columns[static_cast<std::size_t>(c - 1)]));
    }
    set(kDcLockColumn, shown(dcLockText(texts.dcLock)));
}

std::optional<ModeRowTexts> LoadCyclePage::runEditor(
    const std::function<ModeRowTexts(const ConditionLimits&)>& prefill) {
    ModeEditorDialog editor(library_, prompt_, listedSeries_, listedType_, this);
    std::vector<const DeviceIndexEntry*> found;
    if (library_.findDevices(found, DeviceQueryKind::BySeriesAndType, listedSeries_, listedType_)) {
        editor.setTexts(prefill(*found.front()->limits));
    }
    if (editor.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return editor.texts();
}

void LoadCyclePage::addMode() {
    if (!canAddMode(static_cast<std::size_t>(rowCount()))) {
        prompt_.inform(this, shown(kTableFullMessage), shown(kTableFullCaption));
        selectedRow_ = -1;
        return;
    }
    const std::optional<ModeRowTexts> texts = runEditor([this](const ConditionLimits& limits) {
        // The first mode starts from the device's defaults, later ones repeat the last.
        return rowCount() == 0 ? defaultModeRowTexts(limits) : rowTexts(rowCount() - 1);
    });
    if (texts) {
        const int row = rowCount();
        table_->insertRow(row);
        auto* number = new QTableWidgetItem(shown(formatInt(row + 1)));
        number->setTextAlignment(Qt::AlignCenter);
        number->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        table_->setItem(row, 0, number);
        writeRow(row, *texts);
        updateCalculateEnabled();
    }
    selectedRow_ = -1;
}

void LoadCyclePage::changeMode() {
    if (rowCount() == 0 || selectedRow_ < 0 || selectedRow_ >= rowCount()) {
        return;
    }
    const int row = selectedRow_;
    const std::optional<ModeRowTexts> texts =
        runEditor([this, row](const ConditionLimits&) { return rowTexts(row); });
    if (texts) {
        writeRow(row, *texts);
    }
    selectedRow_ = -1;
}

void LoadCyclePage::deleteMode() {
    if (rowCount() == 0 || selectedRow_ < 0 || selectedRow_ >= rowCount()) {
        selectedRow_ = -1;
        return;
    }
    if (prompt_.message(this, kDeleteQuestion, kDeleteCaption, PromptButtons::OkCancel,
                        PromptIcon::Question) == PromptAnswer::Ok) {
        // The rows after it move up one number.
        for (int r = selectedRow_ + 1; r < rowCount(); ++r) {
            if (QTableWidgetItem* number = table_->item(r, 0)) {
                number->setText(shown(formatInt(r)));
            }
        }
        table_->removeRow(selectedRow_);
    }
    updateCalculateEnabled();
    selectedRow_ = -1;
}

void LoadCyclePage::onTableClicked() {
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    selectedRow_ = ranges.isEmpty() ? -1 : ranges.constFirst().topRow();
}

void LoadCyclePage::onTableDoubleClicked() {
    onTableClicked();
    if (deviceApplied_) {
        changeMode();
    }
}

void LoadCyclePage::calculateLoadCycle(const SharedInputs& inputs) {
    auto request = startedRequest<LoadCycleRequest>(inputs);
    for (int r = 0; r < rowCount(); ++r) {
        request.rows.push_back(rowTexts(r));
    }
    request.tjMode = tjMode_;
    LoadCycleOutcome outcome = runLoadCycleRequest(library_, request);
    if (!answer(outcome, inputs)) return;

    lastLoadCycle_.request = std::move(request);
    lastLoadCycle_.modes = std::move(outcome.modes);
    lastLoadCycle_.result = std::move(outcome.result);

    {
        LoadCycleResultDialog dialog(library_, lastLoadCycle_.modes, lastLoadCycle_.result,
                                     modeTableRows(), ambientFigureText(inputs.ambientText),
                                     prompt_, this);
        dialog.setReportWriteOptions(reportWriteOptions());
        connect(&dialog, &LoadCycleResultDialog::lifetimeRequested, this,
                [this, &dialog] { emit lifetimeRequested(&dialog); });
        dialog.exec();
    }
    // The arrays are only needed while their window is open.
    lastLoadCycle_.result.samples = {};
    lastLoadCycle_.result.modes = {};
    lastLoadCycle_.modes = {};
}

}  // namespace thermalyx
