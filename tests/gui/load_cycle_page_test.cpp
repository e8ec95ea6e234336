// The load-cycle page: its table commands, the mode editor's prefill and
// checks, the enabling of its commands across the pages, and what
// "calculate" hands to the cycle.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "gui_fixture.h"
#include "load_cycle_test_support.h"
#include "pages/condition_page.h"
#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "pages/load_cycle_page.h"
#include "pages/mode_editor_dialog.h"
#include "results/load_cycle_result_dialog.h"
#include "tests/support/gui_messages.h"
#include "tests/support/sample_records.h"
#include "widgets/byte_text_combo_box.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

const QString kSeries = QStringLiteral("Test-Series");
const std::string kLongSeries(60, 'L');

// One of the sample line's devices under another name, with limits the tests
// choose: output frequency min..400 Hz (default 50), current 0.1..200 A (50),
// carrier 1..20 kHz (8), power factor -1..1 (0.85), modulation rate 0..1.15
// (1), DC link 100..800 V (300.7), gate resistance 1..50 ohm (5.6).
LibraryDevice testDevice(const LibraryDevice& base, const std::string& series,
                         const std::string& type, double frequencyMin) {
    LibraryDevice device = base;
    device.spec.series = device.search.series = device.limits.series = device.params.series =
        series;
    device.spec.typeNumber = device.search.typeNumber = device.limits.typeNumber =
        device.params.typeNumber = type;
    setInputLimits(device.limits, {400,  frequencyMin, 50, 200, 0.1, 50,  20,    1,  8, 1,  -1,
                                   0.85, 1.15,         0,  1,   800, 100, 300.7, 50, 1, 5.6});
    return device;
}

// Test-Series: T-MIN0 (output frequency from 0 Hz), T-MIN01 (from 0.1 Hz),
// T-MIN015 (from 0.15 Hz); Small-Series: S-20 (at most 20 A); and a device
// whose series name is longer than the editor's 40-character fields.
std::string writeTestLibrary(const QTemporaryDir& dir) {
    LibraryDevice base;
    for (const LibraryDevice& device : sampleDevices()) {
        if (device.spec.typeNumber == "6NZ100B-120") base = device;
    }
    LibraryDevice small = testDevice(base, "Small-Series", "S-20", 0.1);
    small.limits.outputCurrentMax = 20;
    small.limits.outputCurrentDefault = 10;
    return writeLibraryFolder(dir,
                              {testDevice(base, "Test-Series", "T-MIN0", 0.0),
                               testDevice(base, "Test-Series", "T-MIN01", 0.1),
                               testDevice(base, "Test-Series", "T-MIN015", 0.15), small,
                               testDevice(base, kLongSeries, "LONG-1", 0.1)},
                              false);
}

// A mode of the test devices with the given duration, frequencies and current.
ModeRowTexts mode(const char* duration, const char* start = "50.0", const char* end = "50.0",
                  const char* current = "50.0", bool dcLock = false) {
    return modeTexts({duration, start, end, current, "8.00", "0.85", "1.00", "600", "5.60", "5.60"},
                     dcLock);
}

// A program over the test library with a device applied (T-MIN0 unless told)
// and, when asked, a 22 kW heat sink.
struct TestProgram : Program {
    explicit TestProgram(const QTemporaryDir& dir, bool heatsink = true,
                         const QString& type = QStringLiteral("T-MIN0"))
        : Program(writeTestLibrary(dir)) {
        applyDevice(kSeries, type);
        if (heatsink) estimateHeatsink(QStringLiteral("22"));
    }
    LoadCyclePage& page() { return window->loadCyclePage(); }
    QTableWidget& table() { return *page().modeTable(); }
    DeviceSelectionPage& devices() { return window->deviceSelectionPage(); }
};

