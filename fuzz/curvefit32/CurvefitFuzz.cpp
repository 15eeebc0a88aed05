// Arbitrary control points, stretches, lengths and modes into a small memory:
// the curve functions must stay inside the memory (the sanitizers watch) and
// never touch a sample after the used length; Q_Sort must end in bounds.
#include "curvefit32.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int16_t word() { return static_cast<int16_t>(byte() | (byte() << 8)); }
    // Mostly sample-like positions (quarters of a sample, a few outside the
    // memory), now and then any bit pattern, NaN and infinities included.
    double number() {
        if (byte() % 8 != 0)
            return word() / 4.0;
        double d = 0;
        uint8_t raw[sizeof d];
        for (uint8_t& b : raw)
            b = byte();
        std::memcpy(&d, raw, sizeof d);
        return d;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const int mode = static_cast<int8_t>(in.byte()) % 4 - 1; // -1: the polyline
    const size_t samples = 1 + in.byte() % 300;
    const int32_t total = in.word() % 400;
    const double x1 = in.number();
    const double x2 = in.number();
    const int count = in.byte() % 64;
    const int32_t n = in.byte() % 4 == 0 ? count + in.word() % 8 : count; // n may lie
    std::vector<double> xs(static_cast<size_t>(count)), ys(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        xs[static_cast<size_t>(i)] = in.number();
        ys[static_cast<size_t>(i)] = in.number() * 16;
    }
    if (in.byte() % 2)
        Q_Sort(xs.data(), ys.data(), 0, count - 1);
    if (n > count)
        return 0; // the arrays must hold n entries; that much is the caller's part

    const ZwMemHandle h = ZwGlobalAlloc(samples * sizeof(int16_t));
    std::vector<int16_t> before;
    {
        const zw::LockedBlock<int16_t> b(h);
        for (size_t i = 0; i < b.size(); ++i)
            b[i] = static_cast<int16_t>(i * 131);
        before.assign(b.data(), b.data() + b.size());
    }
    if (mode < 0)
        Spline_Hokan_Line(h, x1, x2, xs.data(), ys.data(), n, total, 32767);
    else
        Spline_Hokan_Spline(mode, h, x1, x2, xs.data(), ys.data(), n, total, 32767);
    {
        // At most the one sample at the used length (x1 = x2 there) changes
        // after it.
        const zw::LockedBlock<int16_t> b(h);
        const size_t used = static_cast<size_t>(std::max<int32_t>(total, 0));
        for (size_t i = total <= 0 ? 0 : used + 1; i < b.size(); ++i)
            if (b[i] != before[i])
                std::abort();
    }
    ZwGlobalFree(h);
    return 0;
}
