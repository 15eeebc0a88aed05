// The compiling front end: turns an expression into code slots, folding every
// operator and call whose operands are all constants (rnd included, so
// "rnd(0)" is one value drawn now while "rnd(x)" draws at every sample).
#ifndef FORMULA32_COMPILER_H
#define FORMULA32_COMPILER_H

#include "CodeSlot.h"
#include "ErrorCodes.h"
#include "EvaluationContext.h"

#include <cstddef>

namespace formula32 {

struct Compilation {
    ErrorCode error;      // kOk or the code of the first error
    std::size_t position; // where compilation stopped
    std::size_t bytes;    // code length written into the header, 0 on failure
};

// Compiles the expression at `position` into `buffer`, which holds
// floor(bufferBytes / 16) slots; fewer than 32 bytes are refused with
// kBufferInsufficient before anything is read. The header's 16-bit length
// field caps the usable buffer at 32767 bytes.
Compilation compile(const char* text, std::size_t position, CodeSlot* buffer,
                    std::size_t bufferBytes, const EvaluationContext& context);

} // namespace formula32

#endif
