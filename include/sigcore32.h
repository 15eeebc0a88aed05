/*
 * sigcore32: the waveform library. It owns the in-memory form of a waveform
 * (a wave memory: signed 16-bit sample codes in a global memory block named by
 * a ZwMemHandle) and every low-level operation on it: allocation and release,
 * clearing, copying, deleting, reading, extremes, bit edits of the digital
 * view, arithmetic between waveforms, time and value rescaling, the standard
 * generators and the drawing of traces, zero lines and digital lines onto a
 * caller's ZwSurface.
 *
 * Conventions shared by every function below:
 * - Positions and lengths are doubles and become sample indices by rounding
 *   up (ceil): a start of 2.1 means sample 3. W_GetWaveData alone rounds down.
 *   A "stretch" is the samples ceil(start) .. ceil(start) + ceil(length) - 1.
 * - A computed sample is limited to -32768..32767 and then rounded half up,
 *   floor(v + 0.5); a computed value that is not a number is stored as 0.
 * - An unknown or freed handle, a NULL surface, or a position or length that
 *   is not a finite number makes a function return its failure result (0) and
 *   touch nothing.
 * - Every stretch is limited to the memory's allocated size: samples of a
 *   stretch that lie outside the memory are neither read nor written, and the
 *   part inside is processed exactly as it would be in a larger memory. A
 *   stretch wholly outside the memory is no failure; it changes nothing.
 * - No function prints, throws or keeps a pointer into a memory after it
 *   returns. The only state kept between calls is the noise generator's.
 */
#ifndef SIGCORE32_H
#define SIGCORE32_H

#include "zwplatform.h"

#include <stdint.h>

#if defined(SIGCORE32_BUILD)
#define SIGCORE32_API __attribute__((visibility("default")))
#else
#define SIGCORE32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---------------------------------------------------------------------------
 * Wave memory
 * ------------------------------------------------------------------------- */

/* A zero-filled memory of `count` samples; 0 when count <= 0 or when the
 * platform cannot supply the block. */
SIGCORE32_API ZwMemHandle W_AllocMemory(int32_t count);

/* Releases the memory. Returns the platform's result: 0 when released, the
 * handle itself when it was unknown or already freed. */
SIGCORE32_API ZwMemHandle W_FreeMemory(ZwMemHandle handle);

/* Sets every code of the stretch to 0. 1, or 0 when length <= 0. */
SIGCORE32_API int32_t W_ClearMemory(ZwMemHandle handle, double start, double length);

/* Copies ceil(length) codes from the source stretch to the destination
 * stretch, first sample first (so a copy within one memory onto a later,
 * overlapping stretch repeats the leading codes). 1, or 0 when length <= 0. */
SIGCORE32_API int32_t W_CopyMemory(ZwMemHandle source, ZwMemHandle destination, double sourceStart,
                                   double destinationStart, double length);

/* Removes the stretch from the first `total` samples (the used length) and
 * closes the gap: the codes after the stretch move down and the last codes of
 * the used length become 0. `total` is limited to the memory's size, and the
 * removed stretch to the used length, so no code outside the stretch is lost.
 * 1, or 0 when length <= 0. */
SIGCORE32_API int32_t W_DeleteWave(ZwMemHandle handle, double start, double length, int32_t total);

/* The code at floor(index), sign-extended; an index at or beyond floor(count)
 * reads sample 0 (the waveform seen as repeating). 0 when the sample lies
 * outside the memory. */
SIGCORE32_API int32_t W_GetWaveData(ZwMemHandle handle, double index, double count);

/* The largest code of the stretch when `which` != 0, else the smallest; a
 * stretch of length 1 or less yields the code at start. 0 when no sample of
 * the stretch lies inside the memory. */
SIGCORE32_API int32_t W_GetMaxMin(ZwMemHandle handle, double start, double length, int32_t which);

/* Copies one digital line onto another over the stretch: each code c becomes
 * (c AND NOT targetMask) OR (targetMask if (c AND sourceMask) != 0, else 0),
 * seen as the 16 bits of the code. Always returns 0. */
SIGCORE32_API int32_t W_CopyBitDigital(ZwMemHandle handle, double start, double length,
                                       int32_t sourceMask, int32_t targetMask);

/* The low 16 bits of value mirrored: bit i becomes bit 15 - i; the result's
 * upper 16 bits are 0. */
SIGCORE32_API int32_t reverse_bit(int32_t value);

/* ---------------------------------------------------------------------------
 * Computations
 * ------------------------------------------------------------------------- */

/* Operation codes of W_CalcWave. */
enum { W_CALC_ADD = 0, W_CALC_SUBTRACT = 1, W_CALC_MULTIPLY = 2, W_CALC_DIVIDE = 3 };

/* result[i] = first[ceil(start) + i] op second[i] for i < ceil(length),
 * computed in physical units of the range [min, max] (code 32767 is max,
 * -32767 is min). Division by a physical 0 gives code 0. An unknown operation
 * computes nothing. 1, or 0 when length <= 0. */
SIGCORE32_API int32_t W_CalcWave(ZwMemHandle first, ZwMemHandle second, ZwMemHandle result,
                                 double start, double length, double min, double max,
                                 int32_t operation);

/* Resamples the stretch (start, length) of the used length `total` onto the
 * new range starting at newStart with |newLength| samples; a negative
 * newLength stores it reversed, ending just before newStart. Compression
 * picks samples, stretching interpolates linearly. The part of the old
 * stretch the new range leaves uncovered holds the old first code before it
 * and the code that followed the old stretch after it. 1, or 0 (nothing
 * changed) when the length or |newLength| rounds to 0 or less, or when
 * scratch memory cannot be had. */
