// The condition page's calculation from start to saved report, and the checks
// that stop it, in their order.
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <limits>

#include "engine/operating_point.h"
#include "gui_fixture.h"
#include "library/number_text.h"
#include "pages/condition_page.h"
#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "results/steady_report.h"
#include "results/steady_result_dialog.h"
#include "tests/support/gui_messages.h"
#include "widgets/byte_text_combo_box.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

const QString kSeries = QStringLiteral("Z-Series");
const QString kType = QStringLiteral("6NZ100B-120");

// A program with the sample line's 6NZ100B-120 applied and a 22 kW heat sink.
struct ConditionProgram : ReadyProgram {
    ConditionPage& page() { return window->conditionPage(); }
    HeatsinkPage& heatsink() { return window->heatsinkPage(); }
};

// Clicks CALCULATE; true when the result window showed (it is closed at once).
bool calculate(ConditionPage& page) {
    auto driver =
        whenShown<SteadyResultDialog>([](SteadyResultDialog& dialog) { dialog.reject(); });
    page.calculateButton()->click();
    return driver->ran();
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
    void anAmbientTemperatureOutOfRangeStopsTheCalculation();
    void everyFieldMeetsItsRule_data();
    void everyFieldMeetsItsRule();
    void theAmbientTemperatureIsCheckedFirst();
    void modulationAndDcLockReachTheCondition();
    void modulationAndDcLockSurviveAnotherType();
    void aNetworkLeftIncompleteIsRefusedAfterADeviceReenablesCalculate();
    void anEngineRefusalSaysSo();
};

void ConditionPageTest::theWholeRoadOfASteadyCalculation() {
    ConditionProgram program;
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
    QCOMPARE(program.prompt.messages[0].text, kSavedText);
    QCOMPARE(program.prompt.messages[0].caption, kSaveTitle);
}

void ConditionPageTest::aReportThatCannotBeWrittenSaysWhy() {
    ConditionProgram program;
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
    QVERIFY(program.prompt.messages[0].text.startsWith(kSaveFailedText));
    QVERIFY(program.prompt.messages[0].text.size() > kSaveFailedText.size());
    QCOMPARE(program.prompt.messages[0].caption, kSaveTitle);
}

void ConditionPageTest::anAmbientTemperatureOutOfRangeStopsTheCalculation() {
    ConditionProgram program;
    typeInto(program.heatsink().ambientEdit(), QStringLiteral("125.1"));
    QVERIFY(!calculate(program.page()));
    expectInputError(program.prompt, kAmbientText);
}

void ConditionPageTest::everyFieldMeetsItsRule_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    // One text per field past the 6NZ100B-120's limits (fo 0.1..400 Hz,
    // Io 0.1..100 A, fc 1..20 kHz, pf -1..1, M 0..1.15, Vdc 200..900 V, rg
    // 2.8..22.4 ohm), so every field reaches its rule.
    QTest::newRow("fo above") << int(ConditionPage::OutputFrequency) << "400.1";
    QTest::newRow("Io above") << int(ConditionPage::OutputCurrent) << "100.1";
    QTest::newRow("fc below") << int(ConditionPage::CarrierFrequency) << "0.9";
    QTest::newRow("pf above") << int(ConditionPage::PowerFactor) << "1.01";
    QTest::newRow("M above") << int(ConditionPage::ModulationRate) << "1.16";
    QTest::newRow("Vdc below") << int(ConditionPage::DcVoltage) << "199";
    QTest::newRow("rg on below") << int(ConditionPage::RgOn) << "2.7";
    QTest::newRow("rg off above") << int(ConditionPage::RgOff) << "22.5";
}

void ConditionPageTest::everyFieldMeetsItsRule() {
    QFETCH(int, field);
    QFETCH(QString, text);
    ConditionProgram program;
    ConditionPage& page = program.page();
    typeInto(page.field(static_cast<ConditionPage::Field>(field)), text);
    QVERIFY(!calculate(page));
    expectInputError(program.prompt, kLimitText);
    // The text stays for the user to mend.
    QCOMPARE(page.field(static_cast<ConditionPage::Field>(field))->text(), text);
}

