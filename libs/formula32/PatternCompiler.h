// Compiles the digital pattern language into pattern words. Letters H, L, N,
// Z set, clear, invert or keep the selected lines of one sample; a number
// before a letter makes a run, before "#value" a repeated value, before "["
// or "{" a repeated group (0: until the track is full); "Mask" selects lines,
// ":" starts a new track at the stretch's first sample; "{...}" writes lines
// of one sample at once, the last item being line 0. Every number is an
// expression, evaluated directly.
#ifndef FORMULA32_PATTERNCOMPILER_H
#define FORMULA32_PATTERNCOMPILER_H

#include "ErrorCodes.h"
#include "EvaluationContext.h"
#include "PatternWord.h"

#include <cstddef>

namespace formula32 {

struct PatternCompilation {
    ErrorCode error;      // kOk or the code of the first error
    std::size_t position; // where compilation stopped
    std::size_t words;    // words written, start and end word included
};

PatternCompilation compilePattern(const char* text, std::size_t position, PatternCode& code,
                                  const EvaluationContext& context);

// The low 16 bits of the value truncated toward zero; 0 for NaN and the
// infinities, which have no integer part.
unsigned low16(double v);

} // namespace formula32

#endif
