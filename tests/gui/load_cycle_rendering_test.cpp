// Renders the load-cycle windows to PNG files, for a person to look at:
//   THERMALYX_RENDER_DIR=<folder> ctest -R load_cycle_rendering
// Without the variable the test is skipped.
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include "gui_fixture.h"
#include "load_cycle_test_support.h"
#include "pages/load_cycle_page.h"
#include "pages/mode_editor_dialog.h"
#include "results/load_cycle_result_dialog.h"

using namespace thermalyx;
using namespace thermalyx::test;

class LoadCycleRendering : public RenderingTest {
    Q_OBJECT

private slots:
    void renderTheLoadCycleWindows();
};

void LoadCycleRendering::renderTheLoadCycleWindows() {
    ReadyProgram program;
    QVERIFY(program.deviceApplied);
    MainWindow& window = *program.window;
    LoadCyclePage& page = window.loadCyclePage();
    window.tabs()->setCurrentIndex(3);

    // The first mode's editor shows the device's defaults.
    auto first = whenShown<ModeEditorDialog>([this](ModeEditorDialog& editor) {
        editor.field(ModeColumn::Duration)->setText(QStringLiteral("2"));
        editor.field(ModeColumn::FrequencyStart)->setText(QStringLiteral("1"));
        editor.field(ModeColumn::OutputCurrent)->setText(QStringLiteral("70.0"));
        save(editor, QStringLiteral("lc1_mode_editor"));
        editor.okButton()->click();
    });
    page.addButton()->click();
    QVERIFY(first->ran());
    QVERIFY(addMode(page, modeTexts({"6", "50.0", "50.0", "45.0", "8.00", "0.85", "1.00", "600",
                                     "5.60", "5.60"})));
    QVERIFY(addMode(page, modeTexts({"2", "50.0", "5.0", "70.0", "8.00", "0.85", "1.00", "600",
                                     "5.60", "5.60"})));
    QVERIFY(addMode(page, modeTexts({"4.5", "5.0", "5.0", "20.0", "8.00", "-0.30", "0.20", "600",
                                     "5.60", "5.60"},
                                    true)));
    QVERIFY(addMode(page, modeTexts({"3", "0.1", "0.1", "10.0", "4.00", "0.85", "1.00", "600",
                                     "5.60", "5.60"})));
    clickRow(page, 1);
    page.averageButton()->click();
    QVERIFY(save(window, QStringLiteral("lc2_load_cycle_page")));

    auto change = whenShown<ModeEditorDialog>([this](ModeEditorDialog& editor) {
        save(editor, QStringLiteral("lc3_mode_editor_change"));
        editor.reject();
    });
    page.changeButton()->click();
    QVERIFY(change->ran());

    auto result = whenShown<LoadCycleResultDialog>([this](LoadCycleResultDialog& dialog) {
        saveResult(dialog, QStringLiteral("lc4_load_cycle_result"),
                   QStringLiteral("lc4_load_cycle_chart"));
        dialog.accept();
    });
    QVERIFY(page.calculateButton()->isEnabled());
    page.calculateButton()->click();
    QVERIFY(result->ran());
    QVERIFY(program.prompt.messages.empty());
}

QTEST_MAIN(LoadCycleRendering)
#include "load_cycle_rendering_test.moc"
