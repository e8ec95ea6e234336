// Exports of the charts a window shows: a PNG at twice the screen's pixel size
// for print, an SVG, and the clipboard; and, where the window has data behind
// its charts, a comma-separated table.
//
// Each chart comes with one paint function, the one its window paints with, so
// the screen, the PNG and the SVG never differ. Files are written as reports
// are: to a temporary file beside the target, renamed into place only when
// every byte is on the disk; a failure is told through the prompt.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "library/report_file.h"

class QAction;
class QMenu;
class QPainter;
class QPushButton;
class QWidget;

namespace thermalyx {

class Prompt;

// What every window calls its temperature chart and its loss chart in the menu.
inline const QString kTemperatureChartName = QStringLiteral("Temperature chart");
inline const QString kLossChartName = QStringLiteral("Loss chart");

// A chart as its window shows it: its size in pixels and the function that
// paints it with its top-left corner at (0, 0).
struct ChartPicture {
    QSize size;
    std::function<void(QPainter&)> paint;
};

// The picture on white, scale times its size in pixels.
QImage chartPictureImage(const ChartPicture& picture, int scale);
// The picture as an SVG document titled title.
QByteArray chartPictureSvg(const ChartPicture& picture, const QString& title);

// Writes the PNG (at twice the picture's size) or the SVG to path. False with
// the reason when it can't; the target is then as it was.
bool saveChartPng(const ChartPicture& picture, const std::string& path, std::string& reason,
                  ReportFileSystem& files);
bool saveChartSvg(const ChartPicture& picture, const QString& title, const std::string& path,
                  std::string& reason, ReportFileSystem& files);

// The export menus of one window: a context menu on each chart, and one menu
// (for an EXPORT button) with every chart's exports and the data table.
class ChartExport : public QObject {
    Q_OBJECT

public:
    ChartExport(QWidget& window, Prompt& prompt);

    // Adds a chart named name (it titles the SVG and the EXPORT menu's entry):
    // right-clicking view opens its menu; picture is asked for at each export,
    // so the chart is exported as it then is.
    void addChart(QWidget* view, const QString& name, std::function<ChartPicture()> picture);
    // Renames a chart whose content changed. The EXPORT menu is made again
    // when the name or the view's hidden state changed since it was last made:
    // it lists only the charts whose views are not hidden.
    void setChartName(int chart, const QString& name);
    // The data behind the charts as a whole comma-separated table: offers
    // "Save data as CSV...".
    void setData(std::function<std::string()> table);
    // Whether there is a table to save yet (on until said otherwise).
    void setDataEnabled(bool enabled);
    // Gives button the EXPORT menu.
    void attachButton(QPushButton* button);

    QMenu* chartMenu(int chart) const { return charts_.at(static_cast<std::size_t>(chart)).menu; }
    QMenu* exportMenu() const { return exportMenu_; }
    // The EXPORT menu's "Save data as CSV..." entry; null without data.
    QAction* dataAction() const { return dataAction_; }

    // The files written (the system's when null); for tests.
    void setFileSystem(ReportFileSystem* files) { files_ = files; }

    void savePng(int chart);
    void saveSvg(int chart);
    void copyChart(int chart);
    void saveData();

private:
    struct Chart {
        QWidget* view = nullptr;
        QString name;
        std::function<ChartPicture()> picture;
        QMenu* menu = nullptr;
        bool listed = false;  // in the EXPORT menu as last made
    };

    // Asks for the file; empty when the user cancelled.
    QString askPath(const QString& caption, const QString& filter, const QString& suffix);
    void tellFailure(const std::string& reason);
    void rebuildExportMenu();

    QWidget& window_;
    Prompt& prompt_;
    ReportFileSystem* files_ = nullptr;
    std::vector<Chart> charts_;
    std::function<std::string()> data_;
    bool dataEnabled_ = true;
    QMenu* exportMenu_ = nullptr;
    QAction* dataAction_ = nullptr;  // owned by exportMenu_
};

}  // namespace thermalyx
