#include "PlotWheel.h"

#include "ViewControls.h"
#include "WaveView.h"

#include <QComboBox>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace zw {
namespace {

constexpr int kNotch = 120;
// Scrolling moves an eighth of the visible stretch per notch.
constexpr int kScrollFractionPerNotch = 8;

int stepOf(const QScrollBar* bar) {
    return std::max(1, bar->pageStep() / kScrollFractionPerNotch);
}

} // namespace

void PlotWheel::turn(int plot, double x, int w, QPoint angle, Qt::KeyboardModifiers modifiers) {
    // A tilt wheel or touchpad gives the horizontal delta alone.
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    remainder_ += delta;
    const int notches = remainder_ / kNotch;
    remainder_ -= notches * kNotch;
    if (notches == 0)
        return;
    if (modifiers & Qt::ControlModifier)
        zoom(plot, x, w, notches);
    else if (modifiers & Qt::ShiftModifier)
        scrollVertically(notches);
    else
        scrollHorizontally(plot, notches);
}

void PlotWheel::zoom(int plot, double x, int w, int notches) {
    QComboBox* list = c_.Comb_XZoom[static_cast<size_t>(plot)];
    const int index = std::clamp(list->currentIndex() + notches, 0, list->count() - 1);
    if (index == list->currentIndex() || w <= 0)
        return;
    const double sample = view_.view().columnToSample(x, w);
    list->setCurrentIndex(index); // the list's own handler zooms
    const WaveView& view = view_.view();
    if (view.XZoom() == 1)
        return;
    // Scroll so that `sample` is at column x again.
    const double shown = static_cast<double>(view.waveLength()) / view.XZoom();
    const double left = sample - x / w * shown;
    QScrollBar* bar = c_.HScroll[static_cast<size_t>(plot)];
    bar->setValue(static_cast<int>(std::lround(left / view.ScrollStep())));
}

void PlotWheel::scrollHorizontally(int plot, int notches) {
    QScrollBar* bar = c_.HScroll[static_cast<size_t>(plot)];
    if (!bar->isEnabled())
        return;
    // Turning the wheel towards the user moves on in time.
    bar->setValue(bar->value() - notches * stepOf(bar));
}

void PlotWheel::scrollVertically(int notches) {
    QScrollBar* bar = c_.VScroll;
    if (!bar->isEnabled())
        return;
    bar->setValue(bar->value() - notches * stepOf(bar));
}

} // namespace zw
