// Reads the numbers of the expression language: decimals such as 12, 0.5, .5,
// 1e-3, 2.5E+3, and "$" with hexadecimal digits read as an unsigned 32-bit
// integer. A sign is never part of a number (it is a unary operator).
#ifndef FORMULA32_NUMBERREADER_H
#define FORMULA32_NUMBERREADER_H

#include <cstddef>

namespace formula32 {

// Reads a number at `s`. On success stores its value and the number of
// characters it takes and returns true; returns false when no number starts
// at `s`.
bool readNumber(const char* s, double& value, std::size_t& length);

} // namespace formula32

#endif
