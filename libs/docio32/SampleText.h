// The text form of one sample code, shared by the text wave file and the
// clipboard: the code's 16 bits as an unsigned decimal on output, a leading
// number cut to 16 bits on input.
#ifndef DOCIO32_SAMPLE_TEXT_H
#define DOCIO32_SAMPLE_TEXT_H

#include "CNumbers.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace docio32 {

// Appends the codes, each as 0 .. 65535 followed by `lineEnd`.
void appendUnsignedCodes(std::string& out, std::span<const int16_t> codes,
                         std::string_view lineEnd);

// The sample code of a text: the low 16 bits of its leading decimal number
// (blanks, optional sign, digits; anything else ends it; none gives 0).
inline int16_t codeOfText(std::string_view text) {
    return low16(leadingInt32(text));
}

} // namespace docio32

#endif
