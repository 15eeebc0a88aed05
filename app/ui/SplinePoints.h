// The control points of interpolation as the windows share them: the list
// (SplinePointX, SplinePointY, SplinePointCount) and the one signal that
// tells the Interpolate window's grid and the main plot to follow a change,
// whoever made it. Setting a point asks the end-link question and reports a
// full list through the message boxes; the list itself is plain logic.
#ifndef ZW_UI_SPLINEPOINTS_H
#define ZW_UI_SPLINEPOINTS_H

#include "ControlPoints.h"

#include <QObject>

namespace zw {

class Messages;

class SplinePoints : public QObject {
    Q_OBJECT
public:
    SplinePoints(Messages& messages, QObject* parent = nullptr)
        : QObject(parent), messages_(messages) {}

    ControlPoints& list() { return points_; }
    const ControlPoints& list() const { return points_; }

    // Setting a point: question 21 at the ends, the message for a 2001st
    // point. Reports the change.
    SetPointResult setPoint(double x, double y, double waveLength);
    // What the window or the plot changed by itself (removal, move,
    // selection, a file read): tells everyone.
    void notifyChanged() { emit changed(); }
    // Question 21 as the list asks it.
    EndLinkQuestion endLinkQuestion();

signals:
    void changed();

private:
    Messages& messages_;
    ControlPoints points_;
};

} // namespace zw

#endif // ZW_UI_SPLINEPOINTS_H
