// What the library keeps between calls and shares among its exports: the
// user constants and the generator persist; the variable table, the sample
// index and the code buffers are rebuilt by every call.
#ifndef FORMULA32_LIBRARYSTATE_H
#define FORMULA32_LIBRARYSTATE_H

#include "BlockEngine.h"
#include "CodeSlot.h"
#include "PatternWord.h"
#include "RandomGenerator.h"
#include "UserConstants.h"
#include "VariableTable.h"

#include <array>

namespace formula32 {

struct LibraryState {
    UserConstants constants;
    VariableTable variables;
    RandomGenerator random;
    double sampleIndex = 0; // the variable "x" of the array functions
    std::array<CodeSlot, kLibraryCodeSlots> code{};
    BlockEngine engine;
    PatternCode pattern{};
};

// The one instance of the library; calls must not overlap.
LibraryState& libraryState();

} // namespace formula32

#endif
