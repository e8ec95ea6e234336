// The sweep window: opened from the Analysis menu over what the pages hold, a
// grid run in the background to its end, a run cancelled, and the table saved.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "analysis/sweep_chart.h"
#include "app/sweep_dialog.h"
#include "app/sweep_views.h"
#include "export_checks.h"
#include "gui_fixture.h"
#include "library/csv_table.h"
#include "library/number_text.h"
#include "pages/condition_page.h"

using namespace thermalyx;
using namespace thermalyx::test;

class SweepDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensFromTheAnalysisMenuOverThePages();
    void aGridRunsToItsEndAndSavesItsTable();
    void cancelStopsARunAndKeepsItsPoints();

private:
    // The 50 A sample device with an estimated heat sink.
    static std::unique_ptr<Program> program() {
        auto p = std::make_unique<Program>(sampleFolder());
        if (!p->applyDevice(QStringLiteral("Q-Series"), QStringLiteral("6NQ50A-060"))) return {};
        p->estimateHeatsink(QStringLiteral("3.7"));
        return p;
    }

    static void setAxis(SweepDialog& d, int axis, SweepInput input, const char* from,
                        const char* to, const char* points) {
        d.inputBox(axis)->setCurrentIndex(static_cast<int>(input));
        d.fromEdit(axis)->setText(QString::fromLatin1(from));
        d.toEdit(axis)->setText(QString::fromLatin1(to));
        d.pointsEdit(axis)->setText(QString::fromLatin1(points));
    }
};

void SweepDialogTest::opensFromTheAnalysisMenuOverThePages() {
    auto p = program();
    QVERIFY(p);
    MainWindow& window = *p->window;
    window.conditionPage().field(ConditionPage::PowerFactor)->setText(QStringLiteral("0.7"));
    const SteadyRequest base = window.analysisPoint();
    QCOMPARE(base.typeNumber, std::string("6NQ50A-060"));
    QCOMPARE(base.texts.powerFactor.value_or(""), std::string("0.7"));
    QVERIFY(std::holds_alternative<PageHeatsink>(base.heatsink));

    QVERIFY(window.analysisMenu()->actions().contains(window.sweepAction()));
    QCOMPARE(window.sweepAction()->text(), QStringLiteral("&Sweep..."));
    QString from, to;
    auto driver = whenShown<SweepDialog>([&](SweepDialog& d) {
        // The range starts at the page's text and runs to the device's limit.
        d.inputBox(0)->setCurrentIndex(static_cast<int>(SweepInput::PowerFactor));
        from = d.fromEdit(0)->text();
        to = d.toEdit(0)->text();
        d.close();
    });
    window.sweepAction()->trigger();
    QVERIFY(driver->ran());
    QCOMPARE(from, QStringLiteral("0.7"));
    QCOMPARE(to, QStringLiteral("1"));
}

