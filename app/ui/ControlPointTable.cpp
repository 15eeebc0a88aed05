#include "ControlPointTable.h"

#include "ControlPoints.h"

namespace zw {

ControlPointTable::ControlPointTable(const ControlPoints& points, std::function<Units()> units,
                                     QObject* parent)
    : QAbstractTableModel(parent), points_(points), unitsOf_(std::move(units)), units_(unitsOf_()) {
}

void ControlPointTable::refresh() {
    beginResetModel();
    units_ = unitsOf_();
    endResetModel();
}

QString ControlPointTable::xText(int row) const {
    return row < points_.count() ? units_.FormatXPositionLong(points_.x(row)).trimmed() : QString();
}

QString ControlPointTable::yText(int row) const {
    return row < points_.count() ? units_.FormatYValue(points_.y(row)).trimmed() : QString();
}

int ControlPointTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ControlPoints::kCapacity;
}

int ControlPointTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant ControlPointTable::data(const QModelIndex& index, int role) const {
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return index.column() == 0 ? xText(index.row()) : yText(index.row());
}

QVariant ControlPointTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? QStringLiteral("X") : QStringLiteral("Y");
    return section + 1;
}

} // namespace zw
