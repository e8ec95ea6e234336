// The recommended-device search and the device it hands to the selection page.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/recommended_device_dialog.h"
#include "gui_fixture.h"
#include "pages/device_selection_page.h"
#include "widgets/byte_text_combo_box.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

const QString kSelectCondition = QStringLiteral("Please select condition. ");
const QString kFound = QStringLiteral("The applicable part was found.Please choose an IGBT part.");
const QString kNotFound = QStringLiteral("Not found IGBT part.");

// The sample line with 6NZ50A-120 also sold, earlier in the files, as an "AX-Series" part.
std::string folderWithSharedTypeNumber(const QTemporaryDir& dir) {
    std::vector<LibraryDevice> devices = sampleDevices();
    for (const LibraryDevice& device : devices) {
        if (device.spec.typeNumber == "6NZ50A-120") {
            LibraryDevice twin = device;
            twin.spec.series = twin.search.series = twin.limits.series = twin.params.series =
                "AX-Series";
            devices.insert(devices.begin(), twin);
            break;
        }
    }
    return writeLibraryFolder(dir, devices, true);
}

// Searches condition #1 for an AC voltage and an output capacity; false when
// either is not in its list.
bool searchByCapacity(RecommendedDeviceDialog& dialog, const QString& voltage,
                      const QString& capacity) {
    if (!choose(dialog.acVoltageList(), voltage) ||
        !choose(dialog.outputCapacityList(), capacity)) {
        return false;
    }
    dialog.searchButton()->click();
    return true;
}

// Opens the dialog from the selection page, searches 400V / 7.5kW, chooses
// typeNumber among the results (none when empty) and leaves through the named
// button; false when the dialog never showed.
bool runFromPage(DeviceSelectionPage& page, const QString& typeNumber, const QString& button) {
    auto driver = whenShown<RecommendedDeviceDialog>([&](RecommendedDeviceDialog& dialog) {
        searchByCapacity(dialog, QStringLiteral("400V"), QStringLiteral("7.5kW"));
        if (!typeNumber.isEmpty()) choose(dialog.resultList(), typeNumber);
        dialog.findChild<QPushButton*>(button)->click();
    });
    page.recommendedButton()->click();
    return driver->ran();
}

// A library loaded from a folder, as the program loads it before any window.
struct LoadedLibrary {
    explicit LoadedLibrary(const std::string& folder) : library(folder) { library.load(); }
    DeviceLibrary library;
};

// The dialog over the library of a folder.
struct OpenDialog : LoadedLibrary {
    explicit OpenDialog(const std::string& folder) : LoadedLibrary(folder), dialog(library) {}
    RecommendedDeviceDialog dialog;
};

}  // namespace

class RecommendedDeviceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensWithFilledListsAndNoSelection();
    void searchNeedsBothListsOfItsCondition();
    void searchListsEveryDeviceFound();
    void aChangedConditionEmptiesTheResults();
    void enterPressesTheFocusedButton();
    void eachOptionDropsTheOtherConditionsSelections();
    void okResolvesTheChosenTypeNumberInFileOrder();
    void okWithoutAChoiceGivesNoDevice();
    void theSelectionPageAppliesThePick();
    void theSelectionPageStaysAsItWasWithoutAPick();
    void anEmptyLibraryOnlyAsksForAConditions();

private:
    QTemporaryDir dir_;
    std::string folder_;
};

void RecommendedDeviceDialogTest::initTestCase() {
    folder_ = folderWithSharedTypeNumber(dir_);
    QVERIFY(!folder_.empty());
}

void RecommendedDeviceDialogTest::opensWithFilledListsAndNoSelection() {
    OpenDialog open(sampleFolder());
    RecommendedDeviceDialog& dialog = open.dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Recommended device"));
    QCOMPARE(dialog.searchMode(), 1);
    QVERIFY(dialog.conditionOneButton()->isChecked());
    QCOMPARE(entries(dialog.acVoltageList()), QStringList({"200V", "400V"}));
    QCOMPARE(entries(dialog.seriesList()),
             QStringList({"Q-Series", "QH-Series", "Z-Series", "ZH-Series"}));
    QCOMPARE(entries(dialog.circuitList()), QStringList({"2in1", "6in1", "7in1", "PIM"}));
    QCOMPARE(dialog.outputCapacityList()->count(),
             static_cast<int>(open.library.outputCurrentList.size()));
    for (const QComboBox* list : {static_cast<QComboBox*>(dialog.acVoltageList()),
                                  static_cast<QComboBox*>(dialog.outputCapacityList()),
                                  static_cast<QComboBox*>(dialog.seriesList()),
                                  static_cast<QComboBox*>(dialog.circuitList())}) {
        QCOMPARE(list->currentIndex(), -1);
    }
    QCOMPARE(dialog.resultList()->count(), 0);
    QVERIFY(dialog.statusText().isEmpty());
}

