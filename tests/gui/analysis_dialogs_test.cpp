// The dialogs of the "Analysis" menu on the sample line: a run in the
// background, a sort, a cancel, a double-click that applies a device, the CSV.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

#include "analysis/analysis_table.h"
#include "app/analysis_dialogs/background_run.h"
#include "app/analysis_dialogs/capability_dialog.h"
#include "app/analysis_dialogs/compare_devices_dialog.h"
#include "app/analysis_dialogs/ranking_model.h"
#include "export_checks.h"
#include "gui_fixture.h"
#include "pages/device_selection_page.h"
#include "widgets/chart_painter.h"

namespace thermalyx::test {

class AnalysisDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void menuBesideHelp();
    void compareRunSortSaveAndApply();
    void capabilityCurvesOfTheChosenDevices();
    void cancelLeavesNoAnswer();

private:
    // A device applied and the heat sink estimated: the pages hold a point.
    static void preparePages(Program& program);
    static void saveRendering(QWidget& window, const QString& name);
};

void AnalysisDialogsTest::preparePages(Program& program) {
    QVERIFY(program.applyDevice(QStringLiteral("Q-Series"), QStringLiteral("6NQ100B-060")));
    program.estimateHeatsink(QStringLiteral("7.5"));
}

// THERMALYX_RENDER_DIR, when set, receives a picture of the window.
void AnalysisDialogsTest::saveRendering(QWidget& window, const QString& name) {
    const QString path = qEnvironmentVariable("THERMALYX_RENDER_DIR");
    if (path.isEmpty() || !QDir().mkpath(path)) return;
    window.grab().save(QDir(path).filePath(name + QStringLiteral(".png")));
}

void AnalysisDialogsTest::menuBesideHelp() {
    Program program(sampleFolder());
    const MainWindow& window = *program.window;
    QCOMPARE(window.analysisMenu()->title(), QStringLiteral("&Analysis"));
    QCOMPARE(window.analysisMenu()->actions().value(0), window.compareDevicesAction());
    QCOMPARE(window.analysisMenu()->actions().value(1), window.currentCapabilityAction());
    QCOMPARE(window.compareDevicesAction()->text(), QStringLiteral("&Compare devices..."));
}

