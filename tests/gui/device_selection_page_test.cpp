// The device selection page: applying a device, its pictures, the series
// change and the lists' order and bytes.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "gui_fixture.h"
#include "pages/condition_page.h"
#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "pages/load_cycle_page.h"
#include "widgets/byte_text_combo_box.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

LibraryDevice* findDevice(std::vector<LibraryDevice>& devices, const std::string& typeNumber) {
    for (LibraryDevice& device : devices) {
        if (device.spec.typeNumber == typeNumber) {
            return &device;
        }
    }
    return nullptr;
}

// A device of the sample line under another series and type number.
LibraryDevice renamed(LibraryDevice device, const std::string& series, const std::string& type) {
    device.spec.series = device.search.series = device.limits.series = device.params.series =
        series;
    device.spec.typeNumber = device.search.typeNumber = device.limits.typeNumber =
        device.params.typeNumber = type;
    return device;
}

QString field(const DeviceSelectionPage& page, DeviceSelectionPage::Info info) {
    return page.infoField(info)->text();
}

}  // namespace

class DeviceSelectionPageTest : public QObject {
    Q_OBJECT

private slots:
    void applyingADeviceShowsItEverywhere();
    void anotherSeriesDisablesCommandsButKeepsTheOldDevice();
    void aMissingOrBrokenPictureEmptiesTheView();
    void listsSortWithoutCaseAndKeepTheLibraryBytes();
    void aLibraryThatFailsToLoadLeavesTheListsEmpty();
};

void DeviceSelectionPageTest::applyingADeviceShowsItEverywhere() {
    std::vector<LibraryDevice> devices = sampleDevices();
    LibraryDevice* device = findDevice(devices, "6NZ100B-120");
    QVERIFY(device != nullptr);
    device->limits.dcVoltageDefault = 282.9;
    QTemporaryDir dir;
    const std::string folder = writeLibraryFolder(dir, devices, true);
    QVERIFY(!folder.empty());

    Program program(folder);
    DeviceSelectionPage& page = program.window->deviceSelectionPage();
    QCOMPARE(page.typeList()->count(), 0);
    QVERIFY(program.applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120")));

    QVERIFY(page.deviceSelected());
    QCOMPARE(field(page, DeviceSelectionPage::TypeNumber), QStringLiteral("6NZ100B-120"));
    QCOMPARE(field(page, DeviceSelectionPage::Series), QStringLiteral("Z-Series"));
    QCOMPARE(field(page, DeviceSelectionPage::CircuitComposition), QStringLiteral("6in1"));
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(
            page.infoField(static_cast<DeviceSelectionPage::Info>(DeviceSelectionPage::Vces + i))
                ->text()
                .toStdString(),
            device->spec.productInfo[i]);
    }
    QVERIFY(!page.outlinePicture().isNull());

    ConditionPage& conditions = program.window->conditionPage();
    QCOMPARE(conditions.field(ConditionPage::OutputFrequency)->text(), QStringLiteral("50.0"));
    QCOMPARE(conditions.field(ConditionPage::OutputCurrent)->text(), QStringLiteral("50.0"));
    QCOMPARE(conditions.field(ConditionPage::CarrierFrequency)->text(), QStringLiteral("8.00"));
    QCOMPARE(conditions.field(ConditionPage::PowerFactor)->text(), QStringLiteral("0.85"));
    QCOMPARE(conditions.field(ConditionPage::ModulationRate)->text(), QStringLiteral("1.00"));
    QCOMPARE(conditions.field(ConditionPage::DcVoltage)->text(), QStringLiteral("282"));
    QCOMPARE(conditions.field(ConditionPage::RgOn)->text(), QStringLiteral("5.60"));
    QCOMPARE(conditions.field(ConditionPage::RgOff)->text(), QStringLiteral("5.60"));

    // Before any heat-sink model only the table commands open up.
    LoadCyclePage& cycle = program.window->loadCyclePage();
    QVERIFY(cycle.addButton()->isEnabled());
    QVERIFY(cycle.changeButton()->isEnabled());
    QVERIFY(!cycle.calculateButton()->isEnabled());
    QVERIFY(!conditions.calculateButton()->isEnabled());
}

