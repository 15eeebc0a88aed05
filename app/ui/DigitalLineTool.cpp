#include "DigitalLineTool.h"

#include "DigitalLines.h"
#include "EditSession.h"
#include "PlotCanvas.h"

#include <cmath>

namespace zw {

void DigitalLineTool::mousePress(const PlotPointer& pointer) {
    draggedLine_.reset();
    if (pointer.button != Qt::LeftButton)
        return;
    const auto [colA, colB] = markerColumns_();
    if (!WithinMarkedColumns(static_cast<long>(std::floor(pointer.position.x())), colA, colB))
        return;
    draggedLine_ = DigitalLineAt(pointer.position.y(), canvas_.plotHeight());
}

void DigitalLineTool::reportDrag(std::optional<int> to) {
    if (onDrag)
        onDrag(draggedLine_, draggedLine_ ? to : std::nullopt);
}

void DigitalLineTool::mouseMove(const PlotPointer& pointer) {
    if (!draggedLine_ || !(pointer.buttons & Qt::LeftButton))
        return;
    canvas_.setCursor(Qt::DragCopyCursor);
    reportDrag(DigitalLineAt(pointer.position.y(), canvas_.plotHeight()));
}

void DigitalLineTool::mouseRelease(const PlotPointer& pointer) {
    canvas_.setCursor(Qt::PointingHandCursor);
    if (!draggedLine_)
        return;
    const int from = *draggedLine_;
    draggedLine_.reset();
    reportDrag(std::nullopt);
    const std::optional<int> to = DigitalLineAt(pointer.position.y(), canvas_.plotHeight());
    if (!to)
        return;
    if (*to == from)
        session_.toggleLine(from);
    else if (session_.toolMode() == ToolMode::None)
        session_.copyLine(from, *to); // an edit: not under a tool window
}

} // namespace zw
