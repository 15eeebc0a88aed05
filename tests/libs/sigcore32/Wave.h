// A wave memory for tests: allocated through the library, filled and read back
// through the platform lock, freed at the end of the test.
#ifndef SIGCORE32_TESTS_WAVE_H
#define SIGCORE32_TESTS_WAVE_H

#include "sigcore32.h"
#include "zwplatform.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sigtest {

using Codes = std::vector<int16_t>;

class Wave {
public:
    explicit Wave(int32_t count) : handle_(W_AllocMemory(count)) { EXPECT_NE(handle_, 0u); }
    explicit Wave(const Codes& codes) : Wave(static_cast<int32_t>(codes.size())) { set(codes); }
    ~Wave() { W_FreeMemory(handle_); }
    Wave(const Wave&) = delete;
    Wave& operator=(const Wave&) = delete;

    ZwMemHandle handle() const { return handle_; }

    void set(const Codes& codes) const {
        const zw::LockedBlock<int16_t> block(handle_);
        std::copy(codes.begin(), codes.end(), block.data());
    }
    Codes codes() const {
        const zw::LockedBlock<int16_t> block(handle_);
        return Codes(block.data(), block.data() + block.size());
    }

private:
    ZwMemHandle handle_;
};

// Codes 0, step, 2 step, ...
inline Codes ramp(int count, int step = 1) {
    Codes c(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        c[std::size_t(i)] = static_cast<int16_t>(i * step);
    return c;
}

// A handle that was valid once and is now stale.
inline ZwMemHandle staleHandle() {
    const ZwMemHandle h = W_AllocMemory(4);
    W_FreeMemory(h);
    return h;
}

} // namespace sigtest

#endif
