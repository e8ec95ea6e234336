// The condition page's calculation from start to saved report, and the checks
// that stop it, in their order.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "gui_fixture.h"
#include "library/number_text.h"
#include "pages/condition_page.h"
#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "results/steady_report.h"
#include "results/steady_result_dialog.h"
#include "widgets/byte_text_combo_box.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

const QString kLimitMessage =
    QStringLiteral("The input value exceeds the limit value. Enter a value below the limit.");
const QString kAmbientMessage =
    QStringLiteral("Ambient temperature exceeds the limit value. Enter a value below the limit.");
const QString kSeries = QStringLiteral("Z-Series");
const QString kType = QStringLiteral("6NZ100B-120");

// A program with the sample line's 6NZ100B-120 applied and a 22 kW heat sink.
struct ReadyProgram : Program {
    ReadyProgram() : Program(sampleFolder()) {
        applyDevice(kSeries, kType);
        estimateHeatsink(QStringLiteral("22"));
    }
    ConditionPage& page() { return window->conditionPage(); }
    HeatsinkPage& heatsink() { return window->heatsinkPage(); }
};

// Closes the result window once it shows and keeps its "Ta" figure.
std::unique_ptr<ModalDriver> closeResult(QString& ambient) {
    return whenShown<SteadyResultDialog>([&ambient](SteadyResultDialog& dialog) {
        ambient = dialog.figureText(SteadyFigure::Ambient);
        dialog.reject();
    });
}

QString figure(double value) {
    return QString::fromStdString(formatFixed(value, 2));
}

}  // namespace

class ConditionPageTest : public QObject {
    Q_OBJECT

private slots:
    void theWholeRoadOfASteadyCalculation();
    void aReportThatCannotBeWrittenSaysWhy();
    void ambientTemperatureCheck_data();
    void ambientTemperatureCheck();
    void inputChecks_data();
    void inputChecks();
    void theAmbientTemperatureIsCheckedFirst();
    void modulationAndDcLockReachTheCondition();
    void aNetworkLeftIncompleteIsRefusedAfterADeviceReenablesCalculate();
};

