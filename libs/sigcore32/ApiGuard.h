// The door of every exported function: nothing thrown inside may cross the C
// boundary, so any exception becomes the function's failure result.
#ifndef SIGCORE32_API_GUARD_H
#define SIGCORE32_API_GUARD_H

#include <utility>

namespace sigcore {

template <typename Result, typename Body> Result guarded(Result failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

} // namespace sigcore

#endif
