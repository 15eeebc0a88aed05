/*
 * curvefit32: rewrites a stretch of a wave memory with a curve drawn through
 * control points, either a polyline or a cubic spline, and sorts control
 * points by position.
 *
 * Positions are sample indices held in doubles, values are sample codes held
 * in doubles. The stretch x1 .. x2 covers the samples ceil(x1) up to, not
 * including, ceil(x2); when x1 > x2 the two are exchanged first. `total` is
 * the memory's used length. Every written sample is the computed value
 * rounded half up (floor(value + 0.5)) and limited to -32768 .. 32767.
 *
 * Control points are two parallel arrays of `n` doubles, positions `xs`
 * (ascending, pairwise distinct) and values `ys`; the curve functions only
 * read them. `full_scale` is accepted for the caller's sake (it passes 32767)
 * and does not change the limits.
 *
 * What the functions refuse, with result 0 and the memory unchanged: an
 * unknown or freed handle, a NULL array with n > 0, a position or value that
 * is not finite, a used length of 0 or less, an unknown mode, a stretch that
 * holds no control point or no sample. What they limit instead of refusing:
 * the used length to the memory's allocated size, the stretch to 0 .. total,
 * and the control points to the first 4096. A control point at (or, out of
 * order, before) the position of the control point before it is passed over,
 * and so is any spline knot that would not lie after the knot before it (a
 * control point on an anchor's position), so no interval has zero width.
 *
 * The functions are for one thread at a time.
 */
#ifndef CURVEFIT32_H
#define CURVEFIT32_H

#include <stdint.h>

#include "zwplatform.h"

#if defined(CURVEFIT32_BUILD)
#define CURVEFIT32_API __attribute__((visibility("default")))
#else
#define CURVEFIT32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Rewrites the stretch as straight segments through the control points inside
 * it, joined to the existing samples at both ends (at an end of the memory the
 * outermost segment is extended instead). When x1 = x2, writes the value of
 * the control point at exactly x1 to sample ceil(x1). Returns 1 when samples
 * were written, 0 when nothing was. */
CURVEFIT32_API int32_t Spline_Hokan_Line(ZwMemHandle memory, double x1, double x2, const double* xs,
                                         const double* ys, int32_t n, int32_t total,
                                         int32_t full_scale);

/* Rewrites the stretch as a cubic spline through the control points inside it.
 * mode 0: natural spline anchored on the existing samples at the ends of the
 *         stretch;
 * mode 1: natural spline joined smoothly to 128 existing samples on each side
 *         (the memory is treated as cyclic near its ends);
 * mode 2: periodic spline over the whole waveform 0 .. x2 (x2 is the period).
 * Fewer than three knots draw the polyline of Spline_Hokan_Line instead.
 * Returns 1 when samples were written, 0 when nothing was. */
CURVEFIT32_API int32_t Spline_Hokan_Spline(int32_t mode, ZwMemHandle memory, double x1, double x2,
                                           const double* xs, const double* ys, int32_t n,
                                           int32_t total, int32_t full_scale);

/* Sorts keys[first .. last] into ascending order in place and applies every
 * exchange to values as well. Equal keys end up next to each other in no
 * defined order. Does nothing when first < 0, first >= last or an array is
 * NULL. */
CURVEFIT32_API void Q_Sort(double* keys, double* values, int32_t first, int32_t last);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* CURVEFIT32_H */
