// The page of the waveform printout, in millimetres: two heading lines at
// the top of the body, then the plot with the value labels on its left and
// the position labels under it. The plot takes the body's width and keeps a
// landscape shape (at most 5/8 as high as wide), so a portrait sheet is not
// filled with a stretched trace.
//
// The plot is drawn in plot pixels of 0.1 mm, a line weight that prints
// clearly and a resolution finer than any trace needs.
#ifndef ZW_PRINT_WAVEFORMLAYOUT_H
#define ZW_PRINT_WAVEFORMLAYOUT_H

#include <QRectF>
#include <QSize>

namespace zw {

inline constexpr double kPlotPixelMm = 0.1;
inline constexpr double kPlotAspect = 0.625; // height / width at most
inline constexpr double kLabelGapMm = 1.5;   // between a label and the plot
inline constexpr double kPlotFrameMm = 0.2;  // the line around the plot, outside it

struct WaveformLayout {
    double headingBaseline[2]{}; // of the two heading lines
    QRectF plotMm;               // empty when the body has no room for a plot
    QSize plotPixels;            // of kPlotPixelMm
    double valueLabelRight = 0;  // value labels end here (right-aligned)
    double positionBaseline = 0; // of the position labels under the plot

    // `lineHeight` and `ascent` of the print font; `valueLabelWidth` the
    // widest value label; `gap` the space between heading and plot.
    static WaveformLayout For(const QRectF& bodyMm, double lineHeight, double ascent,
                              double valueLabelWidth, double gap);
};

// The pixel row of the middle of digital line `line` (0 at the bottom) of
// the sixteen W_DrawDigital draws over `height` pixels, between its high and
// low level.
double DigitalLineMiddleRow(int line, int height);

} // namespace zw

#endif // ZW_PRINT_WAVEFORMLAYOUT_H
