#include "LibraryState.h"

namespace formula32 {

LibraryState& libraryState() {
    static LibraryState state;
    return state;
}

} // namespace formula32