void ConditionPageTest::theWholeRoadOfASteadyCalculation() {
    ReadyProgram program;
    ConditionPage& page = program.page();
    QVERIFY(page.calculateButton()->isEnabled());
    const ReportTime time{2025, 3, 4, 5, 6, 7};
    page.setReportWriteOptions({time, nullptr});
    QTemporaryDir dir;
    const QString reportPath = dir.filePath(QStringLiteral("result.txt"));
    program.prompt.saveNames = {reportPath};

    // The same operating point straight through the engine.
    std::vector<const DeviceIndexEntry*> found;
    QVERIFY(program.library.findDevices(found, DeviceQueryKind::BySeriesAndType, "Z-Series",
                                        "6NZ100B-120"));
    OperatingCondition condition;
    condition.series = "Z-Series";
    condition.typeNumber = "6NZ100B-120";
    condition.modulation = 1;
    condition.outputFrequency = 50.0;
    condition.outputCurrentRms = 50.0;
    condition.carrierFrequency = 8.0;
    condition.powerFactor = 0.85;
    condition.modulationRate = 1.0;
    condition.dcVoltage = 600.0;
    condition.rgOn = 5.6;
    condition.rgOff = 5.6;
    condition.heatsink.rth = program.heatsink().heatsinkRth();
    condition.heatsink.tth = program.heatsink().heatsinkTth();
    const HeatsinkModel model = buildHeatsinkModel(program.heatsink().heatsinkRth(),
                                                   program.heatsink().heatsinkTth(), "40");
    SteadyResult engine;
    QVERIFY(
        calculateOperatingPoint(condition, *found[0]->limits, *found[0]->params, model, engine));

    std::array<QString, kSteadyFigureCount> shown;
    QString title;
    std::size_t waveformWhileOpen = 0;
    auto driver = whenShown<SteadyResultDialog>([&](SteadyResultDialog& dialog) {
        title = dialog.windowTitle();
        for (int i = 0; i < kSteadyFigureCount; ++i) {
            shown[i] = dialog.figureText(static_cast<SteadyFigure>(i));
        }
        waveformWhileOpen = page.lastSteadyCalculation().result.waveform.size();
        dialog.saveButton()->click();
        dialog.saveButton()->click();  // the script has no second name: cancelled
        dialog.findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    });
    page.calculateButton()->click();
    QVERIFY(driver->ran());

    QCOMPARE(title,
             QStringLiteral("IGBT/FWD power loss simulation for PWM inverter/converter systems"));
    const LossResult& loss = engine.loss;
    const TemperatureResult& t = engine.temperature;
    const std::array<QString, kSteadyFigureCount> expected = {
        figure(loss.igbtSaturationLoss),
        figure(loss.igbtTurnOnLoss),
        figure(loss.igbtTurnOffLoss),
        figure(loss.igbtTurnOffLoss + loss.igbtTurnOnLoss + loss.igbtSaturationLoss),
        figure(loss.fwdSaturationLoss),
        figure(loss.fwdRecoveryLoss),
        figure(loss.fwdRecoveryLoss + loss.fwdSaturationLoss),
        figure(loss.fwdRecoveryLoss + loss.fwdSaturationLoss + loss.igbtTurnOffLoss +
               loss.igbtTurnOnLoss + loss.igbtSaturationLoss),
        figure(t.igbtDeltaTjcMax),
        figure(t.igbtDeltaTjcAve),
        figure(t.igbtTjMax),
        figure(t.fwdDeltaTjcMax),
        figure(t.fwdDeltaTjcAve),
        figure(t.fwdTjMax),
        figure(t.tcMax),
        figure(t.tcAve),
        figure(t.tfMax),
        figure(t.tfAve),
        QStringLiteral("40.0"),
    };
    for (int i = 0; i < kSteadyFigureCount; ++i) {
        QCOMPARE(shown[i], expected[i]);
    }

    // The condition the page built is the one the engine was given above.
    const SteadyCalculation& last = page.lastSteadyCalculation();
    QCOMPARE(last.condition.modulation, 1);
    QCOMPARE(last.condition.outputFrequency, 50.0);
    QCOMPARE(last.condition.carrierFrequency, 8.0);
    QCOMPARE(last.condition.powerFactor, 0.85);
    QCOMPARE(last.condition.dcVoltage, 600.0);
    QCOMPARE(last.condition.rgOff, 5.6);
    QCOMPARE(last.condition.dcLock, false);
    QCOMPARE(last.condition.heatsink.rth, condition.heatsink.rth);
    QCOMPARE(last.result.loss.fwdRecoveryLoss, engine.loss.fwdRecoveryLoss);
    QCOMPARE(last.result.temperature.igbtTjMax, engine.temperature.igbtTjMax);
    QCOMPARE(waveformWhileOpen, engine.waveform.size());
    QVERIFY(last.result.waveform.empty());
    QCOMPARE(program.window->deviceSelectionPage().selectedSeries(), std::string("Z-Series"));

    // SAVE wrote what the report writer writes, and said so once.
    std::string report;
    std::string reason;
    QVERIFY(buildSteadyReport(program.library, condition, engine, time, report, reason));
    QFile file(reportPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromStdString(report));
    QCOMPARE(program.prompt.saveRequests.size(), std::size_t{2});
    QCOMPARE(program.prompt.saveRequests[0].filters,
             QStringList({QStringLiteral("Text(*.txt)"), QStringLiteral("All(*.*)")}));
    QCOMPARE(program.prompt.saveRequests[0].defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.prompt.messages[0].text, QStringLiteral("It is saved as a text file..."));
    QCOMPARE(program.prompt.messages[0].caption, QStringLiteral("Save calculation result"));
}