void RecommendedDeviceDialogTest::searchNeedsBothListsOfItsCondition() {
    OpenDialog open(sampleFolder());
    RecommendedDeviceDialog& dialog = open.dialog;
    QVERIFY(choose(dialog.acVoltageList(), QStringLiteral("400V")));
    // Condition #2's lists do not count for condition #1.
    QVERIFY(choose(dialog.seriesList(), QStringLiteral("Z-Series")));
    QVERIFY(choose(dialog.circuitList(), QStringLiteral("6in1")));
    dialog.searchButton()->click();
    QCOMPARE(dialog.statusText(), kSelectCondition);
    QCOMPARE(dialog.resultList()->count(), 0);

    // Condition #2 keeps its selections when it is chosen.
    dialog.conditionTwoButton()->click();
    QCOMPARE(dialog.searchMode(), 2);
    QCOMPARE(dialog.circuitList()->currentText(), QStringLiteral("6in1"));
    QVERIFY(choose(dialog.seriesList(), QStringLiteral("ZH-Series")));
    dialog.searchButton()->click();
    QCOMPARE(dialog.statusText(), kNotFound);
    QCOMPARE(dialog.resultList()->count(), 0);

    RecommendedDeviceDialog second(open.library);
    second.conditionTwoButton()->click();
    QVERIFY(choose(second.seriesList(), QStringLiteral("ZH-Series")));
    second.searchButton()->click();
    QCOMPARE(second.statusText(), kSelectCondition);
}

void RecommendedDeviceDialogTest::searchListsEveryDeviceFound() {
    OpenDialog open(folder_);
    RecommendedDeviceDialog& dialog = open.dialog;
    QVERIFY(searchByCapacity(dialog, QStringLiteral("400V"), QStringLiteral("7.5kW")));
    QCOMPARE(dialog.statusText(), kFound);
    // Devices of two series; the twin type number is listed once per device.
    QCOMPARE(entries(dialog.resultList()), QStringList({"6NZ50A-120", "6NZ50A-120", "7NZ50B-120"}));
    QCOMPARE(dialog.resultList()->currentIndex(), -1);

    dialog.conditionTwoButton()->click();
    QVERIFY(choose(dialog.seriesList(), QStringLiteral("Z-Series")));
    QVERIFY(choose(dialog.circuitList(), QStringLiteral("PIM")));
    dialog.searchButton()->click();
    QCOMPARE(entries(dialog.resultList()), QStringList({"7NZ10P-120", "7NZ15P-120", "7NZ25R-120"}));
}

void RecommendedDeviceDialogTest::aChangedConditionEmptiesTheResults() {
    OpenDialog open(sampleFolder());
    RecommendedDeviceDialog& dialog = open.dialog;
    QVERIFY(searchByCapacity(dialog, QStringLiteral("200V"), QStringLiteral("3.7kW")));
    QCOMPARE(dialog.resultList()->count(), 2);
    QVERIFY(choose(dialog.acVoltageList(), QStringLiteral("400V")));
    QCOMPARE(dialog.resultList()->count(), 0);
    QVERIFY(dialog.statusText().isEmpty());

    // The same for either list of condition #2.
    dialog.conditionTwoButton()->click();
    for (QComboBox* changed : {static_cast<QComboBox*>(dialog.seriesList()),
                               static_cast<QComboBox*>(dialog.circuitList())}) {
        QVERIFY(choose(dialog.seriesList(), QStringLiteral("Z-Series")));
        QVERIFY(choose(dialog.circuitList(), QStringLiteral("PIM")));
        dialog.searchButton()->click();
        QCOMPARE(dialog.resultList()->count(), 3);
        QVERIFY(choose(changed, changed == dialog.seriesList() ? QStringLiteral("Q-Series")
                                                               : QStringLiteral("6in1")));
        QCOMPARE(dialog.resultList()->count(), 0);
        QVERIFY(dialog.statusText().isEmpty());
    }
}

void RecommendedDeviceDialogTest::enterPressesTheFocusedButton() {
    OpenDialog open(sampleFolder());
    RecommendedDeviceDialog& dialog = open.dialog;
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog)) QSKIP("No active window on this platform");
    QVERIFY(choose(dialog.acVoltageList(), QStringLiteral("200V")));
    QVERIFY(choose(dialog.outputCapacityList(), QStringLiteral("3.7kW")));

    // Enter on SEARCH searches and leaves the dialog open.
    dialog.searchButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dialog.searchButton(), Qt::Key_Return);
    QCOMPARE(dialog.statusText(), kFound);
    QVERIFY(dialog.isVisible());

    // Enter on CANCEL cancels: no pick even with a type chosen.
    QVERIFY(choose(dialog.resultList(), dialog.resultList()->itemText(0)));
    QPushButton* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"));
    cancel->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cancel, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.recommendedPick() == nullptr);

    // Enter in a list is OK.
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.resultList()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.recommendedPick() != nullptr);
}

