// The heat-sink page: the estimate as the fields show it, the rule that
// follows every user edit of the network, and what each enables.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "gui_fixture.h"
#include "pages/condition_page.h"
#include "pages/heatsink_page.h"
#include "pages/input_rules.h"
#include "pages/load_cycle_page.h"
#include "tests/support/gui_messages.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

QStringList networkTexts(const HeatsinkPage& page) {
    QStringList texts;
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        texts << page.rthEdit(stage)->text();
    }
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        texts << page.tthEdit(stage)->text();
    }
    return texts;
}

bool calculateEnabled(const Program& program) {
    return program.window->conditionPage().calculateButton()->isEnabled();
}

}  // namespace

class HeatsinkPageTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheInitialTexts();
    void estimateShowsRoundedTextsAndKeepsUnroundedNumbers();
    void aRejectedEstimateKeepsTheLastNetwork_data();
    void aRejectedEstimateKeepsTheLastNetwork();
    void theLoadCycleWaitsForAModeAfterAnEstimate();
    void validEditsWithoutADeviceEnableNothingUntilOneIsApplied();
    void anEditFindingAZeroResistanceDisablesBothCalculations();
    void lettersInATimeConstantKeepTheSumButDisable();
};

void HeatsinkPageTest::startsWithTheInitialTexts() {
    Program program(sampleFolder());
    const HeatsinkPage& page = program.window->heatsinkPage();
    QCOMPARE(page.rthFactorEdit()->text(), QStringLiteral("1.0"));
    QCOMPARE(page.tthFactorEdit()->text(), QStringLiteral("1.0"));
    QCOMPARE(page.ambientEdit()->text(), QStringLiteral("40"));
    QVERIFY(page.capacityEdit()->text().isEmpty());
    QVERIFY(page.rthSumEdit()->text().isEmpty());
    QVERIFY(page.rthSumEdit()->isReadOnly());
    QVERIFY(!page.modelReady());
}

void HeatsinkPageTest::estimateShowsRoundedTextsAndKeepsUnroundedNumbers() {
    Program program(sampleFolder());
    HeatsinkPage& page = program.window->heatsinkPage();
    typeInto(page.capacityEdit(), QStringLiteral("37"));
    typeInto(page.rthFactorEdit(), QStringLiteral("0.8"));
    typeInto(page.tthFactorEdit(), QStringLiteral("0.5"));
    page.estimateButton()->click();

    QVERIFY(program.prompt.messages.empty());
    QCOMPARE(networkTexts(page), QStringList({"0.0002", "0.0013", "0.0236", "0.0126", "0.5000",
                                              "5.0000", "25.0000", "100.0000"}));
    QCOMPARE(page.rthSumEdit()->text(), QStringLiteral("0.0377"));
    QVERIFY(page.modelReady());
    // The texts written by the estimate are no edits: the engine keeps the
    // unrounded network.
    HeatsinkEstimate estimate;
    QVERIFY(computeHeatsinkEstimate("37", "0.8", "0.5", estimate).empty());
    QCOMPARE(page.heatsinkRth(), estimate.rth);
    QCOMPARE(page.heatsinkTth(), estimate.tth);
    QVERIFY(page.heatsinkRth()[0] != 0.0002);
}

void HeatsinkPageTest::aRejectedEstimateKeepsTheLastNetwork_data() {
    QTest::addColumn<QString>("capacity");
    QTest::addColumn<QString>("rthFactor");
    QTest::addColumn<QString>("tthFactor");
    // One text per field that its rule refuses.
    QTest::newRow("capacity 0") << "0"
                                << "1.0"
                                << "1.0";
    QTest::newRow("Rth factor 1.5") << "10"
                                    << "1.5"
                                    << "1.0";
    QTest::newRow("Tth factor -1") << "10"
                                   << "1.0"
                                   << "-1";
}