void ConditionPageTest::theAmbientTemperatureIsCheckedFirst() {
    ConditionProgram program;
    ConditionPage& page = program.page();
    typeInto(page.field(ConditionPage::OutputFrequency), QStringLiteral("050"));
    typeInto(program.heatsink().ambientEdit(), QStringLiteral("200"));
    emit page.calculateRequested();
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.prompt.messages[0].text, kAmbientText);

    // Before the device is resolved: without a type the command ends silently,
    // but only after Ta passed.
    QVERIFY(choose(program.window->deviceSelectionPage().seriesList(), QStringLiteral("Q-Series")));
    emit page.calculateRequested();
    QCOMPARE(program.prompt.messages.size(), std::size_t{2});
    QCOMPARE(program.prompt.messages[1].text, kAmbientText);
    typeInto(program.heatsink().ambientEdit(), QStringLiteral("40"));
    emit page.calculateRequested();
    QCOMPARE(program.prompt.messages.size(), std::size_t{2});
}

void ConditionPageTest::modulationAndDcLockReachTheCondition() {
    ConditionProgram program;
    ConditionPage& page = program.page();
    QVERIFY(page.twoArmsButton()->isChecked());
    QCOMPARE(page.lastSteadyCalculation().condition.modulation, 1);
    page.threeArmsButton()->click();
    page.dcLockBox()->click();
    QVERIFY(calculate(page));
    QCOMPARE(page.lastSteadyCalculation().condition.modulation, 2);
    QVERIFY(page.lastSteadyCalculation().condition.dcLock);
}

void ConditionPageTest::aNetworkLeftIncompleteIsRefusedAfterADeviceReenablesCalculate() {
    ConditionProgram program;
    ConditionPage& page = program.page();
    typeInto(program.heatsink().tthEdit(2), QStringLiteral("abc"));
    QVERIFY(!page.calculateButton()->isEnabled());
    // Applying the device again enables "calculate": the model was ready once.
    QVERIFY(choose(program.window->deviceSelectionPage().typeList(), kType));
    QVERIFY(page.calculateButton()->isEnabled());

    QVERIFY(!calculate(page));
    expectInputError(program.prompt, kLimitText);

    typeInto(program.heatsink().tthEdit(2), QStringLiteral("50"));
    QVERIFY(calculate(page));
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
}

void ConditionPageTest::modulationAndDcLockSurviveAnotherType() {
    ConditionProgram program;
    ConditionPage& page = program.page();
    page.threeArmsButton()->click();
    page.dcLockBox()->click();
    typeInto(page.field(ConditionPage::OutputCurrent), QStringLiteral("33"));
    QVERIFY(choose(program.window->deviceSelectionPage().typeList(), QStringLiteral("6NZ75B-120")));
    // The new device's defaults replace the texts, not the options.
    QVERIFY(page.field(ConditionPage::OutputCurrent)->text() != QStringLiteral("33"));
    QVERIFY(page.threeArmsButton()->isChecked());
    QVERIFY(!page.twoArmsButton()->isChecked());
    QVERIFY(page.dcLockBox()->isChecked());
    QCOMPARE(page.modulation(), 2);

    QVERIFY(calculate(page));
    QCOMPARE(page.lastSteadyCalculation().condition.typeNumber, std::string("6NZ75B-120"));
    QCOMPARE(page.lastSteadyCalculation().condition.modulation, 2);
    QVERIFY(page.lastSteadyCalculation().condition.dcLock);
}

void ConditionPageTest::anEngineRefusalSaysSo() {
    // A device whose characteristics the rules can't judge: every input passes,
    // the engine refuses the not-a-number coefficient.
    std::vector<LibraryDevice> devices;
    for (const LibraryDevice& device : sampleDevices()) {
        if (device.spec.typeNumber == "6NZ100B-120") devices.push_back(device);
    }
    QCOMPARE(devices.size(), std::size_t{1});
    devices[0].params.values[1] = std::numeric_limits<double>::quiet_NaN();
    QTemporaryDir dir;
    Program program(writeLibraryFolder(dir, devices, false));
    QVERIFY(program.applyDevice(kSeries, kType));
    program.estimateHeatsink(QStringLiteral("22"));
    ConditionPage& page = program.window->conditionPage();
    QVERIFY(page.calculateButton()->isEnabled());

    QVERIFY(!calculate(page));
    expectInputError(program.prompt, kLimitText);
    QCOMPARE(program.prompt.messages[0].icon, PromptIcon::Warning);
    // The device was found, so it is shown as the one calculated.
    QCOMPARE(program.window->deviceSelectionPage().selectedType(), std::string("6NZ100B-120"));
}

QTEST_MAIN(ConditionPageTest)
#include "condition_page_test.moc"
