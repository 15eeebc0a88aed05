// Runs compiled code once, one sample at a time: the reference engine. The
// array evaluation runs whole blocks of samples instead (BlockEngine.h) and
// must give exactly what this gives.
#ifndef FORMULA32_STACKMACHINE_H
#define FORMULA32_STACKMACHINE_H

#include "CodeSlot.h"
#include "ErrorCodes.h"

#include <cstddef>

namespace formula32 {

class RandomGenerator;
class VariableTable;

inline constexpr std::size_t kStackCapacity = 512; // doubles, 4096 bytes

// Executes the slots of `code`, of which `bytes` are readable, and stores the
// result. Fails with kNotCompiled when the first slot is no header,
// kInsufficientMemory on stack overflow or underflow, kDivideByZero, and
// kUnknownSlot for a slot it cannot execute: an unknown kind, an operator,
// row or variable that does not exist or with the wrong operand count, or
// code that runs to the end of the buffer without an end slot.
ErrorCode runCode(const CodeSlot* code, std::size_t bytes, const VariableTable& variables,
                  RandomGenerator& random, double& result);

} // namespace formula32

#endif
