#include "WaveView.h"

#include "Rounding.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace zw {

void ScrollBarState::setMaximum(int m) {
    maximum = std::max(m, minimum);
    setValue(value);
}

void ScrollBarState::setValue(int v) {
    value = std::clamp(v, minimum, maximum);
}

long WaveView::ScrollStepFor(long waveLength) {
    if (waveLength < 32769)
        return 1;
    return RoundHalfEvenToLong(static_cast<double>(waveLength) / 32768.0);
}

void WaveView::reset(long waveLength) {
    waveLength_ = std::max(waveLength, 0L);
    scrollStep_ = ScrollStepFor(waveLength_);
    viewLeft_ = 0;
    viewTop_ = 0;
    viewRight_ = waveLength_;
    viewBottom_ = kFullViewBottom;
    xZoom_ = 1;
    yZoom_ = 1;
    vscroll_ = ScrollBarState{};
    vscroll_.setMaximum(32767);
    hscroll_ = ScrollBarState{};
    hscroll_.setMaximum(
        static_cast<int>(RoundHalfEven(static_cast<double>(waveLength_) / 2.0 / scrollStep_)));
}

void WaveView::setWaveLength(long waveLength) {
    reset(waveLength);
}

int WaveView::xZoomIndex() const {
    return std::countr_zero(static_cast<unsigned long>(xZoom_));
}
int WaveView::yZoomIndex() const {
    return std::countr_zero(static_cast<unsigned long>(yZoom_));
}

void WaveView::setXZoomIndex(int index) {
    index = std::clamp(index, 0, kXZoomCount - 1);
    xZoom_ = 1L << index;
    if (xZoom_ == 1) {
        hscroll_.setValue(0);
        hscroll_.enabled = false;
        viewLeft_ = 0;
        viewRight_ = waveLength_;
        return;
    }
    const double length = static_cast<double>(waveLength_);
    const long page = RoundHalfEvenToLong(length / xZoom_ / scrollStep_);
    hscroll_.setMaximum(static_cast<int>(RoundHalfEven(length / scrollStep_ - page)));
    hscroll_.pageStep = static_cast<int>(std::max(page, 1L));
    hscroll_.enabled = true;
    const long v = hscroll_.value;
    viewLeft_ = v * scrollStep_;
    viewRight_ = (v + page) * scrollStep_;
}

bool WaveView::horizontalScroll(int value) {
    hscroll_.setValue(value);
    const long v = hscroll_.value;
    if (static_cast<double>(v) == static_cast<double>(viewLeft_) / scrollStep_)
        return false;
    viewLeft_ = v * scrollStep_;
    viewRight_ = RoundHalfEvenToLong(static_cast<double>(viewLeft_) +
                                     static_cast<double>(waveLength_) / xZoom_);
    return true;
}

void WaveView::setYZoomIndex(int index) {
    index = std::clamp(index, 0, kYZoomCount - 1);
    yZoom_ = 1L << index;
    if (yZoom_ != 1) {
        const long page = 32767 / yZoom_;
        const int oldValue = vscroll_.value;
        vscroll_.setMaximum(static_cast<int>(32767 - page));
        vscroll_.pageStep = static_cast<int>(page);
        vscroll_.enabled = true;
        long value;
        if (oldValue == 0) {
            // Centres the view on code 0.
            value = RoundHalfEvenToLong(32767.0 / 2.0 - page / 2.0);
        } else {
            // Keeps the centre row of the view where it was.
            const double centre = viewTop_ + (viewBottom_ - viewTop_) / 2.0;
            value = static_cast<long>(std::trunc(centre / 2.0 - page / 2.0));
        }
        vscroll_.setValue(static_cast<int>(value));
    } else {
        vscroll_.setMaximum(32767);
        vscroll_.setValue(0);
        // At 1:1 every row is shown; there is nothing to scroll to.
        vscroll_.enabled = false;
        vscroll_.pageStep = 1;
    }
    verticalScroll(vscroll_.value);
}

void WaveView::verticalScroll(int value) {
    vscroll_.setValue(value);
    viewTop_ = 2L * vscroll_.value;
    viewBottom_ = viewTop_ + static_cast<long>(RoundHalfUp(65536.0 / yZoom_)) - 1;
}

long WaveView::middleCode() const {
    const long code =
        32767 - (viewTop_ + static_cast<long>(RoundHalfUp((viewBottom_ - viewTop_) / 2.0)));
    return code == -32768 ? 0 : code;
}

long WaveView::sampleToColumn(double sample, int w) const {
    const double span = static_cast<double>(viewRight_ - viewLeft_);
    if (span <= 0)
        return 0;
    return RoundHalfEvenToLong(w / span * (sample - viewLeft_));
}

double WaveView::columnToSample(double x, int w) const {
    if (w <= 0)
        return static_cast<double>(viewLeft_);
    return x * (static_cast<double>(viewRight_ - viewLeft_) / w) + viewLeft_;
}

double WaveView::columnToWholeSample(double x, int w) const {
    return RoundHalfEven(columnToSample(x, w));
}

double WaveView::rowToCode(double y, int h) const {
    if (h <= 0)
        return 32767.0 - viewTop_;
    return 32767.0 - y * (static_cast<double>(viewBottom_ - viewTop_) / h) - viewTop_;
}

long WaveView::codeToRow(double code, int h) const {
    const double span = static_cast<double>(viewBottom_ - viewTop_);
    if (span <= 0)
        return 0;
    return static_cast<long>(std::trunc(((32767.0 - code) - viewTop_) * (h / span)));
}

} // namespace zw
