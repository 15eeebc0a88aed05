// Memories and unit settings shared by the page model's tests.
#ifndef ZW_TESTS_CREATE_SUPPORT_H
#define ZW_TESTS_CREATE_SUPPORT_H

#include "Units.h"
#include "sigcore32.h"
#include "zwplatform.hpp"

#include <cstdint>
#include <vector>

namespace zw::create::test {

// A wave memory that frees itself.
class Memory {
public:
    explicit Memory(int32_t samples = 65536) : handle_(W_AllocMemory(samples)) {}
    ~Memory() { W_FreeMemory(handle_); }
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;
    ZwMemHandle get() const { return handle_; }
    std::vector<int16_t> codes(int32_t first, int32_t count) const {
        const LockedBlock<int16_t> block(handle_);
        return {block.data() + first, block.data() + first + count};
    }
    int16_t at(int32_t i) const { return codes(i, 1)[0]; }
    void fill(int16_t value) const {
        const LockedBlock<int16_t> block(handle_);
        std::fill(block.data(), block.data() + block.size(), value);
    }

private:
    ZwMemHandle handle_;
};

inline UnitSetting SamplesAndCodes(double waveLength = 1000) {
    UnitSetting s;
    s.WaveLength = waveLength;
    return s;
}

// X in seconds over a period of 1 ms, Y in volts from -1 V to 1 V.
inline UnitSetting TimeAndVolts(double waveLength = 1000) {
    UnitSetting s;
    s.XUnit = 1;
    s.YUnit = 1;
    s.WaveLength = waveLength;
    s.Cycle = 0.001;
    s.Amplitude = 2.0;
    s.AmplitudeMin = 0.01;
    s.AmplitudeMax = 10;
    return s;
}

// X from 10 to 20 "deg", Y from -5 to 15 "%".
inline UnitSetting UserUnits(double waveLength = 1000) {
    UnitSetting s;
    s.XUnit = 2;
    s.YUnit = 2;
    s.WaveLength = waveLength;
    s.XUserStart = 10;
    s.XUserEnd = 20;
    s.YUserMin = -5;
    s.YUserMax = 15;
    s.XUnitName = "deg";
    s.YUnitName = "%";
    return s;
}

} // namespace zw::create::test

#endif
