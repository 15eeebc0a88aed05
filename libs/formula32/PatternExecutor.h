// Executes pattern words over a stretch of samples, changing only the lines
// the current mask selects and never a sample outside the stretch.
#ifndef FORMULA32_PATTERNEXECUTOR_H
#define FORMULA32_PATTERNEXECUTOR_H

#include "ErrorCodes.h"

#include <cstddef>
#include <cstdint>

namespace formula32 {

struct PatternTarget {
    std::int16_t* samples;  // the memory's first sample
    std::size_t memorySize; // samples in the memory; indices outside are not written
    std::int64_t first;     // the stretch's first sample (may lie before the memory)
    std::int64_t length;    // samples in the stretch
};

// Bounds the work of one execution (words executed plus samples touched): a
// pattern whose loops would run longer is refused with kLoopTooComplex instead
// of freezing the caller. Without loops a pattern does at most one pass over
// the stretch per word, which the allowance per sample covers. The allowance
// counts the samples of the stretch inside the memory, and of those before
// it (walked only to keep the alignment) at most as many as the memory
// holds, so a stretch reaching billions of samples before the memory stops
// early instead of being walked sample by sample.
inline constexpr std::uint64_t kPatternBaseWork = std::uint64_t{1} << 20;
inline constexpr std::uint64_t kPatternWorkPerSample = 1024;

// Runs `words` (loop-end words keep their iteration counters in place, so
// the words are changed). Returns kOk at the end word; kUnknownPatternWord for
// a word it cannot execute; kPatternSyntax for a repeat-until-full loop whose
// body wrote nothing; kLoopTooComplex past the work limit.
ErrorCode executePattern(std::uint32_t* words, std::size_t count, const PatternTarget& target);

} // namespace formula32

#endif
