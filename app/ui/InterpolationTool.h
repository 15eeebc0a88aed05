// The main plot while the Interpolate window is open: the cross cursor; a
// left click adds a control point at the sample and code under the mouse
// (or changes the value of the point at that sample), and dragging moves it
// or any point picked within a few pixels; a right click or the Delete key
// removes the point nearest to the mouse. The points are drawn over the
// trace, the selected one highlighted. Markers are dragged as always when
// the mouse is over one.
#ifndef ZW_UI_INTERPOLATIONTOOL_H
#define ZW_UI_INTERPOLATIONTOOL_H

#include "MarkerTool.h"

#include <QObject>
#include <QPointF>

namespace zw {

class SplinePoints;

class InterpolationTool : public QObject, public MarkerTool {
    Q_OBJECT
public:
    // Pixels within which a press picks a point up instead of adding one.
    static constexpr double kPickRadius = 6.0;

    InterpolationTool(PlotToolHost& host, SplinePoints& points);

    void mouseMove(const PlotPointer& pointer) override;
    void mousePress(const PlotPointer& pointer) override;
    void mouseRelease(const PlotPointer& pointer) override;
    void paintOverlay(QPainter& painter, QSize size) override;

protected:
    Qt::CursorShape idleCursor() const override { return Qt::CrossCursor; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The whole sample and the code under a position of the plot.
    double sampleAt(const QPointF& position);
    double codeAt(const QPointF& position);
    // The point nearest to a position, and its distance in pixels.
    int nearestTo(const QPointF& position, double* distance);
    void removeNearest(const QPointF& position);
    void changed();

    SplinePoints& points_;
    int draggedPoint_ = -1;
    QPointF lastPosition_;
};

} // namespace zw

#endif // ZW_UI_INTERPOLATIONTOOL_H