// Runs "calculate"; when the result window shows, keeps the calculation's
// modes and closes it. False when no window showed.
bool calculate(LoadCyclePage& page, std::vector<LoadCycleMode>* modes = nullptr) {
    auto driver = whenShown<LoadCycleResultDialog>([&page, modes](LoadCycleResultDialog& dialog) {
        if (modes != nullptr) *modes = page.lastLoadCycleCalculation().modes;
        dialog.accept();
    });
    page.calculateButton()->click();
    return driver->ran();
}

QStringList texts(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* text : list) result << QString::fromLatin1(text);
    return result;
}

}  // namespace

class LoadCyclePageTest : public QObject {
    Q_OBJECT

private slots:
    void startsEmptyWithTheDeviceCommandsDisabled();
    void calculateNeedsADeviceAHeatSinkAndARow();
    void theFirstAddShowsTheDeviceDefaults();
    void laterAddsRepeatTheLastRowWithItsDcLock();
    void changeEditsTheClickedRowOnce();
    void aDoubleClickChangesOnlyWhileADeviceIsSelected();
    void theTableHoldsAtMost25Modes();
    void deleteRenumbersTheRowsAfterTheDeletedOne();
    void everyEditorFieldMeetsItsRule_data();
    void everyEditorFieldMeetsItsRule();
    void aRejectedOkKeepsTheEditorOpenWithTheTexts();
    void deleteAfterASeriesChangeLeavesCalculateDisabled();
    void enterInTheEditorPressesTheFocusedButton();
    void aZeroFrequencyRunsAtOneTenthHertzAndIsCheckedSo();
    void rowsOfThePreviousDeviceMeetTheNewDevicesLimits();
    void theOptionsReachEveryMode();
    void theAmbientTemperatureIsCheckedBeforeTheRows();
    void longDeviceNamesAreHeldWhole();
};

void LoadCyclePageTest::startsEmptyWithTheDeviceCommandsDisabled() {
    Program program(sampleFolder());
    LoadCyclePage& page = program.window->loadCyclePage();
    QCOMPARE(page.rowCount(), 0);
    QCOMPARE(page.selectedRow(), -1);
    QVERIFY(!page.addButton()->isEnabled());
    QVERIFY(!page.changeButton()->isEnabled());
    QVERIFY(!page.calculateButton()->isEnabled());
    QVERIFY(page.deleteButton()->isEnabled());
    QVERIFY(page.twoArmsButton()->isChecked());
    QVERIFY(page.maximumButton()->isChecked());
    QCOMPARE(page.modulation(), 1);
    QCOMPARE(page.tjMode(), 0);

    // Twelve columns of fixed widths under their labels, the list's own header hidden.
    const QTableWidget& table = *page.modeTable();
    QCOMPARE(table.columnCount(), 12);
    const std::array<int, 12> widths = {50, 53, 61, 61, 53, 61, 70, 71, 52, 70, 70, 63};
    for (int c = 0; c < 12; ++c)
        QCOMPARE(table.columnWidth(c), widths[static_cast<std::size_t>(c)]);
    QVERIFY(table.horizontalHeader()->isHidden());
    QVERIFY(table.showGrid());
    QCOMPARE(table.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table.selectionMode(), QAbstractItemView::SingleSelection);
    const QLabel* first = page.findChild<QLabel*>(QStringLiteral("columnLabel0"));
    const QLabel* power = page.findChild<QLabel*>(QStringLiteral("columnLabel6"));
    const QLabel* last = page.findChild<QLabel*>(QStringLiteral("columnLabel11"));
    QVERIFY(first && power && last);
    QCOMPARE(first->text(), QStringLiteral("\nMode\nNumber"));
    QCOMPARE(power->text(), QStringLiteral("Power\nfactor\n\n(-1.0 to 1.0)"));
    QCOMPARE(last->text(), QStringLiteral("DC LOCK"));
    // Every label stands over its column and ends above the list.
    QCOMPARE(power->geometry().left() - table.geometry().left() - table.frameWidth(),
             50 + 53 + 61 + 61 + 53 + 61);
    QVERIFY(last->geometry().bottom() < table.geometry().top());
}

