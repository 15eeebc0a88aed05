#include "WaveformLayout.h"

#include <algorithm>
#include <cmath>

namespace zw {

WaveformLayout WaveformLayout::For(const QRectF& body, double lineHeight, double ascent,
                                   double valueLabelWidth, double gap) {
    WaveformLayout l;
    l.headingBaseline[0] = body.top() + ascent;
    l.headingBaseline[1] = body.top() + lineHeight + ascent;
    // Half a line above the plot, for the top value label centred on its edge.
    const double plotTop = body.top() + 2 * lineHeight + gap + lineHeight / 2;
    const double plotLeft = body.left() + valueLabelWidth + kLabelGapMm;
    // The frame is drawn around the plot, so it takes its width off the right.
    const double width = body.right() - kPlotFrameMm - plotLeft;
    const double room = body.bottom() - lineHeight - kLabelGapMm - plotTop;
    const double height = std::min(room, width * kPlotAspect);
    if (width <= 0 || height <= 0)
        return l;
    // Whole plot pixels; the small allowance keeps 168.5 mm at 1685 pixels
    // although 168.5 / 0.1 comes out a hair below in doubles.
    auto pixelsIn = [](double mm) {
        return static_cast<int>(std::floor(mm / kPlotPixelMm + 1e-6));
    };
    const QSize pixels(pixelsIn(width), pixelsIn(height));
    if (pixels.width() < 1 || pixels.height() < 1)
        return l;
    l.plotPixels = pixels;
    l.plotMm =
        QRectF(plotLeft, plotTop, pixels.width() * kPlotPixelMm, pixels.height() * kPlotPixelMm);
    l.valueLabelRight = plotLeft - kLabelGapMm;
    l.positionBaseline = l.plotMm.bottom() + kLabelGapMm + ascent;
    return l;
}

double DigitalLineMiddleRow(int line, int height) {
    // The geometry of W_DrawDigital for sixteen lines: a row height of
    // height / 33, the top line's high level at height - floor(32 l), each
    // line trunc(2 l) below the one above, its low level trunc(l) below its
    // high level.
    constexpr int kLines = 16;
    const double l = static_cast<double>(height) / (2 * kLines + 1);
    const double topHigh = height - std::floor(2 * kLines * l);
    const double high = topHigh + (kLines - 1 - line) * std::trunc(2 * l);
    return high + std::trunc(l) / 2;
}

} // namespace zw
