// The shell: the disclaimer, the main window's keys and tabs, the version box,
// and the enabling rules that tie the pages together.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "app/about_dialog.h"
#include "app/disclaimer_dialog.h"
#include "gui_fixture.h"
#include "pages/condition_page.h"
#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "pages/load_cycle_page.h"
#include "results/steady_result_dialog.h"
#include "widgets/byte_text_combo_box.h"

using namespace thermalyx;
using namespace thermalyx::test;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void disclaimerAcceptsOrDeclines();
    void enterInTheDisclaimerPressesTheFocusedButton();
    void opensOnTheFirstOfFourTabs();
    void enterPressesNothing();
    void escapeClosesTheWindow();
    void switchingTabsKeepsEveryValue();
    void versionBoxFromTheHelpMenu();
};

void MainWindowTest::disclaimerAcceptsOrDeclines() {
    const QStringList texts = DisclaimerDialog::texts();
    QCOMPARE(texts.size(), 6);
    QVERIFY(texts[2].endsWith(QChar(0x3000)));
    for (const char* button : {"acceptButton", "declineButton"}) {
        DisclaimerDialog disclaimer;
        QCOMPARE(disclaimer.windowTitle(), QStringLiteral("Attention"));
        auto driver = whenShown<DisclaimerDialog>([button](DisclaimerDialog& dialog) {
            dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
        const int result = disclaimer.exec();
        QVERIFY(driver->ran());
        QCOMPARE(result, QByteArray(button) == "acceptButton" ? int(QDialog::Accepted)
                                                              : int(QDialog::Rejected));
    }
}

void MainWindowTest::enterInTheDisclaimerPressesTheFocusedButton() {
    // Enter on a focused DECLINE declines; Enter elsewhere accepts.
    for (const char* focused : {"declineButton", "acceptButton", ""}) {
        DisclaimerDialog disclaimer;
        bool focusTaken = true;
        auto driver = whenShown<DisclaimerDialog>([&](DisclaimerDialog& dialog) {
            dialog.activateWindow();
            focusTaken = QTest::qWaitForWindowActive(&dialog);
            QWidget* target = &dialog;
            if (*focused != '\0') {
                target = dialog.findChild<QPushButton*>(QString::fromLatin1(focused));
                target->setFocus(Qt::TabFocusReason);
                focusTaken = focusTaken && QApplication::focusWidget() == target;
            }
            QTest::keyClick(target, Qt::Key_Return);
            if (dialog.isVisible()) dialog.done(-1);
        });
        const int result = disclaimer.exec();
        QVERIFY(driver->ran());
        if (!focusTaken) QSKIP("The disclaimer gets no keyboard focus on this platform");
        QCOMPARE(result, QByteArray(focused) == "declineButton" ? int(QDialog::Rejected)
                                                                : int(QDialog::Accepted));
    }
}

void MainWindowTest::opensOnTheFirstOfFourTabs() {
    Program program(sampleFolder());
    MainWindow& window = *program.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("IGBT/FWD power loss simulation"));
    QTabWidget* tabs = window.tabs();
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Select IGBT"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Select Heatsink"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Condition Input"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("Load Cycle"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->widget(0), &window.deviceSelectionPage());
    QCOMPARE(tabs->widget(3), &window.loadCyclePage());
    // The library was loaded by the device selection page.
    QCOMPARE(window.deviceSelectionPage().seriesList()->count(), 4);
    for (const char* text : {"Ver 4.1", "Norvane"}) {
        bool found = false;
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            found = found || label->text() == QString::fromLatin1(text);
        }
        QVERIFY2(found, text);
    }
    QVERIFY(!window.conditionPage().calculateButton()->isEnabled());
    QVERIFY(!window.loadCyclePage().addButton()->isEnabled());
    QVERIFY(window.loadCyclePage().deleteButton()->isEnabled());
}