void LoadCyclePageTest::calculateNeedsADeviceAHeatSinkAndARow() {
    QTemporaryDir dir;
    TestProgram program(dir, false);
    LoadCyclePage& page = program.page();
    QVERIFY(page.addButton()->isEnabled());
    QVERIFY(page.changeButton()->isEnabled());

    // A row without a heat-sink model, then the model: the heat-sink page enables.
    QVERIFY(addMode(page, mode("1")));
    QVERIFY(!page.calculateButton()->isEnabled());
    program.estimateHeatsink(QStringLiteral("22"));
    QVERIFY(page.calculateButton()->isEnabled());

    // Another series closes every command that needs the device; the rows stay.
    QVERIFY(choose(program.devices().seriesList(), QStringLiteral("Small-Series")));
    QVERIFY(!page.calculateButton()->isEnabled());
    QVERIFY(!page.addButton()->isEnabled());
    QVERIFY(!page.changeButton()->isEnabled());
    QCOMPARE(page.rowCount(), 1);
    QVERIFY(choose(program.devices().typeList(), QStringLiteral("S-20")));
    QVERIFY(page.calculateButton()->isEnabled());
    QVERIFY(page.addButton()->isEnabled());

    // A broken network closes calculate; mending it opens it again.
    typeInto(program.window->heatsinkPage().tthEdit(2), QStringLiteral("x"));
    QVERIFY(!page.calculateButton()->isEnabled());
    typeInto(program.window->heatsinkPage().tthEdit(2), QStringLiteral("50"));
    QVERIFY(page.calculateButton()->isEnabled());

    // Declining the question keeps the row and the command; deleting the last row closes it.
    QVERIFY(addMode(page, mode("2", "50.0", "50.0", "10.0")));
    clickRow(page, 0);
    program.prompt.answers = {PromptAnswer::Cancel};
    page.deleteButton()->click();
    QCOMPARE(page.rowCount(), 2);
    QVERIFY(page.calculateButton()->isEnabled());
    for (int remaining = 2; remaining > 0; --remaining) {
        deleteRow(page, 0);
    }
    QCOMPARE(page.rowCount(), 0);
    QVERIFY(!page.calculateButton()->isEnabled());
}

void LoadCyclePageTest::theFirstAddShowsTheDeviceDefaults() {
    QTemporaryDir dir;
    TestProgram program(dir, false);
    const EditorVisit visit =
        visitEditor([&] { program.page().addButton()->click(); }, std::nullopt);
    QVERIFY(visit.opened);
    // The DC link voltage default 300.7 is shown whole, the duration empty.
    QCOMPARE(visit.shown.columns,
             (modeTexts({"", "50.0", "50.0", "50.0", "8.00", "0.85", "1.00", "300", "5.60", "5.60"})
                  .columns));
    QVERIFY(!visit.shown.dcLock);
    QCOMPARE(visit.series, std::string("Test-Series"));
    QCOMPARE(visit.typeNumber, std::string("T-MIN0"));
    // Cancelling adds nothing.
    QCOMPARE(program.page().rowCount(), 0);
    QCOMPARE(program.page().selectedRow(), -1);
}

void LoadCyclePageTest::laterAddsRepeatTheLastRowWithItsDcLock() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    const ModeRowTexts locked = modeTexts(
        {"1.5", "5.0", "60.0", "80.0", "10.00", "-0.50", "0.80", "400", "6.00", "7.00"}, true);
    QVERIFY(addMode(page, locked));
    EditorVisit visit = visitEditor([&] { page.addButton()->click(); }, mode("3"));
    QVERIFY(visit.accepted);
    QCOMPARE(visit.shown.columns, locked.columns);
    QVERIFY(visit.shown.dcLock);

    visit = visitEditor([&] { page.addButton()->click(); }, std::nullopt);
    QCOMPARE(visit.shown.columns, mode("3").columns);
    QVERIFY(!visit.shown.dcLock);

    // The rows as typed, numbered from 1, with their DC LOCK words.
    QCOMPARE(rowCells(program.table(), 0), texts({"1", "1.5", "5.0", "60.0", "80.0", "10.00",
                                                  "-0.50", "0.80", "400", "6.00", "7.00", "LOCK"}));
    QCOMPARE(rowCells(program.table(), 1), texts({"2", "3", "50.0", "50.0", "50.0", "8.00", "0.85",
                                                  "1.00", "600", "5.60", "5.60", "NORMAL"}));
}

