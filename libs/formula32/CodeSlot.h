// The compiled form of an expression: 16-byte slots, a header first, then the
// expression in postfix order, then an end slot. Every slot starts with its
// kind as a signed 16-bit integer.
#ifndef FORMULA32_CODESLOT_H
#define FORMULA32_CODESLOT_H

#include "Operators.h"

#include <cstddef>
#include <cstdint>

namespace formula32 {

enum class SlotKind : std::int16_t {
    Operator = 1, // first: operator code, second: operand count
    Call = 2,     // first: function row, second: argument count
    Constant = 3, // value
    Variable = 4, // first: index in the variable table
    End = 5,
    Header = 1484, // first: bytes up to just past the end slot, 0 after a failure
};

struct CodeSlot {
    std::int16_t kind;
    std::int16_t first;
    std::int16_t second;
    std::int16_t unused;
    double value;

    SlotKind slotKind() const { return static_cast<SlotKind>(kind); }

    static CodeSlot make(SlotKind k, int a = 0, int b = 0, double v = 0) {
        return {static_cast<std::int16_t>(k), static_cast<std::int16_t>(a),
                static_cast<std::int16_t>(b), 0, v};
    }
    static CodeSlot header(int bytes) { return make(SlotKind::Header, bytes); }
    static CodeSlot constant(double v) { return make(SlotKind::Constant, 0, 0, v); }
    static CodeSlot variable(int index) { return make(SlotKind::Variable, index); }
    static CodeSlot operation(Operator op) {
        return make(SlotKind::Operator, static_cast<int>(op), operandCount(op));
    }
    static CodeSlot call(int row, int arguments) { return make(SlotKind::Call, row, arguments); }
    static CodeSlot end() { return make(SlotKind::End); }
};

inline constexpr std::size_t kSlotBytes = 16;
static_assert(sizeof(CodeSlot) == kSlotBytes);

// The buffer the array evaluation compiles into: 1024 slots.
inline constexpr std::size_t kLibraryCodeBytes = 16384;
inline constexpr std::size_t kLibraryCodeSlots = kLibraryCodeBytes / kSlotBytes;

// Buffers smaller than a header and an end slot are refused.
inline constexpr std::size_t kMinimumCodeBytes = 32;

} // namespace formula32

#endif
