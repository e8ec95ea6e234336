// What the sweep window shows: a chart with its legend beside it, and the
// points as a table.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>

class QPainter;

#include "analysis/sweep.h"
#include "analysis/sweep_chart.h"
#include "widgets/chart_painter.h"

namespace thermalyx {

// A sweep chart and its legend, the legend drawn in the chart's coordinates.
class SweepChartView : public ChartWidget<SweepChart> {
public:
    using ChartWidget::ChartWidget;

    // The chart and its legend, the frame's top-left corner at (0, 0): what
    // the screen shows.
    void paint(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The points of a sweep, one row each: the varied inputs' texts, the status,
// the five losses, the thirteen temperatures and a rejected point's message.
class SweepTableModel : public QAbstractTableModel {
public:
    explicit SweepTableModel(QObject* parent = nullptr);

    // Empties the table for a new sweep of plan's inputs.
    void reset(const SweepPlan& plan);
    void append(const std::vector<SweepPoint>& points);
    const std::vector<SweepPoint>& points() const { return points_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<SweepInput> inputs_;
    std::vector<SweepPoint> points_;
};

}  // namespace thermalyx