void LoadCyclePageTest::changeEditsTheClickedRowOnce() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    for (const char* duration : {"1", "2", "3"}) QVERIFY(addMode(page, mode(duration)));

    // Nothing is chosen after ADD, although the list may still mark a row.
    QCOMPARE(page.selectedRow(), -1);
    QVERIFY(!visitEditor([&] { page.changeButton()->click(); }, std::nullopt).opened);

    clickRow(page, 1);
    QCOMPARE(page.selectedRow(), 1);
    const EditorVisit visit = visitEditor([&] { page.changeButton()->click(); },
                                          mode("2.5", "10.0", "20.0", "30.0", true));
    QVERIFY(visit.accepted);
    QCOMPARE(visit.shown.columns, mode("2").columns);
    QCOMPARE(rowCells(program.table(), 1), texts({"2", "2.5", "10.0", "20.0", "30.0", "8.00",
                                                  "0.85", "1.00", "600", "5.60", "5.60", "LOCK"}));
    QCOMPARE(page.rowCount(), 3);
    QCOMPARE(page.selectedRow(), -1);
    // Until a row is clicked again, CHANGE does nothing.
    QVERIFY(!visitEditor([&] { page.changeButton()->click(); }, std::nullopt).opened);

    // Cancelling leaves the row as it was.
    clickRow(page, 2);
    visitEditor([&] { page.changeButton()->click(); }, std::nullopt);
    QCOMPARE(columnCells(program.table(), 1), texts({"1", "2.5", "3"}));
    QCOMPARE(page.selectedRow(), -1);
}

void LoadCyclePageTest::aDoubleClickChangesOnlyWhileADeviceIsSelected() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    for (const char* duration : {"1", "2"}) QVERIFY(addMode(page, mode(duration)));

    EditorVisit visit = visitEditor([&] { doubleClickRow(page, 1); }, mode("7"));
    QVERIFY(visit.opened);
    QCOMPARE(visit.shown.columns, mode("2").columns);
    QCOMPARE(columnCells(program.table(), 1), texts({"1", "7"}));
    QCOMPARE(page.selectedRow(), -1);

    QVERIFY(choose(program.devices().seriesList(), QStringLiteral("Small-Series")));
    visit = visitEditor([&] { doubleClickRow(page, 0); }, std::nullopt);
    QVERIFY(!visit.opened);
    // The click itself still chooses the row.
    QCOMPARE(page.selectedRow(), 0);
}

void LoadCyclePageTest::theTableHoldsAtMost25Modes() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    for (int i = 0; i < 24; ++i) QVERIFY(addMode(page, mode("1")));
    QVERIFY(program.prompt.messages.empty());
    QVERIFY(addMode(page, mode("2")));
    QCOMPARE(page.rowCount(), 25);
    QCOMPARE(rowCells(program.table(), 24).front(), QStringLiteral("25"));

    clickRow(page, 3);
    const EditorVisit visit = visitEditor([&] { page.addButton()->click(); }, mode("3"));
    QVERIFY(!visit.opened);
    QCOMPARE(page.rowCount(), 25);
    QCOMPARE(page.selectedRow(), -1);
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.prompt.messages.back().text,
             QStringLiteral("25 or more cannot be added more."));
    QCOMPARE(program.prompt.messages.back().caption, QStringLiteral("Cannot be added more"));
    QCOMPARE(program.prompt.messages.back().buttons, PromptButtons::Ok);
}

