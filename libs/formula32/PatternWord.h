// The compiled form of a digital pattern: 32-bit words, kind in bits 0-3, a
// 12-bit field in bits 4-15 (a letter, a number of letters, a flag or a
// distance) and a 16-bit value in bits 16-31 (a count, bits or a mask).
#ifndef FORMULA32_PATTERNWORD_H
#define FORMULA32_PATTERNWORD_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace formula32 {

enum class PatternKind : unsigned {
    Start = 0,
    Or = 2,       // field 1: then advance one sample
    Xor = 3,      // likewise
    Run = 4,      // field: letter; value: length, 0 to the end of the track
    Letters = 5,  // field: how many (1 to 8); value: 2 bits per letter, first lowest
    Value = 6,    // write the value into one sample
    Mask = 7,     // select the lines the other words change
    Count = 8,    // repeat count for the next word
    LoopHead = 9, // value: repeat count, 0 until the track is full
    LoopEnd = 10, // field: distance back to the head; value: iteration counter
    NewTrack = 11,
    End = 12,
};

// What a letter does to the selected lines of one sample.
enum class Letter : unsigned { High = 0, Low = 1, Invert = 2, Keep = 3 };

inline constexpr std::size_t kPatternWords = 1024;
using PatternCode = std::array<std::uint32_t, kPatternWords>;

inline std::uint32_t patternWord(PatternKind kind, unsigned field, unsigned value) {
    return static_cast<std::uint32_t>(kind) | ((field & 0xFFFu) << 4) | ((value & 0xFFFFu) << 16);
}
inline PatternKind wordKind(std::uint32_t w) {
    return static_cast<PatternKind>(w & 0xFu);
}
inline unsigned wordField(std::uint32_t w) {
    return (w >> 4) & 0xFFFu;
}
inline unsigned wordValue(std::uint32_t w) {
    return w >> 16;
}
inline std::uint32_t withValue(std::uint32_t w, unsigned value) {
    return (w & 0xFFFFu) | ((value & 0xFFFFu) << 16);
}

} // namespace formula32

#endif