void MainWindowTest::enterPressesNothing() {
    ReadyProgram program;
    QVERIFY(program.deviceApplied);
    MainWindow& window = *program.window;
    ConditionPage& page = window.conditionPage();
    QVERIFY(page.calculateButton()->isEnabled());
    // Closes every result window a wrong Enter would open.
    auto driver =
        whenShown<SteadyResultDialog>([](SteadyResultDialog& dialog) { dialog.reject(); }, true);

    window.tabs()->setCurrentIndex(2);
    page.calculateButton()->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(page.calculateButton(), key);
        QTest::keyClick(page.field(ConditionPage::OutputCurrent), key);
        QTest::keyClick(&window, key);
    }
    window.tabs()->setCurrentIndex(1);
    QTest::keyClick(window.heatsinkPage().ambientEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();

    QVERIFY(!driver->ran());
    QVERIFY(program.prompt.messages.empty());
    QVERIFY(window.isVisible());
}

void MainWindowTest::escapeClosesTheWindow() {
    Program program(sampleFolder());
    QTest::keyClick(program.window.get(), Qt::Key_Escape);
    QVERIFY(!program.window->isVisible());
    QCOMPARE(program.window->result(), int(QDialog::Rejected));
}

void MainWindowTest::switchingTabsKeepsEveryValue() {
    Program program(sampleFolder());
    MainWindow& window = *program.window;
    QVERIFY(program.applyDevice(QStringLiteral("Q-Series"), QStringLiteral("6NQ50A-060")));
    HeatsinkPage& heatsink = window.heatsinkPage();
    program.estimateHeatsink(QStringLiteral("3.7"));
    typeInto(heatsink.ambientEdit(), QStringLiteral("55"));
    typeInto(heatsink.tthEdit(1), QStringLiteral("12"));
    ConditionPage& conditions = window.conditionPage();
    typeInto(conditions.field(ConditionPage::OutputCurrent), QStringLiteral("17.5"));
    conditions.threeArmsButton()->click();
    conditions.dcLockBox()->click();

    const auto snapshot = [&] {
        QStringList values;
        for (const QLineEdit* edit : window.findChildren<QLineEdit*>()) {
            values << edit->objectName() + QLatin1Char('=') + edit->text();
        }
        const DeviceSelectionPage& devices = window.deviceSelectionPage();
        values << devices.seriesList()->currentText() << devices.typeList()->currentText();
        const auto flag = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
        values << flag(conditions.threeArmsButton()->isChecked())
               << flag(conditions.dcLockBox()->isChecked())
               << flag(conditions.calculateButton()->isEnabled());
        return values;
    };
    const QStringList before = snapshot();
    for (int tab : {1, 2, 3, 0, 3, 2, 1, 0}) {
        window.tabs()->setCurrentIndex(tab);
        QCOMPARE(window.tabs()->currentWidget()->isVisible(), true);
        QVERIFY(window.tabs()->tabBar()->hasFocus() || !window.isActiveWindow());
    }
    QCOMPARE(snapshot(), before);
    QVERIFY(before.contains(QStringLiteral("ambientEdit=55")));
    QVERIFY(before.contains(QStringLiteral("outputCurrentEdit=17.5")));
}

void MainWindowTest::versionBoxFromTheHelpMenu() {
    Program program(sampleFolder());
    MainWindow& window = *program.window;
    QCOMPARE(window.aboutAction()->text(), QStringLiteral("Thermalyx Version Info.(&A)..."));
    QString title;
    QString version;
    auto driver = whenShown<AboutDialog>([&](AboutDialog& dialog) {
        title = dialog.windowTitle();
        version = dialog.findChild<QLabel*>(QStringLiteral("versionText"))->text();
        dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    window.aboutAction()->trigger();
    QVERIFY(driver->ran());
    QCOMPARE(title, QStringLiteral("Thermalyx Version Info."));
    QCOMPARE(version, QStringLiteral("Thermalyx Version 4.1"));
    QVERIFY(window.isVisible());
    QCOMPARE(window.tabs()->currentIndex(), 0);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
