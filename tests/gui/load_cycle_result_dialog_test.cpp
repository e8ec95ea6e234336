// A whole load-cycle calculation through the page and its result window: the
// figures, the mode list, the charts' frames and the saved report against the
// core's own results for the same modes.
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <optional>
#include <vector>

#include "engine/load_cycle.h"
#include "gui_fixture.h"
#include "library/number_text.h"
#include "load_cycle_test_support.h"
#include "pages/heatsink_page.h"
#include "pages/load_cycle_page.h"
#include "results/load_cycle_report.h"
#include "results/load_cycle_result_dialog.h"
#include "tests/support/gui_messages.h"
#include "widgets/chart_painter.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

// The modes of a cycle and what the core gives for them.
struct CoreCycle {
    std::vector<LoadCycleMode> modes;
    LoadCycleResult result;
};

// The sample line's 6NZ100B-120 with a 22 kW heat sink and three modes: a
// ramp up, a steady stretch with DC LOCK, a ramp down to 0.1 Hz.
struct CycleProgram : ReadyProgram {
    CycleProgram() {
        LoadCyclePage& p = page();
        added = addMode(p, modeTexts({"2.50", "1.0", "50.0", "70.0", "8.00", "0.85", "1.00", "600",
                                      "5.60", "5.60"})) &&
                addMode(p, modeTexts({"5", "50.0", "50.0", "40.0", "8.00", "0.85", "0.90", "650",
                                      "6.00", "5.00"},
                                     true)) &&
                addMode(p, modeTexts({"1.5", "50.0", "0.1", "60.0", "10.00", "-0.20", "0.50", "600",
                                      "5.60", "5.60"}));
    }
    LoadCyclePage& page() { return window->loadCyclePage(); }

    // The same cycle straight through the core; none when the core refuses it.
    std::optional<CoreCycle> expected() const {
        std::vector<const DeviceIndexEntry*> found;
        if (!library.findDevices(found, DeviceQueryKind::BySeriesAndType, "Z-Series",
                                 "6NZ100B-120")) {
            return std::nullopt;
        }
        CoreCycle core;
        std::vector<LoadCycleMode>& modes = core.modes;
        const HeatsinkPage& heatsink = window->heatsinkPage();
        struct Row {
            double duration, start, end, current, carrier, pf, rate, dc, rgOn, rgOff;
            bool dcLock;
        };
        const std::array<Row, 3> rows = {{
            {2.5, 1.0, 50.0, 70.0, 8.0, 0.85, 1.0, 600.0, 5.6, 5.6, false},
            {5.0, 50.0, 50.0, 40.0, 8.0, 0.85, 0.9, 650.0, 6.0, 5.0, true},
            {1.5, 50.0, 0.1, 60.0, 10.0, -0.2, 0.5, 600.0, 5.6, 5.6, false},
        }};
        for (const Row& row : rows) {
            LoadCycleMode m;
            m.series = "Z-Series";
            m.typeNumber = "6NZ100B-120";
            m.modulation = 1;
            m.duration = row.duration;
            m.frequencyStart = row.start;
            m.frequencyEnd = row.end;
            m.outputCurrentRms = row.current;
            m.carrierFrequency = row.carrier;
            m.powerFactor = row.pf;
            m.modulationRate = row.rate;
            m.dcVoltage = row.dc;
            m.rgOn = row.rgOn;
            m.rgOff = row.rgOff;
            m.dcLock = row.dcLock;
            m.heatsink.rth = heatsink.heatsinkRth();
            m.heatsink.tth = heatsink.heatsinkTth();
            modes.push_back(m);
        }
        const HeatsinkModel model =
            buildHeatsinkModel(heatsink.heatsinkRth(), heatsink.heatsinkTth(), "40");
        if (!simulateLoadCycle(modes, *found.front()->limits, *found.front()->params, model,
                               core.result)) {
            return std::nullopt;
        }
        return core;
    }

    bool added = false;
};

