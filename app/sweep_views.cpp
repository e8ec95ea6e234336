#include "app/sweep_views.h"

#include <QPainter>

#include "analysis/sweep_table.h"
#include "library/number_text.h"
#include "widgets/chart_painter.h"
#include "widgets/display_text.h"

namespace thermalyx {

void SweepChartView::paint(QPainter& painter) const {
    paintChartFrame(painter, chart().chart);
    paintLegend(painter, chart().legend);
}

void SweepChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paint(painter);
}

SweepTableModel::SweepTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SweepTableModel::reset(const SweepPlan& plan) {
    beginResetModel();
    inputs_.clear();
    for (const SweepAxis& axis : plan.request.axes) inputs_.push_back(axis.input);
    points_.clear();
    endResetModel();
}

void SweepTableModel::append(const std::vector<SweepPoint>& points) {
    if (points.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(points.size()) - 1);
    points_.insert(points_.end(), points.begin(), points.end());
    endInsertRows();
}

int SweepTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(points_.size());
}

int SweepTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(inputs_.size() + 2 + kSweepFigureCount);
}

QVariant SweepTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const SweepPoint& point = points_[static_cast<std::size_t>(index.row())];
    const std::size_t column = static_cast<std::size_t>(index.column());
    const std::size_t inputs = inputs_.size();
    if (role == Qt::TextAlignmentRole)
        return column == inputs || column > inputs + kSweepFigureCount
                   ? QVariant(int(Qt::AlignLeft | Qt::AlignVCenter))
                   : QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole) return {};
    if (column < inputs) return displayText(point.texts[column]);
    if (column == inputs) return displayText(sweepStatusText(point));
    if (column == inputs + 1 + kSweepFigureCount) return displayText(point.message);
    if (!point.ok) return {};
    return displayText(formatFixed(sweepFigureValue(point, column - inputs - 1), 3));
}

QVariant SweepTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return displayText(formatInt(section + 1));
    const std::size_t column = static_cast<std::size_t>(section);
    const std::size_t inputs = inputs_.size();
    if (column < inputs) return displayText(sweepInputLabel(inputs_[column]));
    if (column == inputs) return QStringLiteral("Status");
    if (column == inputs + 1 + kSweepFigureCount) return QStringLiteral("Message");
    return displayText(sweepFigureLabel(column - inputs - 1));
}

}  // namespace thermalyx
