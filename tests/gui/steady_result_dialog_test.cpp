// The steady-state result window's layout: the chart frames hold the charts'
// fixed pixel geometry, the legends stay clear of them, and the figure column
// reads as one column right of the charts.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "gui_fixture.h"
#include "pages/condition_page.h"
#include "results/steady_result_dialog.h"
#include "widgets/chart_painter.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

// Runs the sample line's 6NZ100B-120 with a 22 kW heat sink and checks the
// result window while it is open.
bool withResultWindow(const std::function<void(SteadyResultDialog&)>& check) {
    Program program(sampleFolder());
    if (!program.applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120"))) {
        return false;
    }
    program.estimateHeatsink(QStringLiteral("22"));
    auto driver = whenShown<SteadyResultDialog>([&check](SteadyResultDialog& dialog) {
        check(dialog);
        dialog.reject();
    });
    program.window->conditionPage().calculateButton()->click();
    return driver->ran() && program.prompt.messages.empty();
}

}  // namespace

class SteadyResultDialogTest : public QObject {
    Q_OBJECT

private slots:
    void theChartsFitTheirFramesAndTheLegendsStayOutside();
    void theFiguresFormOneColumnRightOfTheCharts();
};

void SteadyResultDialogTest::theChartsFitTheirFramesAndTheLegendsStayOutside() {
    bool checked = false;
    QVERIFY(withResultWindow([&checked](SteadyResultDialog& dialog) {
        const ChartView& temperature = *dialog.temperatureChart();
        const ChartView& loss = *dialog.lossChart();
        for (const ChartView* chart : {&temperature, &loss}) {
            QVERIFY(chart->width() >= 422);
            QVERIFY(chart->height() >= 281);
            QCOMPARE(chart->chart().background.right, chart->width());
            QCOMPARE(chart->chart().background.bottom, chart->height());
            // Two output periods of every series.
            QVERIFY(chart->chart().plot.right <= 421);
            for (const Curve& curve : chart->chart().curves) {
                QCOMPARE(curve.polylines.size(), std::size_t{2});
            }
        }
        QCOMPARE(temperature.chart().curves.size(), std::size_t{4});
        QCOMPARE(loss.chart().curves.size(), std::size_t{2});

        // Each legend names what its chart draws, in the same order.
        const auto names = [](const auto& items, auto name) {
            QStringList list;
            for (const auto& item : items) list << QString::fromStdString(name(item));
            return list;
        };
        const auto curveLabel = [](const Curve& c) { return c.label; };
        const auto entryText = [](const LegendEntry& e) { return e.text.text; };
        QCOMPARE(names(dialog.temperatureLegend().entries, entryText),
                 names(temperature.chart().curves, curveLabel));
        QCOMPARE(names(dialog.lossLegend().entries, entryText),
                 names(loss.chart().curves, curveLabel));

        QCOMPARE(resultLayoutFault(dialog, temperature, loss), QString());
        const QRect lowerLegend = boxRect(dialog.lossLegend().box);
        // The legend's parts moved with its box.
        for (const LegendEntry& entry : dialog.lossLegend().entries) {
            QVERIFY(lowerLegend.contains(QPoint(entry.sample.from.x, entry.sample.from.y)));
            QVERIFY(lowerLegend.contains(QPoint(entry.text.position.x, entry.text.position.y)));
        }
        checked = true;
    }));
    QVERIFY(checked);
}

void SteadyResultDialogTest::theFiguresFormOneColumnRightOfTheCharts() {
    bool checked = false;
    QVERIFY(withResultWindow([&checked](SteadyResultDialog& dialog) {
        const int chartsRight = dialog.temperatureChart()->geometry().right();
        const QList<QLabel*> figures = dialog.findChildren<QLabel*>(
            QRegularExpression(QStringLiteral("^figure_\\d+$")), Qt::FindDirectChildrenOnly);
        QCOMPARE(figures.size(), kSteadyFigureCount);
        int column = -1;
        for (const QLabel* figure : figures) {
            const int id = figure->objectName().mid(7).toInt();
            // Losses and junction temperatures line up on their right edge;
            // Tc, Tf and Ta read from the left.
            const bool right = id >= 1048 && id <= 1063;
            QCOMPARE(figure->alignment() & Qt::AlignHorizontal_Mask,
                     right ? Qt::AlignRight : Qt::AlignLeft);
            QVERIFY2(!figure->text().isEmpty(), qPrintable(figure->objectName()));
            QVERIFY(figure->geometry().left() > chartsRight);
            QVERIFY(dialog.rect().contains(figure->geometry()));
            if (column < 0) column = figure->geometry().left();
            QCOMPARE(figure->geometry().left(), column);
        }
        QCOMPARE(dialog.figureText(SteadyFigure::Ambient), QStringLiteral("40.0"));
        checked = true;
    }));
    QVERIFY(checked);
}

QTEST_MAIN(SteadyResultDialogTest)
#include "steady_result_dialog_test.moc"