void ConditionPageTest::aReportThatCannotBeWrittenSaysWhy() {
    ReadyProgram program;
    QTemporaryDir dir;
    const QString reportPath = dir.filePath(QStringLiteral("no/such/folder/result.txt"));
    program.prompt.saveNames = {reportPath};
    auto driver = whenShown<SteadyResultDialog>([](SteadyResultDialog& dialog) {
        dialog.saveButton()->click();
        dialog.reject();
    });
    program.page().calculateButton()->click();
    QVERIFY(driver->ran());

    QVERIFY(!QFile::exists(reportPath));
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    const QString prefix = QStringLiteral("The text file could not be saved: ");
    QVERIFY(program.prompt.messages[0].text.startsWith(prefix));
    QVERIFY(program.prompt.messages[0].text.size() > prefix.size());
    QCOMPARE(program.prompt.messages[0].caption, QStringLiteral("Save calculation result"));
}

void ConditionPageTest::ambientTemperatureCheck_data() {
    QTest::addColumn<QString>("ambient");
    QTest::addColumn<QString>("figure");  // empty: rejected
    QTest::newRow("lowest") << "-40"
                            << "-40.0";
    QTest::newRow("highest") << "125"
                             << "125.0";
    QTest::newRow("one decimal kept") << "40.0"
                                      << "40.0";
    QTest::newRow("leading blanks") << "  25"
                                    << "25.0";
    QTest::newRow("below") << "-40.1"
                           << "";
    QTest::newRow("above") << "125.1"
                           << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letter") << "4O"
                            << "";
    QTest::newRow("leading zero") << "040"
                                  << "";
}

void ConditionPageTest::ambientTemperatureCheck() {
    QFETCH(QString, ambient);
    QFETCH(QString, figure);
    ReadyProgram program;
    typeInto(program.heatsink().ambientEdit(), ambient);
    QString shown;
    auto driver = closeResult(shown);
    program.page().calculateButton()->click();

    if (figure.isEmpty()) {
        QVERIFY(!driver->ran());
        QCOMPARE(program.prompt.messages.size(), std::size_t{1});
        QCOMPARE(program.prompt.messages[0].text, kAmbientMessage);
        QCOMPARE(program.prompt.messages[0].caption, QStringLiteral("Input Value Error"));
    } else {
        QVERIFY(driver->ran());
        QVERIFY(program.prompt.messages.empty());
        QCOMPARE(shown, figure);
    }
}

void ConditionPageTest::inputChecks_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    // 6NZ100B-120: fo 0.1..400 Hz, Io 0.1..100 A, fc 1..20 kHz, pf -1..1,
    // M 0..1.15, Vdc 200..900 V, rg 2.8..22.4 ohm.
    QTest::newRow("fo leading zero") << int(ConditionPage::OutputFrequency) << "050" << false;
    QTest::newRow("fo 0.5") << int(ConditionPage::OutputFrequency) << "0.5" << true;
    QTest::newRow("fo at min") << int(ConditionPage::OutputFrequency) << "0.1" << true;
    QTest::newRow("fo at max") << int(ConditionPage::OutputFrequency) << "400" << true;
    QTest::newRow("fo above") << int(ConditionPage::OutputFrequency) << "400.1" << false;
    QTest::newRow("fo below") << int(ConditionPage::OutputFrequency) << "0.09" << false;
    QTest::newRow("Io at max") << int(ConditionPage::OutputCurrent) << "100" << true;
    QTest::newRow("Io above") << int(ConditionPage::OutputCurrent) << "100.1" << false;
    QTest::newRow("Io empty") << int(ConditionPage::OutputCurrent) << "" << false;
    QTest::newRow("fc at min") << int(ConditionPage::CarrierFrequency) << "1" << true;
    QTest::newRow("fc below") << int(ConditionPage::CarrierFrequency) << "0.9" << false;
    QTest::newRow("pf at min") << int(ConditionPage::PowerFactor) << "-1" << true;
    QTest::newRow("pf above") << int(ConditionPage::PowerFactor) << "1.01" << false;
    QTest::newRow("pf comma") << int(ConditionPage::PowerFactor) << "0,85" << false;
    QTest::newRow("M at max") << int(ConditionPage::ModulationRate) << "1.15" << true;
    QTest::newRow("M above") << int(ConditionPage::ModulationRate) << "1.16" << false;
    QTest::newRow("Vdc at min") << int(ConditionPage::DcVoltage) << "200" << true;
    QTest::newRow("Vdc below") << int(ConditionPage::DcVoltage) << "199" << false;
    QTest::newRow("rg on at max") << int(ConditionPage::RgOn) << "22.4" << true;
    QTest::newRow("rg on below") << int(ConditionPage::RgOn) << "2.7" << false;
    QTest::newRow("rg off at min") << int(ConditionPage::RgOff) << "2.8" << true;
    QTest::newRow("rg off above") << int(ConditionPage::RgOff) << "22.5" << false;
    QTest::newRow("rg off trailing blank") << int(ConditionPage::RgOff) << "5.6 " << false;
}