void LoadCyclePageTest::deleteRenumbersTheRowsAfterTheDeletedOne() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    for (const char* duration : {"1", "2", "3", "4"}) QVERIFY(addMode(page, mode(duration)));

    // Without a clicked row nothing is asked.
    page.deleteButton()->click();
    QVERIFY(program.prompt.messages.empty());
    QCOMPARE(page.rowCount(), 4);

    deleteRow(page, 1);
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    const ScriptedPrompt::Message& question = program.prompt.messages.back();
    QCOMPARE(question.text, QStringLiteral("Is the item that has been selected deleted ?"));
    QCOMPARE(question.caption, QStringLiteral("Delete?"));
    QCOMPARE(question.buttons, PromptButtons::OkCancel);
    QCOMPARE(question.icon, PromptIcon::Question);
    QCOMPARE(columnCells(program.table(), 0), texts({"1", "2", "3"}));
    QCOMPARE(columnCells(program.table(), 1), texts({"1", "3", "4"}));
    QCOMPARE(page.selectedRow(), -1);

    // The last row: nothing after it to renumber.
    deleteRow(page, 2);
    QCOMPARE(columnCells(program.table(), 0), texts({"1", "2"}));
    QCOMPARE(columnCells(program.table(), 1), texts({"1", "3"}));

    // A declined question changes nothing, and the row must be clicked again.
    clickRow(page, 0);
    program.prompt.answers = {PromptAnswer::Cancel};
    page.deleteButton()->click();
    QCOMPARE(columnCells(program.table(), 1), texts({"1", "3"}));
    QCOMPARE(page.selectedRow(), -1);
    page.deleteButton()->click();
    QCOMPARE(program.prompt.messages.size(), std::size_t{3});

    // A new row continues the numbering.
    QVERIFY(addMode(page, mode("5")));
    QCOMPARE(columnCells(program.table(), 0), texts({"1", "2", "3"}));
}

void LoadCyclePageTest::everyEditorFieldMeetsItsRule_data() {
    QTest::addColumn<int>("column");
    // A leading zero is refused in every column, so each field reaches its rule.
    for (int column = 1; column <= kModeTextColumns; ++column) {
        QTest::addRow("050 in column %d", column) << column;
    }
}

void LoadCyclePageTest::everyEditorFieldMeetsItsRule() {
    QFETCH(int, column);
    QTemporaryDir dir;
    TestProgram program(dir);
    ModeRowTexts texts = mode("1", "20.0", "30.0");
    texts.columns[static_cast<std::size_t>(column - 1)] = "050";

    const EditorVisit visit = visitEditor([&] { program.page().addButton()->click(); }, texts);
    QVERIFY(visit.opened);
    QVERIFY(!visit.accepted);
    QCOMPARE(program.page().rowCount(), 0);
    expectInputError(program.prompt, kLimitText);
}

void LoadCyclePageTest::aRejectedOkKeepsTheEditorOpenWithTheTexts() {
    QTemporaryDir dir;
    TestProgram program(dir);
    const ModeRowTexts typed = modeTexts(
        {"2", "10.0", "20.0", "300", "8.00", "0.85", "1.00", "600", "5.60", "5.60"}, true);
    bool checked = false;
    auto driver = whenShown<ModeEditorDialog>([&](ModeEditorDialog& editor) {
        const CloseOnExit closer(editor);
        for (int c = 1; c <= kModeTextColumns; ++c) {
            typeInto(editor.field(static_cast<ModeColumn>(c)),
                     QString::fromStdString(typed.columns[static_cast<std::size_t>(c - 1)]));
        }
        editor.dcLockBox()->setChecked(true);
        editor.okButton()->click();
        // 300 A is past the 200 A limit: the editor stays, every text as typed.
        QVERIFY(editor.isVisible());
        for (int c = 1; c <= kModeTextColumns; ++c) {
            QCOMPARE(editor.field(static_cast<ModeColumn>(c))->text(),
                     QString::fromStdString(typed.columns[static_cast<std::size_t>(c - 1)]));
        }
        QVERIFY(editor.dcLockBox()->isChecked());
        checked = true;
        editor.cancelButton()->click();
    });
    program.page().addButton()->click();
    QVERIFY(driver->ran());
    QVERIFY(checked);
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.page().rowCount(), 0);
}

