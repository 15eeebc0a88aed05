#include "MarkerOverlay.h"

#include "PlotColours.h"
#include "QPainterSurface.h"

#include <QPainter>

namespace zw {

void MarkerOverlay::invertMarker(QImage& frame, long column, bool isB) {
    const uint32_t xorRgb = kPlotBackground ^ kTraceColour;
    QPainter painter(&frame);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    {
        QPainterSurface surface(painter, xorRgb);
        ZwSurface* s = surface.get();
        // A marker at the end of the view maps to the column just past the
        // plot; its line is shown on the last column, where it can be taken.
        const int32_t x = static_cast<int32_t>(column == frame.width() ? column - 1 : column);
        s->move_to(s->ctx, x, 0);
        s->line_to(s->ctx, x, frame.height());
    }
    const int left = isB ? static_cast<int>(column) + 1 : static_cast<int>(column) - 10;
    painter.fillRect(QRect(left, 0, 10, 10), ColorFromRgb(xorRgb));
}

void MarkerOverlay::draw(QImage& frame, long colA, long colB) {
    invertMarker(frame, colA, false);
    invertMarker(frame, colB, true);
    drawn_ = {colA, colB};
}

void MarkerOverlay::move(QImage& frame, long colA, long colB) {
    if (!drawn_) {
        draw(frame, colA, colB);
        return;
    }
    const auto [oldA, oldB] = *drawn_;
    if (colA != oldA) {
        invertMarker(frame, oldA, false);
        invertMarker(frame, colA, false);
    }
    if (colB != oldB) {
        invertMarker(frame, oldB, true);
        invertMarker(frame, colB, true);
    }
    drawn_ = {colA, colB};
}

} // namespace zw