void AnalysisDialogsTest::compareRunSortSaveAndApply() {
    Program program(sampleFolder());
    preparePages(program);
    QTemporaryDir dir;
    const QString csvPath = dir.filePath(QStringLiteral("ranking.csv"));
    program.prompt.saveNames.push_back(csvPath);
    QString applied;
    auto driver = whenShown<CompareDevicesDialog>([&](CompareDevicesDialog& dialog) {
        dialog.runControls().run->click();
        QVERIFY(dialog.backgroundRun().running());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.backgroundRun().running(), 60000);
        const RankingModel& model = dialog.model();
        QCOMPARE(model.rowCount(), 24);
        QCOMPARE(dialog.runControls().progress->value(), 24);
        // At 30 A the small devices refuse the current: greyed, last, with the rule's words.
        const QModelIndex last = model.index(23, RankingModel::Series);
        QVERIFY(!model.device(23).ok);
        QCOMPARE(model.data(last, Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
        QCOMPARE(model.data(last, Qt::ToolTipRole).toString().toStdString(),
                 model.device(23).message);
        saveRendering(dialog, QStringLiteral("an1_compare_devices"));

        dialog.table()->sortByColumn(RankingModel::TjMax, Qt::DescendingOrder);
        double previous = INFINITY;
        for (const RankedDevice& d : model.devices()) {
            if (!d.ok) break;
            QVERIFY(d.tjMax <= previous);
            previous = d.tjMax;
        }
        QVERIFY(!model.devices().back().ok);

        dialog.runControls().save->click();
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().count("\r\n"), 25);

        // Another device than the one the pages hold.
        const int row = model.device(0).typeNumber == "6NQ100B-060" ? 1 : 0;
        applied = QString::fromStdString(model.device(row).typeNumber);
        QTableView* table = dialog.table();
        QSignalSpy chosen(&dialog, &CompareDevicesDialog::deviceChosen);
        const QPoint at = table->visualRect(model.index(row, RankingModel::TypeNumber)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(chosen.count(), 1);
        dialog.runControls().close->click();
    });
    program.window->compareDevicesAction()->trigger();
    QVERIFY(driver->ran());
    QVERIFY(!applied.isEmpty());
    const DeviceSelectionPage& page = program.window->deviceSelectionPage();
    QCOMPARE(QString::fromStdString(page.currentTypeNumber()), applied);
    QVERIFY(page.deviceSelected());
}

void AnalysisDialogsTest::capabilityCurvesOfTheChosenDevices() {
    Program program(sampleFolder());
    preparePages(program);
    auto driver = whenShown<CapabilityDialog>([&](CapabilityDialog& dialog) {
        QListWidget* list = dialog.deviceList();
        int checked = 0;
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            if (item->text().endsWith(QStringLiteral("6NQ100B-060"))) {
                QCOMPARE(item->checkState(), Qt::Checked);
                ++checked;
            }
            if (item->text().endsWith(QStringLiteral("2NQ200D-060")))
                item->setCheckState(Qt::Checked);
        }
        QCOMPARE(checked, 1);
        dialog.carrierEdit()->setText(QStringLiteral("2,6,10,16"));
        dialog.runControls().run->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.backgroundRun().running(), 60000);
        QCOMPARE(dialog.curves().size(), std::size_t{2});
        QCOMPARE(dialog.pointTable()->rowCount(), 8);
        // 16 kHz is beyond the 2NQ200D-060's carrier limit: no current, the rule's reason.
        QCOMPARE(dialog.pointTable()->item(7, 3)->text(), QString());
        QVERIFY(!dialog.pointTable()->item(7, 6)->text().isEmpty());
        const ChartGeometry chart = dialog.chartView()->chart();
        QCOMPARE(chart.curves.size(), std::size_t{2});
        QVERIFY(chart.scale.valueTop > 0);
        QCOMPARE(dialog.chartView()->legend().entries.size(), std::size_t{2});

        // EXPORT, beside the other commands: the chart, and the table the CSV holds.
        QCOMPARE(dialog.exportButton()->y(), dialog.runControls().close->y());
        QCOMPARE(exportMenuEntries(dialog.exportButton()->menu()),
                 expectedExportEntries({QStringLiteral("chart")}, true));
        const QString fault = pictureExportFault(*dialog.chartExport(), 0,
                                                 dialog.chartView()->size(), program.prompt);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QTemporaryDir dir;
        const QString csvPath = dir.filePath(QStringLiteral("capability.csv"));
        program.prompt.saveNames = {csvPath};
        dialog.chartExport()->saveData();
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().toStdString(), capabilityCsv(dialog.curves()));
        saveRendering(dialog, QStringLiteral("an2_current_capability"));
        dialog.runControls().close->click();
    });
    program.window->currentCapabilityAction()->trigger();
    QVERIFY(driver->ran());
}

void AnalysisDialogsTest::cancelLeavesNoAnswer() {
    Program program(sampleFolder());
    preparePages(program);
    auto driver = whenShown<CapabilityDialog>([&](CapabilityDialog& dialog) {
        for (int i = 0; i < dialog.deviceList()->count(); ++i)
            dialog.deviceList()->item(i)->setCheckState(Qt::Checked);
        dialog.runControls().run->click();
        QVERIFY(dialog.runControls().cancel->isEnabled());
        dialog.runControls().cancel->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.backgroundRun().running(), 60000);
        QVERIFY(dialog.curves().empty());
        QCOMPARE(dialog.pointTable()->rowCount(), 0);
        QVERIFY(!dialog.runControls().save->isEnabled());
        QVERIFY(dialog.runControls().run->isEnabled());
        dialog.runControls().close->click();
    });
    program.window->currentCapabilityAction()->trigger();
    QVERIFY(driver->ran());

    // A run that only ends when told to: cancel is what ends it.
    BackgroundRun run;
    QSignalSpy finished(&run, &BackgroundRun::finished);
    run.start([](const ParallelOptions& options) {
        while (!options.stop.stop_requested()) std::this_thread::yield();
        return false;
    });
    run.cancel();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().first().toBool(), false);
}

}  // namespace thermalyx::test

QTEST_MAIN(thermalyx::test::AnalysisDialogsTest)
#include "analysis_dialogs_test.moc"
