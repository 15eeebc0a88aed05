#include "MarkerTool.h"

#include "EditSession.h"
#include "PlotCanvas.h"
#include "WaveView.h"

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
    const int w = canvas.plotWidth();
    const int h = canvas.plotHeight();
    if (pos.x() < 0 || pos.y() < 0 || pos.x() > w || pos.y() > h || !target_)
        return;
    host_.session().dragMarker(*target_, host_.view().columnToWholeSample(pos.x(), w));
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
