// Keeps exceptions inside the library: every exported function runs its body
// through guarded() and answers its failure result instead of throwing.
#ifndef DOCIO32_EXPORT_GUARD_H
#define DOCIO32_EXPORT_GUARD_H

#include <cstdint>

namespace docio32 {

template <typename Body> int32_t guarded(int32_t failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

} // namespace docio32

#endif
