// Where a printout may draw: the paper in millimetres, origin at its top
// left corner, and the body inside the margins.
#ifndef ZW_PRINT_PAGEGEOMETRY_H
#define ZW_PRINT_PAGEGEOMETRY_H

#include "MarginTable.h"

#include <QRectF>
#include <QSizeF>

namespace zw {

struct PageGeometry {
    QSizeF paperMm;
    QRectF bodyMm;                    // empty when the margins leave no room
    double headingGapMm = kMarginMin; // between a printout's heading and its body

    static PageGeometry From(QSizeF paperMm, const MarginTable& margins);

    // At least 20 mm each way remain for the printout.
    bool usable() const;
};

inline constexpr double kMinimumBodyMm = 20.0;

} // namespace zw

#endif // ZW_PRINT_PAGEGEOMETRY_H
