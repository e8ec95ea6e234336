#include "export_checks.h"

#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "scripted_prompt.h"
#include "widgets/chart_export.h"

namespace thermalyx::test {

namespace {

const QStringList kChartEntries = {QStringLiteral("Save chart as PNG..."),
                                   QStringLiteral("Save chart as SVG..."),
                                   QStringLiteral("Copy chart")};

QString sizeText(QSize size) {
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

}  // namespace

QStringList exportMenuEntries(const QMenu* menu) {
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        if (action->menu() == nullptr) {
            entries << action->text();
            continue;
        }
        for (const QAction* chart : action->menu()->actions())
            entries << action->text() + QLatin1Char('/') + chart->text();
    }
    return entries;
}

QStringList expectedExportEntries(const QStringList& charts, bool withData) {
    QStringList entries;
    for (const QString& entry : kChartEntries) {
        if (charts.size() == 1) entries << entry;
        if (charts.size() > 1)
            for (const QString& chart : charts) entries << entry + QLatin1Char('/') + chart;
    }
    if (withData) entries << QString() << QStringLiteral("Save data as CSV...");
    return entries;
}

QString pictureExportFault(ChartExport& exports, int chart, QSize size, ScriptedPrompt& prompt) {
    const QMenu* menu = exports.chartMenu(chart);
    if (menu->actions().size() != kChartEntries.size())
        return QStringLiteral("the chart's menu has other entries");
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("chart.png"));
    const QString svg = dir.filePath(QStringLiteral("chart.svg"));
    prompt.saveNames = {png, svg};
    menu->actions().at(0)->trigger();
    menu->actions().at(1)->trigger();
    if (!prompt.saveNames.empty()) return QStringLiteral("no file was asked for");

    QImage image;
    if (!image.load(png, "png")) return QStringLiteral("the PNG does not decode");
    if (image.size() != size * 2) return QStringLiteral("the PNG is ") + sizeText(image.size());

    QFile file(svg);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("no SVG");
    QXmlStreamReader xml(&file);
    while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::StartElement) {
    }
    if (xml.name() != QStringLiteral("svg")) return QStringLiteral("the SVG has no svg root");
    const QString box = xml.attributes().value(QStringLiteral("viewBox")).toString();
    const QString expected = QStringLiteral("0 0 %1 %2").arg(size.width()).arg(size.height());
    if (box != expected) return QStringLiteral("the SVG's view box is ") + box;
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) return QStringLiteral("the SVG: ") + xml.errorString();
    return {};
}

}  // namespace thermalyx::test
