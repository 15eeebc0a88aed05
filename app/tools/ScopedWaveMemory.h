// A wave memory owned by one tool window: allocated zero-filled when made,
// freed when the owner goes, however the window closes.
#ifndef ZW_TOOLS_SCOPEDWAVEMEMORY_H
#define ZW_TOOLS_SCOPEDWAVEMEMORY_H

#include "sigcore32.h"
#include "zwplatform.h"

#include <cstdint>
#include <utility>

namespace zw {

class ScopedWaveMemory {
public:
    ScopedWaveMemory() = default;
    explicit ScopedWaveMemory(int32_t count) : handle_(count > 0 ? W_AllocMemory(count) : 0) {}
    ~ScopedWaveMemory() { reset(); }
    ScopedWaveMemory(const ScopedWaveMemory&) = delete;
    ScopedWaveMemory& operator=(const ScopedWaveMemory&) = delete;
    ScopedWaveMemory(ScopedWaveMemory&& other) noexcept
        : handle_(std::exchange(other.handle_, 0)) {}
    ScopedWaveMemory& operator=(ScopedWaveMemory&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, 0);
        }
        return *this;
    }

    ZwMemHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }

    void reset() {
        if (handle_ != 0)
            W_FreeMemory(handle_);
        handle_ = 0;
    }

private:
    ZwMemHandle handle_ = 0;
};

} // namespace zw

#endif // ZW_TOOLS_SCOPEDWAVEMEMORY_H