void SweepDialogTest::aGridRunsToItsEndAndSavesItsTable() {
    auto p = program();
    QVERIFY(p);
    const SteadyRequest base = p->window->analysisPoint();
    SweepDialog d(p->library, p->prompt, base);
    d.secondInputBox()->setChecked(true);
    setAxis(d, 0, SweepInput::OutputCurrent, "10", "60", "6");  // 60 A is above the limit
    setAxis(d, 1, SweepInput::CarrierFrequency, "5", "15", "3");
    // No table to save before the first run, by either command.
    QVERIFY(!d.saveButton()->isEnabled() && !d.chartExport()->dataAction()->isEnabled());
    QSignalSpy finished(&d, &SweepDialog::runFinished);
    d.runButton()->click();
    QVERIFY(d.running());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    QCOMPARE(finished.at(0).at(0).toBool(), true);
    QVERIFY(!d.running() && d.runButton()->isEnabled());
    QVERIFY(d.saveButton()->isEnabled() && d.chartExport()->dataAction()->isEnabled());

    // In grid order, each point the single steady run of its texts.
    const std::vector<SweepPoint>& points = d.table().points();
    QCOMPARE(points.size(), std::size_t(18));
    for (std::size_t i : {std::size_t(0), std::size_t(7), std::size_t(14)}) {
        SteadyRequest single = base;
        single.texts.outputCurrent = points[i].texts[0];
        single.texts.carrierFrequency = points[i].texts[1];
        const SteadyOutcome outcome = runSteadyRequest(p->library, single);
        QVERIFY(outcome.ok() && points[i].ok);
        QCOMPARE(points[i].temperature.igbtTjMax, outcome.result.temperature.igbtTjMax);
        QCOMPARE(points[i].loss.fwdRecoveryLoss, outcome.result.loss.fwdRecoveryLoss);
    }
    QCOMPARE(points[15].ok, false);
    QCOMPARE(d.table().rowCount(), 18);

    // One curve a carrier frequency, for the figure picked; the curves break
    // before the rejected 60 A.
    const SweepChart& chart = d.chartView(0)->chart();
    QCOMPARE(chart.chart.curves.size(), std::size_t(3));
    QCOMPARE(chart.chart.curves[0].polylines.at(0).size(), std::size_t(5));
    QCOMPARE(chart.legend.entries.at(2).text.text, std::string("carrier-frequency 15"));
    d.figureBox()->setCurrentIndex(0);
    QCOMPARE(d.chartView(0)->chart().chart.titles.at(0).text, std::string(sweepFigureLabel(0)));
    // EXPORT offers the one chart on show and the table.
    QCOMPARE(d.exportButton()->text(), QStringLiteral("EXPORT"));
    QCOMPARE(exportMenuEntries(d.exportButton()->menu()),
             expectedExportEntries({QStringLiteral("figure")}, true));
    if (qEnvironmentVariableIsSet("THERMALYX_RENDER_DIR")) {
        const QString folder = qEnvironmentVariable("THERMALYX_RENDER_DIR");
        d.grab().save(folder + QStringLiteral("/sweep_grid.png"));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sweep.csv"));
    p->prompt.saveNames.push_back(path);
    d.saveTable();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    std::vector<std::vector<std::string>> rows;
    std::string reason;
    QVERIFY(parseCsv(file.readAll().toStdString(), rows, reason));
    QCOMPARE(rows.size(), std::size_t(19));
    QCOMPARE(rows[0][0], std::string("output-current"));
    QCOMPARE(readNumber(rows[8][2 + 1 + 5 + 10]), points[7].temperature.igbtTjMax);
}

void SweepDialogTest::cancelStopsARunAndKeepsItsPoints() {
    auto p = program();
    QVERIFY(p);
    SweepDialog d(p->library, p->prompt, p->window->analysisPoint());
    setAxis(d, 0, SweepInput::OutputCurrent, "1", "50", "100000");
    QSignalSpy finished(&d, &SweepDialog::runFinished);
    d.runButton()->click();
    QVERIFY(d.cancelButton()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(d.table().rowCount() > 0, 60000);
    d.cancelButton()->click();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
    QCOMPARE(finished.at(0).at(0).toBool(), false);
    QVERIFY(d.table().rowCount() < 100000);
    QVERIFY(d.statusLabel()->text().startsWith(QStringLiteral("Cancelled")));
    QVERIFY(d.runButton()->isEnabled() && !d.cancelButton()->isEnabled());
    // One input: both charts, each exported as the window shows it.
    QCOMPARE(exportMenuEntries(d.exportButton()->menu()),
             expectedExportEntries(
                 {QStringLiteral("Loss chart"), QStringLiteral("Temperature chart")}, true));
    for (int chart = 0; chart < 2; ++chart) {
        const QString fault =
            pictureExportFault(*d.chartExport(), chart, d.chartView(chart)->size(), p->prompt);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
    if (qEnvironmentVariableIsSet("THERMALYX_RENDER_DIR")) {
        const QString folder = qEnvironmentVariable("THERMALYX_RENDER_DIR");
        d.grab().save(folder + QStringLiteral("/sweep_one.png"));
    }
}

QTEST_MAIN(SweepDialogTest)
#include "sweep_dialog_test.moc"
