// The mouse wheel over a plot: the wheel scrolls the view along the time
// axis, Ctrl+wheel zooms the time axis in or out through the zoom list,
// keeping the sample under the mouse where it is, and Shift+wheel scrolls
// up and down while the plot is zoomed vertically. The wheel works through
// the zoom lists and scroll bars, so the view follows as it does for them.
#ifndef ZW_UI_PLOTWHEEL_H
#define ZW_UI_PLOTWHEEL_H

#include "MainWindowControls.h"

#include <QPoint>
#include <Qt>

namespace zw {

class ViewControls;

class PlotWheel {
public:
    PlotWheel(const MainWindowControls& controls, const ViewControls& view)
        : c_(controls), view_(view) {}

    // One turn over plot `plot` (0 analog, 1 digital) of width `w` at column
    // `x`; `angle` in eighths of a degree (120 a notch).
    void turn(int plot, double x, int w, QPoint angle, Qt::KeyboardModifiers modifiers);

private:
    void zoom(int plot, double x, int w, int notches);
    void scrollHorizontally(int plot, int notches);
    void scrollVertically(int notches);

    const MainWindowControls& c_;
    const ViewControls& view_;
    int remainder_ = 0; // of a notch, for fine-grained wheels
};

} // namespace zw

#endif // ZW_UI_PLOTWHEEL_H