void HeatsinkPageTest::aRejectedEstimateKeepsTheLastNetwork() {
    QFETCH(QString, capacity);
    QFETCH(QString, rthFactor);
    QFETCH(QString, tthFactor);
    Program program(sampleFolder());
    QVERIFY(program.applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120")));
    HeatsinkPage& page = program.window->heatsinkPage();
    program.estimateHeatsink(QStringLiteral("22"));
    QVERIFY(program.prompt.messages.empty());
    const QStringList texts = networkTexts(page);
    const QString sum = page.rthSumEdit()->text();
    const StageValues rth = page.heatsinkRth();
    const StageValues tth = page.heatsinkTth();
    QVERIFY(calculateEnabled(program));

    typeInto(page.capacityEdit(), capacity);
    typeInto(page.rthFactorEdit(), rthFactor);
    typeInto(page.tthFactorEdit(), tthFactor);
    page.estimateButton()->click();

    expectInputError(program.prompt, kLimitText);
    QCOMPARE(program.prompt.messages[0].buttons, PromptButtons::Ok);
    QCOMPARE(networkTexts(page), texts);
    QCOMPARE(page.rthSumEdit()->text(), sum);
    QCOMPARE(page.heatsinkRth(), rth);
    QCOMPARE(page.heatsinkTth(), tth);
    QVERIFY(page.modelReady());
    QVERIFY(page.networkComplete());
    QVERIFY(calculateEnabled(program));
}

void HeatsinkPageTest::theLoadCycleWaitsForAModeAfterAnEstimate() {
    Program program(sampleFolder());
    QVERIFY(program.applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120")));
    program.estimateHeatsink(QStringLiteral("22"));
    QVERIFY(calculateEnabled(program));
    const LoadCyclePage& cycle = program.window->loadCyclePage();
    QCOMPARE(cycle.rowCount(), 0);
    QVERIFY(!cycle.calculateButton()->isEnabled());
    // A complete edit of the network enables as the estimate does.
    typeInto(program.window->heatsinkPage().rthEdit(0), QStringLiteral("0.01"));
    QVERIFY(calculateEnabled(program));
    QVERIFY(!cycle.calculateButton()->isEnabled());
}

void HeatsinkPageTest::validEditsWithoutADeviceEnableNothingUntilOneIsApplied() {
    Program program(sampleFolder());
    HeatsinkPage& page = program.window->heatsinkPage();
    const QStringList values = {"0.01", "0.05", "0.9", "0.5", "1", "10", "50", "200"};
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        typeInto(page.rthEdit(stage), values[stage]);
    }
    QCOMPARE(page.rthSumEdit()->text(), QStringLiteral("1.4600"));
    QVERIFY(!page.modelReady());
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        typeInto(page.tthEdit(stage), values[4 + stage]);
    }
    QVERIFY(page.modelReady());
    QVERIFY(!calculateEnabled(program));
    QCOMPARE(page.heatsinkRth()[2], 0.9);
    QCOMPARE(page.heatsinkTth()[3], 200.0);

    QVERIFY(program.applyDevice(QStringLiteral("Q-Series"), QStringLiteral("6NQ50A-060")));
    QVERIFY(calculateEnabled(program));
    QVERIFY(!program.window->loadCyclePage().calculateButton()->isEnabled());
}

void HeatsinkPageTest::anEditFindingAZeroResistanceDisablesBothCalculations() {
    Program program(sampleFolder());
    HeatsinkPage& page = program.window->heatsinkPage();
    QVERIFY(program.applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120")));
    // So large a capacity rounds Rth1 to 0.0000; the estimate itself succeeds.
    program.estimateHeatsink(QStringLiteral("600"));
    QCOMPARE(page.rthEdit(0)->text(), QStringLiteral("0.0000"));
    QVERIFY(calculateEnabled(program));

    typeInto(page.tthEdit(0), QStringLiteral("1.0000"));
    QVERIFY(page.rthSumEdit()->text().isEmpty());
    QVERIFY(!calculateEnabled(program));
    QVERIFY(!program.window->loadCyclePage().calculateButton()->isEnabled());
    QVERIFY(page.modelReady());

    typeInto(page.rthEdit(0), QStringLiteral("0.0001"));
    QVERIFY(!page.rthSumEdit()->text().isEmpty());
    QVERIFY(calculateEnabled(program));
}

void HeatsinkPageTest::lettersInATimeConstantKeepTheSumButDisable() {
    Program program(sampleFolder());
    HeatsinkPage& page = program.window->heatsinkPage();
    QVERIFY(program.applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120")));
    program.estimateHeatsink(QStringLiteral("1"));
    QCOMPARE(page.rthSumEdit()->text(), QStringLiteral("1.5386"));

    typeInto(page.tthEdit(2), QStringLiteral("abc"));
    // Recomputed from the four shown resistances.
    QCOMPARE(page.rthSumEdit()->text(), QStringLiteral("1.5386"));
    QCOMPARE(page.heatsinkTth()[2], 0.0);
    QCOMPARE(page.heatsinkRth()[0], 0.0095);
    QVERIFY(!calculateEnabled(program));
    QVERIFY(page.modelReady());
}

QTEST_MAIN(HeatsinkPageTest)
#include "heatsink_page_test.moc"