void LoadCyclePageTest::deleteAfterASeriesChangeLeavesCalculateDisabled() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    for (const char* duration : {"1", "2"}) QVERIFY(addMode(page, mode(duration)));
    QVERIFY(page.calculateButton()->isEnabled());
    QVERIFY(choose(program.devices().seriesList(), QStringLiteral("Small-Series")));
    QVERIFY(!page.calculateButton()->isEnabled());

    deleteRow(page, 0);
    QCOMPARE(page.rowCount(), 1);
    QVERIFY(!page.calculateButton()->isEnabled());
}

void LoadCyclePageTest::enterInTheEditorPressesTheFocusedButton() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    bool skipped = false;
    // Enter on a focused CANCEL cancels; Enter in a field is OK.
    for (const bool onCancel : {true, false}) {
        auto driver = whenShown<ModeEditorDialog>([&](ModeEditorDialog& editor) {
            const CloseOnExit closer(editor);
            editor.activateWindow();
            const bool active = QTest::qWaitForWindowActive(&editor);
            typeInto(editor.field(ModeColumn::Duration), QStringLiteral("3"));
            QWidget* target = onCancel ? static_cast<QWidget*>(editor.cancelButton())
                                       : editor.field(ModeColumn::Duration);
            target->setFocus(Qt::TabFocusReason);
            if (!active || QApplication::focusWidget() != target) {
                skipped = true;
                editor.reject();
                return;
            }
            QTest::keyClick(target, Qt::Key_Return);
        });
        page.addButton()->click();
        QVERIFY(driver->ran());
        if (skipped) QSKIP("The editor gets no keyboard focus on this platform");
        QCOMPARE(page.rowCount(), onCancel ? 0 : 1);
    }
    QVERIFY(program.prompt.messages.empty());
}

void LoadCyclePageTest::aZeroFrequencyRunsAtOneTenthHertzAndIsCheckedSo() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    QVERIFY(addMode(page, mode("2", "0", "20.0")));
    QVERIFY(addMode(page, mode("2", "20.0", "0")));

    std::vector<LoadCycleMode> modes;
    QVERIFY(calculate(page, &modes));
    QCOMPARE(modes.size(), std::size_t{2});
    QCOMPARE(modes[0].frequencyStart, 0.1);
    QCOMPARE(modes[0].frequencyEnd, 20.0);
    QCOMPARE(modes[1].frequencyEnd, 0.1);
    // The table keeps what was typed.
    QCOMPARE(columnCells(program.table(), 2), texts({"0", "20.0"}));

    // 0.1 Hz lies within a 0.1 Hz minimum, not within a 0.15 Hz one.
    QVERIFY(choose(program.devices().typeList(), QStringLiteral("T-MIN01")));
    QVERIFY(calculate(page));
    QVERIFY(program.prompt.messages.empty());
    QVERIFY(choose(program.devices().typeList(), QStringLiteral("T-MIN015")));
    QVERIFY(!calculate(page));
    expectInputError(program.prompt, kLimitText);
}

void LoadCyclePageTest::rowsOfThePreviousDeviceMeetTheNewDevicesLimits() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    QVERIFY(addMode(page, mode("1", "50.0", "50.0", "15.0")));
    QVERIFY(addMode(page, mode("1", "50.0", "50.0", "80.0")));
    QVERIFY(program.applyDevice(QStringLiteral("Small-Series"), QStringLiteral("S-20")));
    QVERIFY(page.calculateButton()->isEnabled());

    QVERIFY(!calculate(page));
    QCOMPARE(program.prompt.messages.size(), std::size_t{1});
    QCOMPARE(program.prompt.messages.back().text, kLimitText);

    // The row fixed for the new device, the cycle runs on it.
    clickRow(page, 1);
    QVERIFY(visitEditor([&] { page.changeButton()->click(); }, mode("1", "50.0", "50.0", "20.0"))
                .accepted);
    std::vector<LoadCycleMode> modes;
    QVERIFY(calculate(page, &modes));
    QCOMPARE(modes.size(), std::size_t{2});
    QCOMPARE(modes[1].series, std::string("Small-Series"));
    QCOMPARE(modes[1].typeNumber, std::string("S-20"));
    QCOMPARE(modes[1].outputCurrentRms, 20.0);
    // The device that ran is shown as the selected one.
    QCOMPARE(program.devices().selectedType(), std::string("S-20"));
}

