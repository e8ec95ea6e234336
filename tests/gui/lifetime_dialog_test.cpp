// The lifetime window: opened by LIFETIME in the load-cycle result window, its
// defaults, a rejected parameter, the answer it shows and SAVE.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "app/lifetime_dialog.h"
#include "export_checks.h"
#include "gui_fixture.h"
#include "load_cycle_test_support.h"
#include "pages/load_cycle_page.h"
#include "results/load_cycle_result_dialog.h"
#include "widgets/chart_painter.h"

using namespace thermalyx;
using namespace thermalyx::test;

class LifetimeDialogTest : public QObject {
    Q_OBJECT

private slots:
    void lifetimeOfTheCycleOnShow();
};

void LifetimeDialogTest::lifetimeOfTheCycleOnShow() {
    ReadyProgram program;
    QVERIFY(program.deviceApplied);
    LoadCyclePage& page = program.window->loadCyclePage();
    program.window->tabs()->setCurrentIndex(3);
    QVERIFY(addMode(page, modeTexts({"10", "1.0", "1.0", "70.0", "8.00", "0.85", "1.00", "600",
                                     "5.60", "5.60"})));
    QVERIFY(addMode(page, modeTexts({"10", "50.0", "50.0", "10.0", "8.00", "0.85", "1.00", "600",
                                     "5.60", "5.60"})));
    QTemporaryDir dir;
    const QString reportPath = dir.filePath(QStringLiteral("life.txt"));
    program.prompt.saveNames = {reportPath};

    auto lifetime = whenShown<LifetimeDialog>([&](LifetimeDialog& dialog) {
        CloseOnExit closer(dialog);
        // The defaults: 10 A, the device's VCES, 300 um, no filter, no ripple.
        QCOMPARE(dialog.bondCurrentField()->text(), QStringLiteral("10"));
        QCOMPARE(dialog.voltageClassField()->text(), QStringLiteral("1200"));
        QCOMPARE(dialog.bondDiameterField()->text(), QStringLiteral("300"));
        QCOMPARE(dialog.minRangeField()->text(), QStringLiteral("0"));
        QVERIFY(!dialog.rippleBox()->isChecked());
        QVERIFY(!dialog.saveButton()->isEnabled());

        typeInto(dialog.bondCurrentField(), QStringLiteral("abc"));
        dialog.calculateButton()->click();
        QCOMPARE(program.prompt.messages.size(), std::size_t{1});
        QVERIFY(program.prompt.messages.back().text.contains(QStringLiteral("bond current")));
        QCOMPARE(dialog.cycleTable()->rowCount(), 0);

        typeInto(dialog.bondCurrentField(), QStringLiteral("10"));
        dialog.rippleBox()->setChecked(true);
        dialog.calculateButton()->click();
        QCOMPARE(program.prompt.messages.size(), std::size_t{1});
        QVERIFY(dialog.cycleTable()->rowCount() >= 4);  // a ripple cycle per mode and chip
        // One chip fails first, and its lives are figures.
        const bool igbtLimits = dialog.summaryText(0, 0).contains(QStringLiteral("limiting"));
        QVERIFY(igbtLimits != dialog.summaryText(1, 0).contains(QStringLiteral("limiting")));
        bool number = false;
        dialog.summaryText(igbtLimits ? 0 : 1, 1).toDouble(&number);
        QVERIFY(number);
        QVERIFY(!dialog.damageChartView()->chart().bars.empty());
        // EXPORT, right of CLOSE: the bar chart as it is shown.
        QCOMPARE(dialog.exportButton()->y(), dialog.closeButton()->y());
        QVERIFY(dialog.exportButton()->x() > dialog.closeButton()->geometry().right());
        QCOMPARE(exportMenuEntries(dialog.exportButton()->menu()),
                 expectedExportEntries({QStringLiteral("chart")}, true));
        const QString fault = pictureExportFault(*dialog.chartExport(), 0,
                                                 dialog.damageChartView()->size(), program.prompt);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        program.prompt.saveNames = {reportPath};

        // THERMALYX_RENDER_DIR=<folder> keeps a picture of the window for a person to look at.
        if (const QString folder = qEnvironmentVariable("THERMALYX_RENDER_DIR");
            !folder.isEmpty()) {
            dialog.grab().save(QDir(folder).filePath(QStringLiteral("lifetime.png")));
        }
        dialog.saveButton()->click();
        QFile report(reportPath);
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray text = report.readAll();
        QVERIFY(text.contains("[IGBT]"));
        QVERIFY(text.contains("Output-frequency ripple\t\t:ON"));
        QCOMPARE(program.prompt.messages.back().icon, PromptIcon::Information);
        dialog.closeButton()->click();
    });
    auto result = whenShown<LoadCycleResultDialog>([&](LoadCycleResultDialog& dialog) {
        CloseOnExit closer(dialog);
        // LIFETIME sits in the row of SAVE and CLOSE, clear of them and of the list.
        QCOMPARE(dialog.lifetimeButton()->y(), dialog.saveButton()->y());
        QVERIFY(dialog.lifetimeButton()->x() > dialog.closeButton()->geometry().right());
        QVERIFY(!dialog.lifetimeButton()->geometry().intersects(dialog.modeList()->geometry()));
        dialog.lifetimeButton()->click();
        dialog.accept();
    });
    page.calculateButton()->click();
    QVERIFY(result->ran());
    QVERIFY(lifetime->ran());
}

QTEST_MAIN(LifetimeDialogTest)
#include "lifetime_dialog_test.moc"
