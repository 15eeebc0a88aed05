// The grid of the Interpolate window over the control points: 2000 rows
// under the header "X" and "Y", row r holding point r - 1 in the current
// units (FormatXPositionLong, FormatYValue); rows past the points are empty.
#ifndef ZW_UI_CONTROLPOINTTABLE_H
#define ZW_UI_CONTROLPOINTTABLE_H

#include "Units.h"

#include <QAbstractTableModel>

#include <functional>

namespace zw {

class ControlPoints;

class ControlPointTable : public QAbstractTableModel {
    Q_OBJECT
public:
    // `units` gives the units of the current setting at each refresh.
    ControlPointTable(const ControlPoints& points, std::function<Units()> units,
                      QObject* parent = nullptr);

    // The points or the units changed: every row anew.
    void refresh();
    // The texts of a row's two cells ("" past the points).
    QString xText(int row) const;
    QString yText(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ControlPoints& points_;
    std::function<Units()> unitsOf_;
    Units units_;
};

} // namespace zw

#endif // ZW_UI_CONTROLPOINTTABLE_H
