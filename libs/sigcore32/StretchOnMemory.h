// The common door of the operations that rewrite one stretch of one memory:
// refuse positions that are not finite and empty lengths, lock the memory, and
// hand the body the part of the stretch that lies inside it.
#ifndef SIGCORE32_STRETCH_ON_MEMORY_H
#define SIGCORE32_STRETCH_ON_MEMORY_H

#include "Stretch.h"
#include "zwplatform.hpp"

#include <cstdint>
#include <span>

namespace sigcore {

// 1 when the stretch was accepted, even when none of it lies inside the
// memory (the body then gets an empty span); 0 for bad positions, an empty
// length or a handle that does not lock.
template <typename Body>
int32_t onMemoryStretch(ZwMemHandle handle, double start, double length, Body body) {
    return zw::GuardedExport(0, [&] {
        if (!allFinite(start, length) || length <= 0)
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const Range r = limitTo(stretchOf(start, length), memory.size());
        body(memory.span().subspan(size_t(r.begin), size_t(r.size())));
        return 1;
    });
}

} // namespace sigcore

#endif