void LoadCyclePageTest::theOptionsReachEveryMode() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    QVERIFY(addMode(page, mode("1", "10.0", "50.0")));
    QVERIFY(addMode(page, mode("2", "50.0", "50.0", "30.0", true)));
    QVERIFY(addMode(page, mode("3", "50.0", "5.0")));

    std::vector<LoadCycleMode> modes;
    QVERIFY(calculate(page, &modes));
    QCOMPARE(modes.size(), std::size_t{3});
    for (const LoadCycleMode& m : modes) {
        QCOMPARE(m.modulation, 1);
        QCOMPARE(m.tjMode, 0);
    }
    QCOMPARE(modes[1].dcLock, true);
    QCOMPARE(modes[2].dcLock, false);
    QCOMPARE(modes[2].duration, 3.0);
    QCOMPARE(modes[2].frequencyEnd, 5.0);

    page.threeArmsButton()->click();
    page.averageButton()->click();
    QVERIFY(calculate(page, &modes));
    for (const LoadCycleMode& m : modes) {
        QCOMPARE(m.modulation, 2);
        QCOMPARE(m.tjMode, 1);
        // The heat-sink network travels with every row for the report.
        QCOMPARE(m.heatsink.rth, program.window->heatsinkPage().heatsinkRth());
    }
    QCOMPARE(page.modulation(), 2);
    QCOMPARE(page.tjMode(), 1);
    // The condition page keeps its own modulation.
    QVERIFY(program.window->conditionPage().twoArmsButton()->isChecked());
}

void LoadCyclePageTest::theAmbientTemperatureIsCheckedBeforeTheRows() {
    QTemporaryDir dir;
    TestProgram program(dir);
    LoadCyclePage& page = program.page();
    QVERIFY(addMode(page, mode("1", "50.0", "50.0", "80.0")));
    // A row the new device rejects and an ambient temperature out of range:
    // the ambient temperature is reported.
    QVERIFY(program.applyDevice(QStringLiteral("Small-Series"), QStringLiteral("S-20")));
    for (const QString& ambient : {QStringLiteral("125.5"), QString(), QStringLiteral("040")}) {
        program.window->heatsinkPage().ambientEdit()->setText(ambient);
        program.prompt.messages.clear();
        QVERIFY(!calculate(page));
        expectInputError(program.prompt, kAmbientText);
    }
    program.window->heatsinkPage().ambientEdit()->setText(QStringLiteral("-40"));
    program.prompt.messages.clear();
    QVERIFY(!calculate(page));
    QCOMPARE(program.prompt.messages.back().text, kLimitText);
}

void LoadCyclePageTest::longDeviceNamesAreHeldWhole() {
    QTemporaryDir dir;
    TestProgram program(dir);
    QVERIFY(program.applyDevice(QString::fromStdString(kLongSeries), QStringLiteral("LONG-1")));
    LoadCyclePage& page = program.page();
    const EditorVisit visit = visitEditor([&] { page.addButton()->click(); }, mode("1"));
    QVERIFY(visit.opened);
    QCOMPARE(visit.series, kLongSeries);
    // The limits were found under the whole name: defaults shown, mode accepted.
    QCOMPARE(visit.shown.text(ModeColumn::DcVoltage), std::string("300"));
    QVERIFY(visit.accepted);
    std::vector<LoadCycleMode> modes;
    QVERIFY(calculate(page, &modes));
    QCOMPARE(modes.front().series, kLongSeries);
}

QTEST_MAIN(LoadCyclePageTest)
#include "load_cycle_page_test.moc"
