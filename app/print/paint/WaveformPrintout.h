// The waveform printout: a heading with the file name, the model, the
// memory size and the date, then the waveform as the main window shows it —
// the same stretch and the same codes, drawn by the waveform library through
// a QPainterSurface on the printer — with the grid when the window shows it
// and the axis labels of the window (values left of the plot, positions
// under it). The digital view prints its sixteen lines, numbered.
#ifndef ZW_PRINT_WAVEFORMPRINTOUT_H
#define ZW_PRINT_WAVEFORMPRINTOUT_H

#include "WaveformPrintSource.h"

namespace zw {

class CaptionCatalog;
class PrintCanvas;

// The colour of the printed trace: the screen's trace colour.
inline constexpr uint32_t kPrintTraceColour = 0xFF0000; // platform RGB: blue

void PaintWaveform(PrintCanvas& canvas, const WaveformPrintSource& source,
                   const CaptionCatalog& catalog);

} // namespace zw

#endif // ZW_PRINT_WAVEFORMPRINTOUT_H
