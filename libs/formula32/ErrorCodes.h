// Result codes of the evaluator: message numbers of the editor's catalogue,
// so the editor can show them as they are.
#ifndef FORMULA32_ERRORCODES_H
#define FORMULA32_ERRORCODES_H

#include <cstdint>

namespace formula32 {

using ErrorCode = std::int16_t;

inline constexpr ErrorCode kOk = 0;
inline constexpr ErrorCode kConstantBlockFailed = -1;
inline constexpr ErrorCode kSyntaxError = 100;       // no operand where one is needed
inline constexpr ErrorCode kLackOfParenthesis = 101; // name without "(", arguments not closed
inline constexpr ErrorCode kUnbalancedParenthesis = 102;
inline constexpr ErrorCode kArgumentCount = 103; // too few arguments
inline constexpr ErrorCode kDivideByZero = 104;
inline constexpr ErrorCode kBufferInsufficient = 105;
inline constexpr ErrorCode kNotCompiled = 106;        // code without a header slot
inline constexpr ErrorCode kInsufficientMemory = 107; // stack, nesting, unlockable memory
inline constexpr ErrorCode kUnknownSlot = 108;
inline constexpr ErrorCode kPatternTooLong = 110;
inline constexpr ErrorCode kLoopTooComplex = 112;
inline constexpr ErrorCode kRepeatCountTooLarge = 113;
inline constexpr ErrorCode kGroupUnbalanced = 114;
inline constexpr ErrorCode kGroupSyntax = 115;
inline constexpr ErrorCode kUnknownPatternWord = 116;
inline constexpr ErrorCode kPatternItem = 117; // a character that begins no item
inline constexpr ErrorCode kPatternSyntax = 118;

} // namespace formula32

#endif
