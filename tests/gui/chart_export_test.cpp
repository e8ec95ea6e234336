// Exports of the result windows' charts and data: the menus, the PNG at twice
// the size the window shows, the SVG, the data table, and failures (a full
// disk among them) that leave no file behind.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QXmlStreamReader>
#include <QtTest>

#include "gui_fixture.h"
#include "library/csv_table.h"
#include "library/number_text.h"
#include "pages/condition_page.h"
#include "results/record_csv.h"
#include "results/steady_result_dialog.h"
#include "tests/support/full_disk.h"
#include "tests/support/gui_messages.h"
#include "tests/support/temp_folder.h"
#include "widgets/chart_export.h"
#include "widgets/chart_painter.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

const QStringList kChartEntries = {QStringLiteral("Save chart as PNG..."),
                                   QStringLiteral("Save chart as SVG..."),
                                   QStringLiteral("Copy chart")};

// A write that fails after the temporary file was created.
class FailingWrite : public ReportFileSystem {
public:
    std::error_code writeAll(int, std::string_view) override {
        return std::make_error_code(std::errc::no_space_on_device);
    }
};

QStringList actionTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text();
    return texts;
}

QAction* actionNamed(const QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

// The sample line's 6NZ100B-120 with a 22 kW heat sink: check runs while its
// result window is open.
struct SteadyWindow : ReadyProgram {
    bool run(const std::function<void(SteadyResultDialog&)>& check) {
        auto driver = whenShown<SteadyResultDialog>([&check](SteadyResultDialog& dialog) {
            check(dialog);
            dialog.reject();
        });
        window->conditionPage().calculateButton()->click();
        return driver->ran();
    }
    const SteadyResult& result() const {
        return window->conditionPage().lastSteadyCalculation().result;
    }
    // A file of the temporary folder, given as the answer to the next save.
    QString saveAs(const QString& name) {
        const QString path = dir.filePath(name);
        prompt.saveNames = {path};
        return path;
    }

    QTemporaryDir dir;
};

}  // namespace

class ChartExportTest : public QObject {
    Q_OBJECT

private slots:
    void everyChartAndTheExportButtonOfferTheExports();
    void aPngIsTheChartAndItsLegendAtTwiceTheSize();
    void anSvgIsXmlHoldingEveryCurve();
    void aFailedExportSaysWhyAndLeavesNoFile();
    void theDataIsEveryWaveformSampleReadBackExactly();
    void aFullDiskKeepsTheOldPicture();
};

void ChartExportTest::everyChartAndTheExportButtonOfferTheExports() {
    SteadyWindow program;
    QVERIFY(program.run([](SteadyResultDialog& dialog) {
        QPushButton* exportButton = dialog.exportButton();
        QCOMPARE(exportButton->text(), QStringLiteral("EXPORT"));
        // In the row of SAVE and CLOSE, right of them, inside the window.
        QCOMPARE(exportButton->y(), dialog.saveButton()->y());
        QVERIFY(exportButton->x() > dialog.closeButton()->geometry().right());
        QVERIFY(dialog.rect().contains(exportButton->geometry()));
        for (const QWidget* other : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other == exportButton || !other->isVisible()) continue;
            QVERIFY2(!other->geometry().intersects(exportButton->geometry()),
                     qPrintable(other->objectName()));
        }

        for (int chart = 0; chart < 2; ++chart) {
            QCOMPARE(actionTexts(dialog.chartExport()->chartMenu(chart)), kChartEntries);
        }
        QCOMPARE(dialog.temperatureChart()->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(dialog.lossChart()->contextMenuPolicy(), Qt::CustomContextMenu);

        // The button's menu: each chart entry asks which chart, then the data.
        const QMenu* menu = exportButton->menu();
        QVERIFY(menu != nullptr);
        const QStringList all =
            kChartEntries + QStringList({QString(), QStringLiteral("Save data as CSV...")});
        QCOMPARE(actionTexts(menu), all);
        for (const QString& entry : kChartEntries) {
            const QMenu* which = actionNamed(menu, entry)->menu();
            QVERIFY(which != nullptr);
            QCOMPARE(actionTexts(which), QStringList({QStringLiteral("Temperature chart"),
                                                      QStringLiteral("Loss chart")}));
        }
    }));
}

void ChartExportTest::aPngIsTheChartAndItsLegendAtTwiceTheSize() {
    SteadyWindow program;
    const QString path = program.saveAs(QStringLiteral("loss.png"));
    QVERIFY(program.run([&](SteadyResultDialog& dialog) {
        actionNamed(dialog.chartExport()->chartMenu(1), kChartEntries[0])->trigger();

        ChartView& view = *dialog.lossChart();
        const QRect area = view.geometry().united(boxRect(dialog.lossLegend().box));
        QImage png;
        QVERIFY(png.load(path, "png"));
        QCOMPARE(png.size(), area.size() * 2);

        // The same painting as on the screen: the frame of the picture at
        // its own size is the window's chart, pixel for pixel.
        const ChartPicture picture = dialog.chartPicture(1);
        QCOMPARE(picture.size, area.size());
        const QImage drawn =
            chartPictureImage(picture, 1)
                .copy(QRect(view.geometry().topLeft() - area.topLeft(), view.size()))
                .convertToFormat(QImage::Format_RGB32);
        const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(drawn, shown);

        // Copy puts the same picture on the clipboard.
        actionNamed(dialog.chartExport()->chartMenu(1), kChartEntries[2])->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), png.size());
    }));
    QVERIFY(program.prompt.messages.empty());
}

