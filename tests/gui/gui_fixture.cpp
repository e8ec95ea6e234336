#include "gui_fixture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QtTest>

#include "pages/device_selection_page.h"
#include "pages/heatsink_page.h"
#include "results/result_window.h"
#include "tests/support/gui_messages.h"
#include "widgets/byte_text_combo_box.h"
#include "widgets/chart_export.h"

namespace thermalyx::test {

std::string sampleFolder() {
    return THERMALYX_SAMPLE_DIR;
}

std::vector<LibraryDevice> sampleDevices() {
    DeviceLibrary library(sampleFolder());
    library.load();
    std::vector<LibraryDevice> devices;
    for (const DeviceIndexEntry& entry : library.deviceIndex) {
        devices.push_back({*entry.spec, *entry.search, *entry.limits, *entry.params});
    }
    return devices;
}

std::string writeLibraryFolder(const QTemporaryDir& dir, const std::vector<LibraryDevice>& devices,
                               bool withPictures) {
    const std::string folder = dir.path().toStdString() + "/";
    std::string error;
    if (!writeLibraryFiles(folder, devices, error)) {
        return {};
    }
    if (withPictures) {
        const QDir source(QString::fromStdString(sampleFolder() + "img"));
        QDir(dir.path()).mkpath(QStringLiteral("img"));
        for (const QString& name : source.entryList(QDir::Files)) {
            QFile::copy(source.filePath(name), dir.path() + QStringLiteral("/img/") + name);
        }
    }
    return folder;
}

bool choose(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    if (index < 0) {
        return false;
    }
    list->setCurrentIndex(index);
    emit list->activated(index);
    return true;
}

QStringList entries(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
}

ModalDriver::ModalDriver(Match match, Action action, bool repeat)
    : match_(std::move(match)), action_(std::move(action)), repeat_(repeat) {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &ModalDriver::tick);
    timer_.start();
}

void ModalDriver::tick() {
    // Enough idle turns for any window to show; a window that never shows is the
    // test's failure to report, not a reason to hang.
    constexpr int kMaxTurns = 100000;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr && dialog->isVisible() && match_(*dialog)) {
        if (!repeat_) {
            timer_.stop();
        }
        ++runs_;
        turns_ = 0;
        action_(*dialog);
        return;
    }
    if (++turns_ >= kMaxTurns) {
        timer_.stop();
    }
}

Program::Program(const std::string& folder) : library(folder) {
    window = std::make_unique<MainWindow>(library, prompt);
    window->show();
}

}  // namespace thermalyx::test

namespace thermalyx::test {

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

bool Program::applyDevice(const QString& series, const QString& typeNumber) {
    DeviceSelectionPage& page = window->deviceSelectionPage();
    return choose(page.seriesList(), series) && choose(page.typeList(), typeNumber);
}

void expectInputError(const ScriptedPrompt& prompt, const QString& text) {
    QCOMPARE(prompt.messages.size(), std::size_t{1});
    QCOMPARE(prompt.messages[0].text, text);
    QCOMPARE(prompt.messages[0].caption, kInputErrorTitle);
}

ReadyProgram::ReadyProgram() : Program(sampleFolder()) {
    deviceApplied = applyDevice(QStringLiteral("Z-Series"), QStringLiteral("6NZ100B-120"));
    estimateHeatsink(QStringLiteral("22"));
}

void Program::estimateHeatsink(const QString& capacity) {
    HeatsinkPage& page = window->heatsinkPage();
    page.capacityEdit()->setText(capacity);
    page.rthFactorEdit()->setText(QStringLiteral("1.0"));
    page.tthFactorEdit()->setText(QStringLiteral("1.0"));
    page.estimateButton()->click();
}

QRect boxRect(const Box& box) {
    return QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
}

QString resultLayoutFault(const ResultWindow& window, const QWidget& upperFrame,
                          const QWidget& lowerFrame) {
    const QRect upper = upperFrame.geometry();
    const QRect lower = lowerFrame.geometry();
    const QRect upperLegend = boxRect(window.temperatureLegend().box);
    const QRect lowerLegend = boxRect(window.lossLegend().box);
    for (const QRect& legend : {upperLegend, lowerLegend}) {
        if (legend.intersects(upper) || legend.intersects(lower)) return "a legend over a frame";
        if (!window.rect().contains(legend)) return "a legend outside the window";
    }
    if (upperLegend.bottom() >= upper.top()) return "the upper legend not above its frame";
    if (lowerLegend.top() <= upper.bottom() || lowerLegend.bottom() >= lower.top())
        return "the lower legend not between the frames";
    for (const QWidget* other : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == &upperFrame || other == &lowerFrame) continue;
        if (other->geometry().intersects(upper) || other->geometry().intersects(lower))
            return other->objectName() + " over a frame";
    }
    if (!window.rect().contains(lower)) return "the lower frame outside the window";
    return {};
}

void RenderingTest::initTestCase() {
    const QString path = qEnvironmentVariable("THERMALYX_RENDER_DIR");
    if (path.isEmpty()) {
        QSKIP("THERMALYX_RENDER_DIR names no folder to render into");
    }
    QVERIFY(QDir().mkpath(path));
    folder_ = QDir(path);
}

bool RenderingTest::save(QWidget& window, const QString& name) {
    return window.grab().save(folder_.filePath(name + QStringLiteral(".png")));
}

void RenderingTest::saveResult(ResultWindow& window, const QString& name,
                               const QString& chartStem) {
    save(window, name);
    saveCharts(window, chartStem);
}

void RenderingTest::saveCharts(const ResultWindow& window, const QString& stem) {
    for (int chart = 0; chart < 2; ++chart) {
        const QString base = folder_.filePath(stem + QStringLiteral("_%1").arg(chart));
        std::string reason;
        saveChartPng(window.chartPicture(chart), (base + QStringLiteral(".png")).toStdString(),
                     reason, systemReportFileSystem());
        saveChartSvg(window.chartPicture(chart), QString(),
                     (base + QStringLiteral(".svg")).toStdString(), reason,
                     systemReportFileSystem());
    }
}

}  // namespace thermalyx::test
