// The direct front end: computes an expression while parsing it. There are no
// slots and no folding, so rnd draws every time it is met.
#ifndef FORMULA32_DIRECTEVALUATOR_H
#define FORMULA32_DIRECTEVALUATOR_H

#include "ErrorCodes.h"
#include "EvaluationContext.h"

#include <cstddef>

namespace formula32 {

struct Evaluation {
    ErrorCode error;      // kOk or the code of the first error
    double value;         // meaningful only without error
    std::size_t position; // where evaluation stopped
};

Evaluation evaluateDirectly(const char* text, std::size_t position,
                            const EvaluationContext& context);

} // namespace formula32

#endif
