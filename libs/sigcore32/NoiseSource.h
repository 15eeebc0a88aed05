// The library's pseudo-random generator and its noise draw. The sequence is
// part of the contract: a seed always gives the same noise samples.
#ifndef SIGCORE32_NOISE_SOURCE_H
#define SIGCORE32_NOISE_SOURCE_H

#include <cstdint>

namespace sigcore {

class NoiseSource {
public:
    explicit NoiseSource(uint32_t state = 1) : state_(state) {}

    void seed(uint32_t state) { state_ = state; }
    uint32_t state() const { return state_; }

    // The next random number, 0..32767.
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return int((state_ >> 16) & 0x7FFFu);
    }

    // One of the 65535 values k / 32767, k = -32767..32767, each equally
    // likely; every attempt takes two random numbers.
    double draw() {
        for (;;) {
            const int s = next() > 0x3FFF ? 1 : 0;
            const int v = 2 * next() - s - 32767;
            if (v >= -32767)
                return v * 3.051850947599719e-05;
        }
    }

private:
    uint32_t state_;
};

// The one generator of the library, shared by every noise stretch for as
// long as the library is loaded.
NoiseSource& libraryNoise();

} // namespace sigcore

#endif
