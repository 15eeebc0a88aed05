/*
 * formula32: the expression evaluator. Computes arithmetic expressions of the
 * sample index into wave memories, and edits the 16 digital lines of a wave
 * memory by a small pattern language.
 *
 * Result codes (16-bit): 0 success; -1 the leading constant block
 * "[name=expr; ...]" is malformed or the user-constant table is full; 100 to
 * 118 message numbers of the editor's catalogue (100 syntax error, 101 lack of
 * parenthesis, 102 unbalanced parenthesis, 103 wrong argument count, 104
 * divide by 0, 105 buffer insufficient, 106 compile error, 107 insufficient
 * memory, 108 syntax error, 110 to 118 pattern errors).
 *
 * Positions are byte counts from the first byte of the text, constant block
 * included; a position beyond 32767 is reported as 32767. Out-parameters may
 * be NULL, a NULL text reads as an empty one.
 *
 * Wave memories are platform-layer handles holding signed 16-bit sample codes.
 * A handle that cannot be locked gives 107 and nothing is touched; samples of a
 * stretch that lie outside the memory are never written, the others are, and
 * the call then reports 107 unless an evaluation error came first.
 *
 * The library keeps a user-constant table and a random generator between
 * calls; calls must not overlap (one thread at a time).
 */
#ifndef FORMULA32_H
#define FORMULA32_H

#include "zwplatform.h"

#include <stdint.h>

#if defined(FORMULA32_BUILD)
#define FORMULA32_API __attribute__((visibility("default")))
#else
#define FORMULA32_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Evaluates the text once, with no variable (`x` is an unknown name).
 * `value` receives the result as a sample code (limited to -32768..32767,
 * truncated toward zero; 0 when evaluation failed), `position` where
 * evaluation stopped. Returns 0, -1 or the error code. */
FORMULA32_API int16_t EvalOne(const char* text, int32_t* value, int16_t* position);

/* Fills samples start .. start+count-1 of `memory`, parsing the text again for
 * every sample with `x` = the sample index. `position` receives where the last
 * evaluation stopped (untouched when no sample was evaluated). On an error the
 * samples before the failing one stay written. Returns 0, -1 or the code. */
FORMULA32_API int16_t EvalArray(int32_t start, int32_t count, ZwMemHandle memory, int16_t* position,
                                const char* text);

/* Compiles the text once, then fills samples ceil(start) .. ceil(start+count)-1
 * with `x` = the sample index. `position` receives where compilation stopped
 * once compilation has run. count <= 0 writes nothing and returns 0. On a
 * run-time error the samples before the failing one stay written. */
FORMULA32_API int16_t EvalArray1(double start, double count, ZwMemHandle memory, int16_t* position,
                                 const char* text);

/* Empties the user-constant table. Returns 0. */
FORMULA32_API int16_t ClearConstant(void);

/* Edits the digital lines of `count` samples from `start` by the pattern
 * language. `position` receives where compilation stopped. Compile errors
 * change no sample; execution errors leave the samples changed so far. */
FORMULA32_API int16_t DigitalPattern(const char* text, int32_t start, ZwMemHandle memory,
                                     int32_t count, int16_t* position);

/* Seeds the generator behind rnd(). Before any seeding the state is 1. */
FORMULA32_API void EvalInitRandom(int32_t seed);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* FORMULA32_H */
