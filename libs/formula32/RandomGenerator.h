// The generator behind rnd(): the classic C library linear congruential
// generator, with its own state (the waveform library has another one).
#ifndef FORMULA32_RANDOMGENERATOR_H
#define FORMULA32_RANDOMGENERATOR_H

#include <cstdint>

namespace formula32 {

class RandomGenerator {
public:
    void seed(std::uint32_t s) { state_ = s; }
    std::uint32_t state() const { return state_; }

    // A number from 0 to 32767.
    int draw() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 32767u);
    }

    // One of 65535 equally spaced values from -1 to 1. Two draws make a 16-bit
    // value; the one value below -32767 is drawn again, so that the range is
    // symmetric.
    double value() {
        for (;;) {
            const int hi = draw() > 16383 ? 1 : 0;
            const int v = 2 * draw() - hi - 32767;
            if (v >= -32767)
                return v * 3.051850947599719e-05; // 1/32767
        }
    }

private:
    std::uint32_t state_ = 1;
};

} // namespace formula32

#endif
