// The ranking as a table model: one row a device, the columns of the answer.
// Sorting by a column orders the devices with a value by it and keeps those
// without one (rejected devices, unknown ratings) after them, in their order.
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "analysis/device_ranking.h"

namespace thermalyx {

class RankingModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Fixed columns before the five losses and thirteen temperatures.
    enum Column {
        Rank,  // the place in the answer's order
        Series,
        TypeNumber,
        Status,
        RatedCurrent,
        RatedVoltage,
        TjMax,
        Margin,
        LimitedBy,
        TotalLoss,
        MaxCurrent,
        FirstRecordColumn
    };

    explicit RankingModel(QObject* parent = nullptr);

    // A new answer, in its own order.
    void setRanking(std::vector<RankedDevice> devices);
    // The devices in the order shown.
    const std::vector<RankedDevice>& devices() const { return rows_; }
    const RankedDevice& device(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::vector<RankedDevice> rows_;
    std::vector<std::size_t> ranks_;  // the place of each row in the answer
};

}  // namespace thermalyx
