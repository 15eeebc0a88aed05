// The view of the main window's plot: which samples and which code rows are
// shown, the zoom factors, the scroll bars' ranges, and the mapping between
// samples, codes and pixels. Pure arithmetic, no widgets: the window copies
// the scroll-bar states into its two horizontal bars and its vertical bar.
//
// Rows run from 0 to 65535 downwards; row r shows the code 32767 - r.
#ifndef ZW_SHELL_WAVEVIEW_H
#define ZW_SHELL_WAVEVIEW_H

namespace zw {

// What a scroll bar shows; a new maximum or value is limited as a scroll bar
// limits it.
struct ScrollBarState {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    int singleStep = 1;
    int pageStep = 1;
    bool enabled = false;

    void setMaximum(int m);
    void setValue(int v);
};

// The zoom lists: "1:1" .. "1:128" horizontally, "1:1" .. "1:256" vertically.
inline constexpr int kXZoomCount = 8;
inline constexpr int kYZoomCount = 9;
inline constexpr long kFullViewBottom = 65534;

class WaveView {
public:
    // The view of a waveform of `waveLength` samples at start-up: everything
    // shown, zoom 1:1 both ways, both scroll bars disabled.
    explicit WaveView(long waveLength = 0) { reset(waveLength); }

    void reset(long waveLength);
    // A new used length (another memory size): the whole waveform is shown
    // again, at 1:1 both ways, since the old zoom's scroll ranges no longer
    // fit.
    void setWaveLength(long waveLength);

    // Horizontal zoom choice (list index 0..7).
    void setXZoomIndex(int index);
    // A horizontal scroll bar moved to `value`; false when the view did not
    // change.
    bool horizontalScroll(int value);
    // Vertical zoom choice (list index 0..8).
    void setYZoomIndex(int index);
    // The vertical scroll bar moved to `value`.
    void verticalScroll(int value);

    long waveLength() const { return waveLength_; }
    long ViewLeft() const { return viewLeft_; }
    long ViewRight() const { return viewRight_; }
    long ViewTop() const { return viewTop_; }
    long ViewBottom() const { return viewBottom_; }
    long XZoom() const { return xZoom_; }
    long YZoom() const { return yZoom_; }
    int xZoomIndex() const;
    int yZoomIndex() const;
    long ScrollStep() const { return scrollStep_; }
    const ScrollBarState& hscroll() const { return hscroll_; }
    const ScrollBarState& vscroll() const { return vscroll_; }

    // Mapping for a plot of width w and height h pixels.
    long sampleToColumn(double sample, int w) const;
    double columnToSample(double x, int w) const;
    // The nearest whole sample at a column (marker placement).
    double columnToWholeSample(double x, int w) const;
    double rowToCode(double y, int h) const;
    long codeToRow(double code, int h) const;

    // The codes the axis labels show at the top, middle and bottom edge.
    long topCode() const { return 32767 - viewTop_; }
    long bottomCode() const { return 32767 - viewBottom_; }
    long middleCode() const;

    // Samples per unit of the horizontal scroll bars for a used length.
    static long ScrollStepFor(long waveLength);

private:
    long waveLength_ = 0;
    long viewLeft_ = 0;
    long viewRight_ = 0;
    long viewTop_ = 0;
    long viewBottom_ = kFullViewBottom;
    long xZoom_ = 1;
    long yZoom_ = 1;
    long scrollStep_ = 1;
    ScrollBarState hscroll_;
    ScrollBarState vscroll_;
};

} // namespace zw

#endif // ZW_SHELL_WAVEVIEW_H
