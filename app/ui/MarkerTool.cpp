#include "MarkerTool.h"

#include "EditSession.h"
#include "PlotCanvas.h"
#include "WaveView.h"

#include <algorithm>
#include <cmath>

namespace zw {

void MarkerTool::mouseMove(const PlotPointer& pointer) {
    PlotCanvas& canvas = host_.canvas();
    const QPointF pos = pointer.position;
    if (!dragging_) {
        const auto [colA, colB] = host_.markerColumns();
        target_ = MarkerUnderMouse(static_cast<long>(std::floor(pos.x())),
                                   static_cast<long>(std::floor(pos.y())), colA, colB);
        canvas.setCursor(target_ ? Qt::SizeHorCursor : idleCursor());
        return;
    }
    if (!target_)
        return;
    // Past the plot's edge the marker goes to the first or last sample in
    // view rather than staying where the mouse left the plot.
    const int w = canvas.plotWidth();
    const double x = std::clamp(pos.x(), 0.0, static_cast<double>(w));
    host_.session().dragMarker(*target_, host_.view().columnToWholeSample(x, w));
}

void MarkerTool::mousePress(const PlotPointer& pointer) {
    if (pointer.button == Qt::LeftButton && !(pointer.modifiers & Qt::ShiftModifier) && target_)
        dragging_ = true;
}

void MarkerTool::mouseRelease(const PlotPointer&) {
    if (!dragging_)
        return;
    dragging_ = false;
    host_.redraw();
    host_.canvas().setCursor(Qt::ArrowCursor);
}

} // namespace zw
