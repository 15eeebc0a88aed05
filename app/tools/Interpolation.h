// Btn_Spline: the marked stretch of the document redrawn through the control
// points as a polyline, a natural spline, or a continuous spline (periodic
// over the whole waveform when the markers span it, else joined smoothly to
// the samples on both sides).
#ifndef ZW_TOOLS_INTERPOLATION_H
#define ZW_TOOLS_INTERPOLATION_H

#include <cstdint>
#include <functional>

namespace zw {

class ControlPoints;
class WaveDocument;

enum class InterpolationKind { Linear = 0, Spline = 1, ContSpline = 2 };

// The spline mode of the curve library for a kind and the markers: 0 for
// Spline, 2 for Cont Spline over the whole waveform (A at 0, B at or past
// the used length), 1 for Cont Spline inside it.
int32_t SplineModeFor(InterpolationKind kind, double markA, double markB, double waveLength);

// 0 when done, 20 (no control point) with the document and undo untouched.
// Otherwise the undo backup is made and the stretch rewritten; a stretch
// that holds no control point stays as it was. `backup` stands for the
// document's own backup when the caller reports it.
int32_t Interpolate(WaveDocument& document, const ControlPoints& points, InterpolationKind kind,
                    const std::function<void()>& backup = {});

} // namespace zw

#endif // ZW_TOOLS_INTERPOLATION_H
