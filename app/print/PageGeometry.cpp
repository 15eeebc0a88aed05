#include "PageGeometry.h"

#include <algorithm>

namespace zw {

PageGeometry PageGeometry::From(QSizeF paperMm, const MarginTable& margins) {
    PageGeometry g;
    g.paperMm = paperMm;
    const double left = margins.left();
    const double top = margins.top();
    const double width = std::max(0.0, paperMm.width() - left - margins.right());
    const double height = std::max(0.0, paperMm.height() - top - margins.bottom());
    g.bodyMm = QRectF(left, top, width, height);
    g.headingGapMm = margins.gap();
    return g;
}

bool PageGeometry::usable() const {
    return bodyMm.width() >= kMinimumBodyMm && bodyMm.height() >= kMinimumBodyMm;
}

} // namespace zw
