// Renders every window of the program to PNG files, for a person to look at:
//   THERMALYX_RENDER_DIR=<folder> ctest -R window_rendering
// Without the variable the test is skipped.
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/about_dialog.h"
#include "app/disclaimer_dialog.h"
#include "app/recommended_device_dialog.h"
#include "gui_fixture.h"
#include "pages/condition_page.h"
#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "results/steady_result_dialog.h"
#include "widgets/byte_text_combo_box.h"

using namespace thermalyx;
using namespace thermalyx::test;

class WindowRendering : public RenderingTest {
    Q_OBJECT

private slots:
    void renderEveryWindow();
};

void WindowRendering::renderEveryWindow() {
    DisclaimerDialog disclaimer;
    disclaimer.show();
    QVERIFY(save(disclaimer, QStringLiteral("1_disclaimer")));
    disclaimer.close();

    Program program(sampleFolder());
    MainWindow& window = *program.window;
    DeviceSelectionPage& devices = window.deviceSelectionPage();
    QVERIFY(choose(devices.seriesList(), QStringLiteral("Z-Series")));
    QVERIFY(choose(devices.typeList(), QStringLiteral("6NZ100B-120")));
    HeatsinkPage& heatsink = window.heatsinkPage();
    heatsink.capacityEdit()->setText(QStringLiteral("22"));
    heatsink.estimateHeatsink();

    const QStringList tabs = {QStringLiteral("2_select_igbt"), QStringLiteral("3_select_heatsink"),
                              QStringLiteral("4_condition_input"), QStringLiteral("5_load_cycle")};
    for (int i = 0; i < tabs.size(); ++i) {
        window.tabs()->setCurrentIndex(i);
        QVERIFY(save(window, tabs[i]));
    }
    window.tabs()->setCurrentIndex(0);

    auto about = whenShown<AboutDialog>([this](AboutDialog& dialog) {
        save(dialog, QStringLiteral("6_about"));
        dialog.accept();
    });
    window.showAbout();
    QVERIFY(about->ran());

    auto search = whenShown<RecommendedDeviceDialog>([this](RecommendedDeviceDialog& dialog) {
        choose(dialog.acVoltageList(), QStringLiteral("400V"));
        choose(dialog.outputCapacityList(), QStringLiteral("7.5kW"));
        dialog.search();
        save(dialog, QStringLiteral("7_recommended_device"));
        dialog.reject();
    });
    devices.recommendedButton()->click();
    QVERIFY(search->ran());

    auto result = whenShown<SteadyResultDialog>([this](SteadyResultDialog& dialog) {
        saveResult(dialog, QStringLiteral("8_steady_result"), QStringLiteral("8_steady_chart"));
        dialog.reject();
    });
    window.tabs()->setCurrentIndex(2);
    window.conditionPage().calculateButton()->click();
    QVERIFY(result->ran());
    QVERIFY(program.prompt.messages.empty());
}

QTEST_MAIN(WindowRendering)
#include "window_rendering_test.moc"
