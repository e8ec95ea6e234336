#include "app/analysis_dialogs/ranking_model.h"

#include <QColor>

#include <algorithm>
#include <numeric>
#include <optional>

#include "library/number_text.h"
#include "results/record_csv.h"

namespace thermalyx {
namespace {

constexpr int kLossColumns = static_cast<int>(kLossFields.size());
constexpr int kColumnCount =
    RankingModel::FirstRecordColumn + kLossColumns + static_cast<int>(kTemperatureFields.size());

// The number a column shows for a device, none where it does not apply.
std::optional<double> number(const RankedDevice& d, std::size_t rank, int column) {
    switch (column) {
        case RankingModel::Rank:
            return static_cast<double>(rank + 1);
        case RankingModel::RatedCurrent:
            return d.ratedCurrent;
        case RankingModel::RatedVoltage:
            return d.ratedVoltage;
        default:
            break;
    }
    if (!d.ok) return std::nullopt;
    switch (column) {
        case RankingModel::TjMax:
            return d.tjMax;
        case RankingModel::Margin:
            return d.margin;
        case RankingModel::TotalLoss:
            return d.totalLoss;
        case RankingModel::MaxCurrent:
            return d.maxCurrent ? d.maxCurrent->current : std::nullopt;
        default:
            break;
    }
    const int record = column - RankingModel::FirstRecordColumn;
    if (record >= 0 && record < kLossColumns) return d.loss.*kLossFields[record].member;
    const int temperature = record - kLossColumns;
    if (temperature >= 0 && temperature < static_cast<int>(kTemperatureFields.size()))
        return d.temperature.*kTemperatureFields[temperature].member;
    return std::nullopt;
}

// The text of a column that holds a text, none for the number columns.
std::optional<std::string> word(const RankedDevice& d, int column) {
    switch (column) {
        case RankingModel::Series:
            return d.series;
        case RankingModel::TypeNumber:
            return d.typeNumber;
        case RankingModel::Status:
            return std::string(d.ok ? "ok" : "rejected");
        case RankingModel::LimitedBy:
            return d.ok ? std::string(limitedByText(d.limitedBy)) : std::string();
        default:
            return std::nullopt;
    }
}

QString numberText(double value, int column) {
    switch (column) {
        case RankingModel::Rank:
        case RankingModel::RatedCurrent:
        case RankingModel::RatedVoltage:
            return QString::fromStdString(formatShortest(value));
        case RankingModel::MaxCurrent:
            return QString::fromStdString(formatFixed(value, 1));
        default:
            return QString::fromStdString(formatFixed(value, 2));
    }
}

}  // namespace

RankingModel::RankingModel(QObject* parent) : QAbstractTableModel(parent) {}

void RankingModel::setRanking(std::vector<RankedDevice> devices) {
    beginResetModel();
    rows_ = std::move(devices);
    ranks_.resize(rows_.size());
    std::iota(ranks_.begin(), ranks_.end(), std::size_t{0});
    endResetModel();
}

int RankingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RankingModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant RankingModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const RankedDevice& d = device(index.row());
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            if (std::optional<std::string> text = word(d, column))
                return QString::fromStdString(*text);
            if (std::optional<double> value =
                    number(d, ranks_[static_cast<std::size_t>(index.row())], column))
                return numberText(*value, column);
            return QString();
        case Qt::ForegroundRole:
            if (!d.ok) return QColor(Qt::gray);
            return {};
        case Qt::ToolTipRole:
            if (!d.ok) return QString::fromStdString(d.message);
            return {};
        case Qt::TextAlignmentRole:
            if (word(d, column)) return int(Qt::AlignLeft | Qt::AlignVCenter);
            return int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant RankingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    static const char* const fixed[FirstRecordColumn] = {
        "#",          "Series",         "Type",           "Status",
        "IC (A)",     "VCES (V)",       "Tj max (deg.C)", "Margin (K)",
        "Limited by", "Total loss (W)", "Max current (A)"};
    if (section < FirstRecordColumn) return QString::fromLatin1(fixed[section]);
    const int record = section - FirstRecordColumn;
    if (record < kLossColumns)
        return QString::fromLatin1(kLossFields[record].name.data(),
                                   static_cast<int>(kLossFields[record].name.size()));
    const auto& field = kTemperatureFields.at(static_cast<std::size_t>(record - kLossColumns));
    return QString::fromLatin1(field.name.data(), static_cast<int>(field.name.size()));
}

void RankingModel::sort(int column, Qt::SortOrder order) {
    std::vector<std::size_t> rowOrder(rows_.size());
    std::iota(rowOrder.begin(), rowOrder.end(), std::size_t{0});
    const bool ascending = order == Qt::AscendingOrder;
    const auto before = [&](std::size_t a, std::size_t b) {
        const RankedDevice& da = rows_[a];
        const RankedDevice& db = rows_[b];
        if (da.ok != db.ok && column != Rank) return da.ok;  // rejected devices last
        if (std::optional<std::string> wa = word(da, column)) {
            const std::string wb = *word(db, column);
            return ascending ? *wa < wb : wb < *wa;
        }
        const std::optional<double> va = number(da, ranks_[a], column);
        const std::optional<double> vb = number(db, ranks_[b], column);
        if (!va || !vb) return va.has_value() && !vb.has_value();  // no value last
        return ascending ? *va < *vb : *vb < *va;
    };
    std::stable_sort(rowOrder.begin(), rowOrder.end(), before);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<RankedDevice> rows;
    std::vector<std::size_t> ranks;
    for (std::size_t i : rowOrder) {
        rows.push_back(std::move(rows_[i]));
        ranks.push_back(ranks_[i]);
    }
    rows_ = std::move(rows);
    ranks_ = std::move(ranks);
    const QModelIndexList old = persistentIndexList();
    for (const QModelIndex& index : old) {
        const auto at =
            std::find(rowOrder.begin(), rowOrder.end(), static_cast<std::size_t>(index.row()));
        changePersistentIndex(index,
                              createIndex(static_cast<int>(at - rowOrder.begin()), index.column()));
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace thermalyx