QString text(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

QString figure(double value) {
    return text(formatFixed(value, 2));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class LoadCycleResultDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowShowsTheCoresResults();
    void theChartsFitTheirFramesAndTheLegendsStayOutside();
    void saveWritesTheCoresReport();
    void aReportThatCannotBeWrittenSaysWhy();
};

void LoadCycleResultDialogTest::theWindowShowsTheCoresResults() {
    CycleProgram program;
    QVERIFY(program.added);
    const std::optional<CoreCycle> core = program.expected();
    QVERIFY(core);

    bool checked = false;
    auto driver = whenShown<LoadCycleResultDialog>([&](LoadCycleResultDialog& dialog) {
        const CloseOnExit closer(dialog);
        const auto figureIs = [&dialog](LoadCycleFigure which, const QString& value) {
            return dialog.figureText(which) == value;
        };
        QVERIFY(figureIs(LoadCycleFigure::IgbtTjMax, figure(core->result.igbtTjMax)));
        QVERIFY(figureIs(LoadCycleFigure::FwdTjMax, figure(core->result.fwdTjMax)));
        QVERIFY(figureIs(LoadCycleFigure::TcMax, figure(core->result.tcMax)));
        QVERIFY(figureIs(LoadCycleFigure::TcAve, figure(core->result.tcAve)));
        QVERIFY(figureIs(LoadCycleFigure::TfMax, figure(core->result.tfMax)));
        QVERIFY(figureIs(LoadCycleFigure::TfAve, figure(core->result.tfAve)));
        QVERIFY(figureIs(LoadCycleFigure::Ambient, QStringLiteral("40.0")));

        // The list: mode numbers from 1, the page's duration texts unchanged,
        // row r with the losses of mode r + 1.
        const QTableWidget& list = *dialog.modeList();
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.columnCount(), 4);
        QStringList headings;
        for (int c = 0; c < 4; ++c) headings << list.horizontalHeaderItem(c)->text();
        QCOMPARE(headings,
                 QStringList({"Mode No.", "Duration (s)", "IGBT loss (W)", "FWD loss (W)"}));
        QVERIFY(!list.horizontalHeader()->sectionsClickable());
        const QStringList durations = {"2.50", "5", "1.5"};
        for (int r = 0; r < 3; ++r) {
            const ModeResult& mode = core->result.modes[static_cast<std::size_t>(r + 1)];
            QCOMPARE(rowCells(list, r), QStringList({text(formatInt(r + 1)), durations[r],
                                                     figure(mode.igbtLoss), figure(mode.fwdLoss)}));
        }
        QCOMPARE(list.item(0, 0)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
        QCOMPARE(list.item(0, 2)->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(
            dialog.windowTitle(),
            QStringLiteral("IGBT/FWD power loss simulation for PWM inverter/converter systems"));
        QCOMPARE(dialog.saveButton()->text(), QStringLiteral("SAVE"));
        QCOMPARE(dialog.closeButton()->text(), QStringLiteral("CLOSE"));
        checked = true;
        dialog.closeButton()->click();
    });
    program.page().calculateButton()->click();
    QVERIFY(driver->ran());
    QVERIFY(checked);
    QVERIFY(program.prompt.messages.empty());

    // The figures came from the stored calculation; its arrays go with the window.
    const LoadCycleCalculation& last = program.page().lastLoadCycleCalculation();
    QCOMPARE(last.result.igbtTjMax, core->result.igbtTjMax);
    QCOMPARE(last.result.fwdDeltaTjcMax, core->result.fwdDeltaTjcMax);
    QVERIFY(last.result.samples.empty());
    QVERIFY(last.result.modes.empty());
    QVERIFY(last.modes.empty());
}

void LoadCycleResultDialogTest::theChartsFitTheirFramesAndTheLegendsStayOutside() {
    CycleProgram program;
    QVERIFY(program.added);
    bool checked = false;
    auto driver = whenShown<LoadCycleResultDialog>([&](LoadCycleResultDialog& dialog) {
        const CloseOnExit closer(dialog);
        const ChartView& temperature = *dialog.temperatureChart();
        const ChartView& loss = *dialog.lossChart();
        for (const ChartView* chart : {&temperature, &loss}) {
            QVERIFY(chart->width() >= 422);
            QVERIFY(chart->height() >= 281);
            // The plot keeps to the load-cycle width limit.
            QVERIFY(chart->chart().plot.right <= 386);
            QCOMPARE(chart->chart().background.right, chart->width());
        }
        // The frequency axis sits right of the plot, inside the frame.
        const ChartGeometry& lossChart = loss.chart();
        QVERIFY(!lossChart.frequencyLabels.empty());
        const QFontMetrics axis(chartFont(ChartFont::Axis));
        for (const TextItem& label : lossChart.frequencyLabels) {
            QVERIFY(label.position.x > lossChart.plot.right);
            QVERIFY(label.position.x + axis.horizontalAdvance(text(label.text)) <= loss.width());
        }
        // One profile segment per mode, the first from the plot's left edge.
        QCOMPARE(lossChart.frequencyProfile.polylines.size(), std::size_t{3});
        QCOMPARE(lossChart.frequencyProfile.polylines.front().front().x, lossChart.plot.left);
        QCOMPARE(lossChart.curves.size(), std::size_t{2});
        QCOMPARE(temperature.chart().curves.size(), std::size_t{4});

        // Legends on the window, clear of both frames; nothing else over the charts.
        QCOMPARE(resultLayoutFault(dialog, temperature, loss), QString());
        QCOMPARE(dialog.lossLegend().entries.back().text.text, std::string("Frequency"));
        QVERIFY(dialog.rect().contains(dialog.modeList()->geometry()));
        checked = true;
        dialog.accept();
    });
    program.page().calculateButton()->click();
    QVERIFY(driver->ran());
    QVERIFY(checked);
}

void LoadCycleResultDialogTest::saveWritesTheCoresReport() {
    CycleProgram program;
    QVERIFY(program.added);
    const std::optional<CoreCycle> core = program.expected();
    QVERIFY(core);
    const ReportTime time{2026, 1, 2, 3, 4, 5};
    program.page().setReportWriteOptions({time, nullptr});
    std::string expectedReport;
    std::string reason;
    QVERIFY(buildLoadCycleReport(program.library, core->modes, core->result, time, expectedReport,
                                 reason));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cycle.txt"));
    // The first dialog is cancelled: nothing is written or said.
    program.prompt.saveNames = {QString(), path};
    auto driver = whenShown<LoadCycleResultDialog>([](LoadCycleResultDialog& dialog) {
        dialog.saveButton()->click();
        dialog.saveButton()->click();
        dialog.accept();
    });
    program.page().calculateButton()->click();
    QVERIFY(driver->ran());

    QCOMPARE(program.prompt.saveRequests.size(), std::size_t{2});
    const SaveFileRequest& request = program.prompt.saveRequests.front();
    QCOMPARE(request.filters, QStringList({"Text(*.txt)", "All(*.*)"}));
    QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.prompt.messages.back().text, kSavedText);
    QCOMPARE(program.prompt.messages.back().caption, kSaveTitle);
    QCOMPARE(program.prompt.messages.back().buttons, PromptButtons::Ok);
    const QByteArray written = fileBytes(path);
    QCOMPARE(written, QByteArray::fromStdString(expectedReport));
    // Three modes: 4 + 14 + 12 + 25 * 3 + 8 lines, the third mode ending at 0.1 Hz.
    QCOMPARE(written.count("\r\n"), 113);
    QVERIFY(written.contains("Output frequency(end)(Hz)\t:0.1\r\n"));
}

void LoadCycleResultDialogTest::aReportThatCannotBeWrittenSaysWhy() {
    CycleProgram program;
    QVERIFY(program.added);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/cycle.txt"));
    program.prompt.saveNames = {path};
    auto driver = whenShown<LoadCycleResultDialog>([](LoadCycleResultDialog& dialog) {
        const CloseOnExit closer(dialog);
        dialog.saveButton()->click();
        // The window stays open for another try.
        QVERIFY(dialog.isVisible());
        dialog.accept();
    });
    program.page().calculateButton()->click();
    QVERIFY(driver->ran());
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    const ScriptedPrompt::Message& message = program.prompt.messages.back();
    QVERIFY(message.text.startsWith(kSaveFailedText));
    QVERIFY(message.text.size() > kSaveFailedText.size());
    QCOMPARE(message.caption, kSaveTitle);
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(LoadCycleResultDialogTest)
#include "load_cycle_result_dialog_test.moc"