SIGCORE32_API int32_t W_CompWaveX(ZwMemHandle handle, double start, double length, int32_t total,
                                  double newStart, double newLength);

/* Rescales the stretch linearly so that its smallest code becomes newMin and
 * its largest newMax; a flat stretch is left as it is. 1, or 0 when
 * length <= 0. */
SIGCORE32_API int32_t W_CompYMaxMin(ZwMemHandle handle, double start, double length, double newMax,
                                    double newMin);

/* Rescales the stretch to the peak-to-peak span `amplitude` around the
 * centre `offset` (both in codes); a flat stretch becomes the offset. 1, or 0
 * when length <= 0. */
SIGCORE32_API int32_t W_CompYAmpOff(ZwMemHandle handle, double start, double length,
                                    double amplitude, double offset);

/* ---------------------------------------------------------------------------
 * Standard generators
 *
 * Levels are in codes: offset is the centre line, amplitude the peak-to-peak
 * span. Cycles periods fit into the length; phase is in degrees; duty,
 * symmetry and transition are percentages of one period. The periodic
 * generators write the samples i with ceil(start) <= i < ceil(start + length).
 * All return 1, or 0 when length <= 0 (nothing written).
 * ------------------------------------------------------------------------- */

SIGCORE32_API int32_t W_MakeSin(ZwMemHandle handle, double start, double length, double offset,
                                double amplitude, double cycles, double phase);

/* Duty outside 0..100 gives the offset level; a negative transition counts as
 * 0. */
SIGCORE32_API int32_t W_MakeSquare(ZwMemHandle handle, double start, double length, double offset,
                                   double amplitude, double cycles, double phase, double duty,
                                   double transition);

/* Symmetry outside 0..100 gives the offset level. */
SIGCORE32_API int32_t W_MakeTriangle(ZwMemHandle handle, double start, double length, double offset,
                                     double amplitude, double cycles, double phase,
                                     double symmetry);

/* Uniform noise of peak-to-peak `amplitude` around `offset`, drawn from the
 * library's generator (two random numbers or more per sample inside the
 * memory). */
SIGCORE32_API int32_t W_MakeNoise(ZwMemHandle handle, double start, double length, double offset,
                                  double amplitude);

/* Sets the stretch to floor(level + 0.5), the level first limited to
 * -32768..32767. */
SIGCORE32_API int32_t W_MakeDC(ZwMemHandle handle, double start, double length, double level);

/* Seeds the noise generator (its state is 1 until the first call). */
SIGCORE32_API void W_InitRand(int32_t seed);

/* ---------------------------------------------------------------------------
 * Rendering onto a drawing surface
 *
 * The caller prepares the surface (pen for the trace, background) and passes
 * its size in pixels. Traces emit at most three points per pixel column. The
 * wave and digital functions return the memory handle when the call was valid
 * and 0 when the length is not positive, a size is not positive or exceeds
 * SIGCORE32_MAX_SURFACE_SIZE, or an argument is invalid; then nothing is
 * drawn. The size limit, far beyond any screen or printed page, bounds the
 * work and memory of one call whatever size is passed.
 * ------------------------------------------------------------------------- */

#define SIGCORE32_MAX_SURFACE_SIZE 65536

/* The trace of `length` samples from start, zoomed (row = floor(((32767 -
 * code) - top) * height / span)) and clipped to the surface. span must be a
 * non-zero finite number. */
SIGCORE32_API ZwMemHandle W_DrawWave2(ZwSurface* surface, ZwMemHandle handle, double start,
                                      double top, double length, double span, int32_t width,
                                      int32_t height);

/* The trace at full scale (code 32767 at row 0), as one polyline. */
SIGCORE32_API ZwMemHandle W_DrawWave(ZwSurface* surface, ZwMemHandle handle, double start,
                                     double length, int32_t width, int32_t height);

/* The zero line, then the trace of the samples from 0, at full scale, both
 * shifted by left and top. */
SIGCORE32_API ZwMemHandle W_DrawWaveForPrint(ZwSurface* surface, ZwMemHandle handle, double length,
                                             int32_t width, int32_t height, int32_t left,
                                             int32_t top);

/* The zero line (code 0) at full scale across the width. Returns 0. */
SIGCORE32_API int32_t W_DrawGrid(ZwSurface* surface, int32_t width, int32_t height);

/* The zero line in the zoomed mapping of W_DrawWave2. Returns 0. */
SIGCORE32_API int32_t W_DrawGrid2(ZwSurface* surface, double top, double span, int32_t width,
                                  int32_t height);

/* The digital lines 0 .. k of the stretch as level traces, k the highest set
 * bit of the low 16 bits of lineMask. */
SIGCORE32_API ZwMemHandle W_DrawDigital(ZwSurface* surface, ZwMemHandle handle, double start,
                                        double length, int32_t lineMask, int32_t width,
                                        int32_t height);

/* All 16 digital lines, bit 15 at the top, each in the enabled or disabled
 * colour by enabledMask; lines of selectedMask are drawn in the selected
 * colours over the selection. Makes and deletes its own pens and selects
 * back the pen it found. */
SIGCORE32_API ZwMemHandle W_DrawDigitalPattern(ZwSurface* surface, ZwMemHandle handle, double start,
                                               double length, int32_t enabledMask,
                                               int32_t selectedMask, double selectionStart,
                                               double selectionEnd, int32_t width, int32_t height,
                                               uint32_t enabledColour, uint32_t disabledColour,
                                               uint32_t enabledSelectedColour,
                                               uint32_t disabledSelectedColour);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* SIGCORE32_H */
