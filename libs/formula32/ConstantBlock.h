// The constant block that may lead any text: "[" then definitions
// "name = expression;" (each ended by ";", the last one too) then "]". Each
// expression is evaluated directly and may use the constants defined before
// it; the values go into the user-constant table.
#ifndef FORMULA32_CONSTANTBLOCK_H
#define FORMULA32_CONSTANTBLOCK_H

#include <cstddef>

namespace formula32 {

class RandomGenerator;
class UserConstants;
class VariableTable;

// Reads the block at `position`, if there is one, and moves `position` to
// where the expression proper begins. False when the block is malformed or a
// definition finds the table full; the definitions before the failure stay.
bool readConstantBlock(const char* text, std::size_t& position, UserConstants& constants,
                       const VariableTable& variables, RandomGenerator& random);

} // namespace formula32

#endif