void DeviceSelectionPageTest::anotherSeriesDisablesCommandsButKeepsTheOldDevice() {
    Program program(sampleFolder());
    DeviceSelectionPage& page = program.window->deviceSelectionPage();
    program.estimateHeatsink(QStringLiteral("15"));
    QVERIFY(program.applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120")));
    ConditionPage& conditions = program.window->conditionPage();
    LoadCyclePage& cycle = program.window->loadCyclePage();
    QVERIFY(conditions.calculateButton()->isEnabled());
    // An empty table keeps the load-cycle calculation closed.
    QVERIFY(!cycle.calculateButton()->isEnabled());

    QVERIFY(choose(page.seriesList(), QStringLiteral("Q-Series")));
    QVERIFY(!page.deviceSelected());
    QVERIFY(!conditions.calculateButton()->isEnabled());
    QVERIFY(!cycle.addButton()->isEnabled());
    QVERIFY(!cycle.changeButton()->isEnabled());
    QVERIFY(!cycle.calculateButton()->isEnabled());
    QCOMPARE(field(page, DeviceSelectionPage::TypeNumber), QStringLiteral("6NZ100B-120"));
    QVERIFY(!page.outlinePicture().isNull());
    QCOMPARE(conditions.field(ConditionPage::DcVoltage)->text(), QStringLiteral("600"));

    // The new series' types, sorted, none chosen yet.
    QCOMPARE(entries(page.typeList()),
             QStringList({"6NQ100B-060", "6NQ150C-060", "6NQ50A-060", "7NQ10P-060", "7NQ20P-060",
                          "7NQ30R-060", "7NQ50A-060"}));
    QCOMPARE(page.typeList()->currentIndex(), -1);

    // Applying a device of the new series opens the commands again.
    QVERIFY(choose(page.typeList(), QStringLiteral("6NQ50A-060")));
    QVERIFY(conditions.calculateButton()->isEnabled());
    QCOMPARE(conditions.field(ConditionPage::DcVoltage)->text(), QStringLiteral("300"));
}

void DeviceSelectionPageTest::aMissingOrBrokenPictureEmptiesTheView() {
    std::vector<LibraryDevice> devices = sampleDevices();
    LibraryDevice missing = renamed(devices.front(), "Q-Series", "MISSING-1");
    missing.spec.deviceImage = "no_such_outline";
    LibraryDevice broken = renamed(devices.front(), "Q-Series", "BROKEN-1");
    broken.spec.deviceImage = "broken_outline";
    devices.push_back(missing);
    devices.push_back(broken);
    QTemporaryDir dir;
    const std::string folder = writeLibraryFolder(dir, devices, true);
    QVERIFY(!folder.empty());
    QFile garbage(QString::fromStdString(folder + "img/broken_outline.jpg"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write("\xFF\xD8 not a picture at all");
    garbage.close();

    Program program(folder);
    const DeviceSelectionPage& page = program.window->deviceSelectionPage();
    QVERIFY(program.applyDevice(QStringLiteral("Q-Series"), QStringLiteral("7NQ10P-060")));
    QVERIFY(!page.outlinePicture().isNull());
    QVERIFY(choose(page.typeList(), QStringLiteral("MISSING-1")));
    QVERIFY(page.outlinePicture().isNull());
    QVERIFY(choose(page.typeList(), QStringLiteral("7NQ10P-060")));
    QVERIFY(!page.outlinePicture().isNull());
    QVERIFY(choose(page.typeList(), QStringLiteral("BROKEN-1")));
    QVERIFY(page.outlinePicture().isNull());
    QCOMPARE(field(page, DeviceSelectionPage::TypeNumber), QStringLiteral("BROKEN-1"));
}

void DeviceSelectionPageTest::listsSortWithoutCaseAndKeepTheLibraryBytes() {
    const LibraryDevice base = sampleDevices().front();
    const std::string latin1 = "\xC4ra-Series";  // Latin-1 "Ä": not valid UTF-8
    const std::string utf8 =
        "\xC3\x9C"
        "ber-Series";  // UTF-8 "Ü"
    const std::vector<LibraryDevice> devices = {
        renamed(base, "beta-Series", "B-1"),  renamed(base, "alpha-Series", "a-2"),
        renamed(base, "alpha-Series", "A-1"), renamed(base, "alpha-Series", "a-1"),
        renamed(base, latin1, "L-1"),         renamed(base, "Alpha-Series", "A-1"),
        renamed(base, utf8, "U-1"),
    };
    QTemporaryDir dir;
    const std::string folder = writeLibraryFolder(dir, devices, false);
    QVERIFY(!folder.empty());

    Program program(folder);
    DeviceSelectionPage& page = program.window->deviceSelectionPage();
    // Equal texts without case keep the library's order; bytes above ASCII sort after it.
    QCOMPARE(entries(page.seriesList()),
             QStringList({QStringLiteral("alpha-Series"), QStringLiteral("Alpha-Series"),
                          QStringLiteral("beta-Series"),
                          QString::fromUtf8("\xC3\x9C"
                                            "ber-Series"),
                          QString::fromUtf8("\xC3\x84ra-Series")}));
    QVERIFY(choose(page.seriesList(), QStringLiteral("alpha-Series")));
    QCOMPARE(entries(page.typeList()), QStringList({"A-1", "a-1", "a-2"}));
    QVERIFY(choose(page.typeList(), QStringLiteral("a-1")));
    QCOMPARE(page.currentTypeNumber(), std::string("a-1"));

    QVERIFY(choose(page.seriesList(), QString::fromUtf8("\xC3\x84ra-Series")));
    QVERIFY(choose(page.typeList(), QStringLiteral("L-1")));
    QVERIFY(page.deviceSelected());
    QCOMPARE(page.currentSeries(), latin1);
    QCOMPARE(page.selectedSeries(), latin1);
    QCOMPARE(field(page, DeviceSelectionPage::Series), QString::fromUtf8("\xC3\x84ra-Series"));

    QVERIFY(choose(page.seriesList(), QString::fromUtf8("\xC3\x9C"
                                                        "ber-Series")));
    QVERIFY(choose(page.typeList(), QStringLiteral("U-1")));
    QCOMPARE(page.selectedSeries(), utf8);
}

void DeviceSelectionPageTest::aLibraryThatFailsToLoadLeavesTheListsEmpty() {
    QTemporaryDir dir;
    Program program(dir.path().toStdString() + "/");
    const DeviceSelectionPage& page = program.window->deviceSelectionPage();
    QCOMPARE(page.seriesList()->count(), 0);
    QVERIFY(!page.deviceSelected());
    QVERIFY(program.prompt.messages.empty());
}

QTEST_MAIN(DeviceSelectionPageTest)
#include "device_selection_page_test.moc"
