#include "InterpolationTool.h"

#include "EditSession.h"
#include "PlotCanvas.h"
#include "Rounding.h"
#include "SplinePoints.h"
#include "WaveView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVector>

#include <algorithm>

namespace zw {

namespace {

constexpr int kHalfMark = 3;
const QColor kPointColour(0x80, 0x00, 0x00);
const QColor kSelectedColour(0xFF, 0x00, 0x00);

} // namespace

InterpolationTool::InterpolationTool(PlotToolHost& host, SplinePoints& points)
    : MarkerTool(host), points_(points) {
    // Delete on the plot needs the plot to take the keyboard when clicked.
    host.canvas().setFocusPolicy(Qt::ClickFocus);
    host.canvas().installEventFilter(this);
}

double InterpolationTool::sampleAt(const QPointF& position) {
    const double sample =
        host().view().columnToWholeSample(position.x(), host().canvas().plotWidth());
    return std::clamp(sample, 0.0, static_cast<double>(host().session().WaveLength()));
}

double InterpolationTool::codeAt(const QPointF& position) {
    const double code =
        RoundHalfEven(host().view().rowToCode(position.y(), host().canvas().plotHeight()));
    return std::clamp(code, -32768.0, 32767.0);
}

int InterpolationTool::nearestTo(const QPointF& position, double* distance) {
    const WaveView& v = host().view();
    const double w = std::max(1, host().canvas().plotWidth());
    const double h = std::max(1, host().canvas().plotHeight());
    const double samplesPerPixel = static_cast<double>(v.ViewRight() - v.ViewLeft()) / w;
    const double codesPerPixel = static_cast<double>(v.ViewBottom() - v.ViewTop()) / h;
    const double sample = v.columnToSample(position.x(), static_cast<int>(w));
    const double code = v.rowToCode(position.y(), static_cast<int>(h));
    return points_.list().nearest(sample, code, samplesPerPixel, codesPerPixel, distance);
}

// The list tells the grid and the plot (which redraws).
void InterpolationTool::changed() {
    points_.notifyChanged();
}

void InterpolationTool::removeNearest(const QPointF& position) {
    const int index = nearestTo(position, nullptr);
    if (index >= 0 && points_.list().remove(index))
        changed();
}

void InterpolationTool::mouseMove(const PlotPointer& pointer) {
    lastPosition_ = pointer.position;
    // A release the plot never saw (a question box took it) ends the drag.
    if (draggedPoint_ >= 0 && !(pointer.buttons & Qt::LeftButton))
        draggedPoint_ = -1;
    if (draggedPoint_ < 0) {
        MarkerTool::mouseMove(pointer);
        return;
    }
    const QPointF p = pointer.position;
    const int w = host().canvas().plotWidth();
    const int h = host().canvas().plotHeight();
    if (p.x() < 0 || p.y() < 0 || p.x() > w || p.y() > h)
        return;
    draggedPoint_ = points_.list().move(draggedPoint_, sampleAt(p), codeAt(p),
                                        static_cast<double>(host().session().WaveLength()));
    changed();
}

void InterpolationTool::mousePress(const PlotPointer& pointer) {
    lastPosition_ = pointer.position;
    if (pointer.button == Qt::RightButton) {
        removeNearest(pointer.position);
        return;
    }
    if (pointer.button != Qt::LeftButton)
        return;
    if (markerUnderMouse()) {
        MarkerTool::mousePress(pointer);
        return;
    }
    double distance = 0;
    const int near = nearestTo(pointer.position, &distance);
    if (near >= 0 && distance <= kPickRadius) {
        points_.list().select(near);
        draggedPoint_ = near;
        changed();
        return;
    }
    const SetPointResult result =
        points_.setPoint(sampleAt(pointer.position), codeAt(pointer.position),
                         static_cast<double>(host().session().WaveLength()));
    if (result == SetPointResult::Added || result == SetPointResult::Replaced)
        draggedPoint_ = points_.list().selected();
}

void InterpolationTool::mouseRelease(const PlotPointer& pointer) {
    if (draggedPoint_ >= 0) {
        draggedPoint_ = -1;
        host().redraw();
        return;
    }
    MarkerTool::mouseRelease(pointer);
}

bool InterpolationTool::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
        host().session().toolMode() == ToolMode::Interpolate) {
        removeNearest(lastPosition_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// Spline_Draw and Change_Spline_Select: a small square per point in view,
// the selected one filled.
void InterpolationTool::paintOverlay(QPainter& painter, QSize size) {
    const WaveView& v = host().view();
    const ControlPoints& list = points_.list();
    // One batch for the outlines: 2000 points cost about as much as one.
    QVector<QRect> marks;
    marks.reserve(list.count());
    QRect selected;
    for (int i = 0; i < list.count(); ++i) {
        if (list.x(i) < v.ViewLeft() || list.x(i) > v.ViewRight())
            continue;
        const long x = v.sampleToColumn(list.x(i), size.width());
        const long y = v.codeToRow(list.y(i), size.height());
        const QRect mark(static_cast<int>(x) - kHalfMark, static_cast<int>(y) - kHalfMark,
                         2 * kHalfMark, 2 * kHalfMark);
        if (i == list.selected())
            selected = mark.adjusted(-1, -1, 2, 2);
        else
            marks.append(mark);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kPointColour);
    painter.setBrush(Qt::NoBrush);
    painter.drawRects(marks);
    if (!selected.isNull())
        painter.fillRect(selected, kSelectedColour);
    painter.restore();
}

} // namespace zw