void ConditionPageTest::inputChecks() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    ReadyProgram program;
    ConditionPage& page = program.page();
    typeInto(page.field(static_cast<ConditionPage::Field>(field)), text);
    QString ambient;
    auto driver = closeResult(ambient);
    page.calculateButton()->click();

    QCOMPARE(driver->ran(), accepted);
    if (accepted) {
        QVERIFY(program.prompt.messages.empty());
        QCOMPARE(ambient, QStringLiteral("40.0"));
    } else {
        QCOMPARE(program.prompt.messages.size(), std::size_t{1});
        QCOMPARE(program.prompt.messages[0].text, kLimitMessage);
        QCOMPARE(program.prompt.messages[0].caption, QStringLiteral("Input Value Error"));
        QCOMPARE(page.field(static_cast<ConditionPage::Field>(field))->text(), text);
    }
}

void ConditionPageTest::theAmbientTemperatureIsCheckedFirst() {
    ReadyProgram program;
    ConditionPage& page = program.page();
    typeInto(page.field(ConditionPage::OutputFrequency), QStringLiteral("050"));
    typeInto(program.heatsink().ambientEdit(), QStringLiteral("200"));
    emit page.calculateRequested();
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.prompt.messages[0].text, kAmbientMessage);

    // Before the device is resolved: without a type the command ends silently,
    // but only after Ta passed.
    QVERIFY(choose(program.window->deviceSelectionPage().seriesList(), QStringLiteral("Q-Series")));
    emit page.calculateRequested();
    QCOMPARE(program.prompt.messages.size(), std::size_t{2});
    QCOMPARE(program.prompt.messages[1].text, kAmbientMessage);
    typeInto(program.heatsink().ambientEdit(), QStringLiteral("40"));
    emit page.calculateRequested();
    QCOMPARE(program.prompt.messages.size(), std::size_t{2});
}

void ConditionPageTest::modulationAndDcLockReachTheCondition() {
    ReadyProgram program;
    ConditionPage& page = program.page();
    QVERIFY(page.twoArmsButton()->isChecked());
    QCOMPARE(page.lastSteadyCalculation().condition.modulation, 1);
    page.threeArmsButton()->click();
    page.dcLockBox()->click();
    QString ambient;
    auto driver = closeResult(ambient);
    page.calculateButton()->click();
    QVERIFY(driver->ran());
    QCOMPARE(page.lastSteadyCalculation().condition.modulation, 2);
    QVERIFY(page.lastSteadyCalculation().condition.dcLock);
}

void ConditionPageTest::aNetworkLeftIncompleteIsRefusedAfterADeviceReenablesCalculate() {
    ReadyProgram program;
    ConditionPage& page = program.page();
    typeInto(program.heatsink().tthEdit(2), QStringLiteral("abc"));
    QVERIFY(!page.calculateButton()->isEnabled());
    // Applying the device again enables "calculate": the model was ready once.
    QVERIFY(choose(program.window->deviceSelectionPage().typeList(), kType));
    QVERIFY(page.calculateButton()->isEnabled());

    QString ambient;
    auto refused = closeResult(ambient);
    page.calculateButton()->click();
    QVERIFY(!refused->ran());
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.prompt.messages[0].text, kLimitMessage);

    refused.reset();
    typeInto(program.heatsink().tthEdit(2), QStringLiteral("50"));
    auto accepted = closeResult(ambient);
    page.calculateButton()->click();
    QVERIFY(accepted->ran());
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
}

QTEST_MAIN(ConditionPageTest)
#include "condition_page_test.moc"
