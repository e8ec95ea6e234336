// What an EXPORT button and a chart's context menu offer and write, for the
// tests of the windows that show charts.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QMenu;

namespace thermalyx {

class ChartExport;
class ScriptedPrompt;

namespace test {

// The menu's entries; an entry that asks which chart is followed by the
// charts it offers: "Save chart as PNG.../Loss chart".
QStringList exportMenuEntries(const QMenu* menu);
// What an EXPORT menu holds for charts (one, or several each named) and, when
// withData, the data table.
QStringList expectedExportEntries(const QStringList& charts, bool withData);

// Saves chart as PNG and as SVG through its context menu, the prompt naming
// new files. Empty when the PNG decodes at twice size and the SVG is an SVG
// document of size; otherwise what is wrong.
QString pictureExportFault(ChartExport& exports, int chart, QSize size, ScriptedPrompt& prompt);

}  // namespace test
}  // namespace thermalyx