void RecommendedDeviceDialogTest::eachOptionDropsTheOtherConditionsSelections() {
    OpenDialog open(sampleFolder());
    RecommendedDeviceDialog& dialog = open.dialog;
    QVERIFY(searchByCapacity(dialog, QStringLiteral("200V"), QStringLiteral("3.7kW")));
    QVERIFY(choose(dialog.seriesList(), QStringLiteral("Q-Series")));

    dialog.conditionTwoButton()->click();
    QCOMPARE(dialog.acVoltageList()->currentIndex(), -1);
    QCOMPARE(dialog.outputCapacityList()->currentIndex(), -1);
    QCOMPARE(dialog.acVoltageList()->count(), 2);
    QCOMPARE(dialog.seriesList()->currentText(), QStringLiteral("Q-Series"));
    QCOMPARE(dialog.resultList()->count(), 0);
    QVERIFY(dialog.statusText().isEmpty());

    QVERIFY(choose(dialog.circuitList(), QStringLiteral("6in1")));
    dialog.searchButton()->click();
    QCOMPARE(dialog.resultList()->count(), 3);
    QVERIFY(choose(dialog.acVoltageList(), QStringLiteral("400V")));

    dialog.conditionOneButton()->click();
    QCOMPARE(dialog.searchMode(), 1);
    QCOMPARE(dialog.seriesList()->currentIndex(), -1);
    QCOMPARE(dialog.circuitList()->currentIndex(), -1);
    QCOMPARE(dialog.seriesList()->count(), 4);
    QCOMPARE(dialog.acVoltageList()->currentText(), QStringLiteral("400V"));
    QCOMPARE(dialog.resultList()->count(), 0);
}

void RecommendedDeviceDialogTest::okResolvesTheChosenTypeNumberInFileOrder() {
    OpenDialog open(folder_);
    RecommendedDeviceDialog& dialog = open.dialog;
    QVERIFY(searchByCapacity(dialog, QStringLiteral("400V"), QStringLiteral("7.5kW")));
    // Whichever of the twin entries is chosen, the first device in file order is picked.
    dialog.resultList()->setCurrentIndex(1);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.recommendedPick() != nullptr);
    QCOMPARE(dialog.recommendedPick()->series, std::string("AX-Series"));
    QCOMPARE(dialog.recommendedPick()->typeNumber, std::string("6NZ50A-120"));
}

void RecommendedDeviceDialogTest::okWithoutAChoiceGivesNoDevice() {
    OpenDialog open(sampleFolder());
    RecommendedDeviceDialog& dialog = open.dialog;
    QVERIFY(searchByCapacity(dialog, QStringLiteral("200V"), QStringLiteral("3.7kW")));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.recommendedPick() == nullptr);
}

void RecommendedDeviceDialogTest::theSelectionPageAppliesThePick() {
    Program program(folder_);
    DeviceSelectionPage& page = program.window->deviceSelectionPage();
    QVERIFY(runFromPage(page, QStringLiteral("6NZ50A-120"), QStringLiteral("okButton")));
    QVERIFY(page.deviceSelected());
    QCOMPARE(page.seriesList()->currentText(), QStringLiteral("AX-Series"));
    QCOMPARE(page.typeList()->currentText(), QStringLiteral("6NZ50A-120"));
    QCOMPARE(entries(page.typeList()), QStringList({"6NZ50A-120"}));
    QCOMPARE(page.infoField(DeviceSelectionPage::Series)->text(), QStringLiteral("AX-Series"));
    QVERIFY(!page.outlinePicture().isNull());
}

void RecommendedDeviceDialogTest::theSelectionPageStaysAsItWasWithoutAPick() {
    Program program(sampleFolder());
    DeviceSelectionPage& page = program.window->deviceSelectionPage();
    QVERIFY(program.applyDevice(QStringLiteral("Q-Series"), QStringLiteral("6NQ50A-060")));

    // OK with no type chosen, then CANCEL with one chosen.
    QVERIFY(runFromPage(page, QString(), QStringLiteral("okButton")));
    QVERIFY(runFromPage(page, QStringLiteral("7NZ50B-120"), QStringLiteral("cancelButton")));

    QVERIFY(page.deviceSelected());
    QCOMPARE(page.seriesList()->currentText(), QStringLiteral("Q-Series"));
    QCOMPARE(page.typeList()->currentText(), QStringLiteral("6NQ50A-060"));
    QCOMPARE(page.infoField(DeviceSelectionPage::TypeNumber)->text(), QStringLiteral("6NQ50A-060"));
}

void RecommendedDeviceDialogTest::anEmptyLibraryOnlyAsksForAConditions() {
    OpenDialog open(std::string("no/such/folder/"));
    RecommendedDeviceDialog& dialog = open.dialog;
    QCOMPARE(dialog.acVoltageList()->count(), 0);
    dialog.searchButton()->click();
    QCOMPARE(dialog.statusText(), kSelectCondition);
    dialog.conditionTwoButton()->click();
    dialog.searchButton()->click();
    QCOMPARE(dialog.statusText(), kSelectCondition);
}

QTEST_MAIN(RecommendedDeviceDialogTest)
#include "recommended_device_dialog_test.moc"