void ChartExportTest::anSvgIsXmlHoldingEveryCurve() {
    SteadyWindow program;
    const QString path = program.saveAs(QStringLiteral("temperature.svg"));
    std::vector<int> runs;
    QVERIFY(program.run([&](SteadyResultDialog& dialog) {
        actionNamed(dialog.chartExport()->chartMenu(0), kChartEntries[1])->trigger();
        for (const Curve& curve : dialog.temperatureChart()->chart().curves) {
            for (const auto& run : curve.polylines) runs.push_back(static_cast<int>(run.size()));
        }
    }));
    QCOMPARE(program.prompt.saveRequests.back().defaultSuffix, QStringLiteral("svg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList texts;
    std::vector<int> polylines;  // their point counts
    QString root;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (root.isEmpty()) root = xml.name().toString();
        if (xml.name() == QStringLiteral("polyline")) {
            const QString points = xml.attributes().value(QStringLiteral("points")).toString();
            polylines.push_back(static_cast<int>(points.split(u' ', Qt::SkipEmptyParts).size()));
        }
        if (xml.name() == QStringLiteral("text")) texts << xml.readElementText().trimmed();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(root, QStringLiteral("svg"));
    // Every run of every curve is one polyline of as many points (the
    // frame's lines are polylines too).
    QCOMPARE(runs.size(), std::size_t{8});
    for (const int points : runs) {
        const auto found = std::find(polylines.begin(), polylines.end(), points);
        QVERIFY(found != polylines.end());
        polylines.erase(found);
    }
    // The legend came along.
    for (const char* name : {"Tf", "Tc", "Tj(IGBT)", "Tj(FWD)"}) {
        QVERIFY2(texts.contains(QString::fromLatin1(name)), name);
    }
}

void ChartExportTest::aFailedExportSaysWhyAndLeavesNoFile() {
    SteadyWindow program;
    const QTemporaryDir& dir = program.dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/chart.png"));
    const QString failing = dir.filePath(QStringLiteral("chart.svg"));
    program.prompt.saveNames = {missing, failing, dir.filePath(QStringLiteral("data.csv"))};
    FailingWrite files;
    QVERIFY(program.run([&](SteadyResultDialog& dialog) {
        ChartExport& exports = *dialog.chartExport();
        actionNamed(exports.chartMenu(0), kChartEntries[0])->trigger();
        dialog.setReportWriteOptions({std::nullopt, &files});
        actionNamed(exports.chartMenu(0), kChartEntries[1])->trigger();
        exports.saveData();
    }));
    QCOMPARE(program.prompt.messages.size(), std::size_t{3});
    for (const auto& message : program.prompt.messages) {
        QVERIFY(message.text.startsWith(QStringLiteral("The file could not be saved: ")));
        QVERIFY(message.text.size() > 30);
        QCOMPARE(message.caption, QStringLiteral("Export"));
        QCOMPARE(message.icon, PromptIcon::Warning);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void ChartExportTest::theDataIsEveryWaveformSampleReadBackExactly() {
    SteadyWindow program;
    const QString path = program.saveAs(QStringLiteral("waveform.csv"));
    // The page lets the waveform go when the window closes.
    std::vector<PeriodSample> waveform;
    QVERIFY(program.run([&](SteadyResultDialog& dialog) {
        waveform = program.result().waveform;
        dialog.chartExport()->saveData();
    }));
    QVERIFY(waveform.size() > 100);
    QVERIFY(program.prompt.messages.empty());
    QCOMPARE(program.prompt.saveRequests.back().defaultSuffix, QStringLiteral("csv"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<std::vector<std::string>> rows;
    std::string reason;
    QVERIFY(parseCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                     rows, reason));
    QCOMPARE(rows.size(), waveform.size() + 1);
    QCOMPARE(rows[0].size(), kPeriodSampleFields.size());
    for (std::size_t f = 0; f < kPeriodSampleFields.size(); ++f) {
        QCOMPARE(rows[0][f], std::string(kPeriodSampleFields[f].name));
        for (std::size_t i = 0; i < waveform.size(); ++i) {
            const std::string& cell = rows[i + 1][f];
            QVERIFY2(readNumber(cell) == waveform[i].*(kPeriodSampleFields[f].member),
                     cell.c_str());
        }
    }
}

void ChartExportTest::aFullDiskKeepsTheOldPicture() {
    // The child inherits this process's offscreen application; the picture
    // has no text, so it paints without the fonts.
    const ChartPicture picture{{120, 80}, [](QPainter& painter) {
                                   painter.drawRect(10, 10, 100, 60);
                                   painter.drawLine(10, 70, 110, 10);
                               }};
    const std::pair<const char*, FileWriter> writers[] = {
        {"png",
         [&](const std::string& path, std::string& reason) {
             return saveChartPng(picture, path, reason, systemReportFileSystem());
         }},
        {"svg",
         [&](const std::string& path, std::string& reason) {
             return saveChartSvg(picture, QStringLiteral("Chart"), path, reason,
                                 systemReportFileSystem());
         }},
    };
    const std::string old = "the picture saved before";
    for (const auto& [name, write] : writers) {
        TempFolder folder;
        const std::string path = folder.write("chart", old);
        QVERIFY2(refusedOnFullDisk(write, path), name);
        QCOMPARE(readFile(path), old);
        QCOMPARE(folder.entryCount(), std::size_t{1});
    }
}

QTEST_MAIN(ChartExportTest)
#include "chart_export_test.moc"
