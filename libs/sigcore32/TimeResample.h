// Time-axis resampling of a stretch of wave memory onto a new range: picking
// samples when compressing, interpolating linearly when stretching, storing
// back to front when the new length is negative.
#ifndef SIGCORE32_TIME_RESAMPLE_H
#define SIGCORE32_TIME_RESAMPLE_H

#include <cstdint>
#include <span>

namespace sigcore {

struct TimeResample {
    double start;     // old stretch
    double length;    // old length, > 0
    int64_t total;    // used length of the memory
    double newStart;  // start of the new range (its end when reversed)
    double newLength; // negative: stored reversed, ending before newStart
};

enum class ResampleResult { Done, NothingToDo };

// Rewrites `memory` in place. Only samples inside the span are read or
// written; a stretch or a new range reaching outside it is cut at its edge,
// while the ratio between old and new length stays the requested one.
// Throws std::bad_alloc when scratch memory cannot be had, before anything is
// changed.
ResampleResult resampleTime(std::span<int16_t> memory, const TimeResample& request);

} // namespace sigcore

#endif
