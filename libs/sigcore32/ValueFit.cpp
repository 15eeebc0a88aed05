// Value-axis rescaling of a stretch: to a new maximum and minimum, or to a new
// peak-to-peak amplitude and centre offset. One pass finds the extremes, one
// maps the codes.

#include "sigcore32.h"

#include "SampleCode.h"
#include "StretchOnMemory.h"

#include <algorithm>
#include <span>

namespace {

struct Extremes {
    int lo;
    int hi;
    double centre() const { return (double(hi) + double(lo)) / 2; }
};

Extremes extremesOf(std::span<const int16_t> codes) {
    const auto [lo, hi] = std::minmax_element(codes.begin(), codes.end());
    return {*lo, *hi};
}

template <typename Map> void mapCodes(std::span<int16_t> codes, Map map) {
    for (int16_t& x : codes)
        x = sigcore::toCode(map(double(x)));
}

// Runs `fit` on the part of the stretch inside the memory; the 0/1 result
// depends only on the length, as callers expect.
template <typename Fit>
int32_t fitStretch(ZwMemHandle handle, double start, double length, Fit fit) {
    return sigcore::onMemoryStretch(handle, start, length, [&](std::span<int16_t> codes) {
        if (!codes.empty())
            fit(codes);
    });
}

} // namespace

extern "C" {

SIGCORE32_API int32_t W_CompYMaxMin(ZwMemHandle handle, double start, double length, double newMax,
                                    double newMin) {
    return fitStretch(handle, start, length, [&](std::span<int16_t> codes) {
        const Extremes e = extremesOf(codes);
        if (e.hi == e.lo)
            return; // a flat stretch has no span to scale
        const double scale = (newMax - newMin) / (e.hi - e.lo);
        const double centre = e.centre();
        const double newCentre = (newMax + newMin) / 2;
        mapCodes(codes, [&](double x) { return (x - centre) * scale + newCentre; });
    });
}

SIGCORE32_API int32_t W_CompYAmpOff(ZwMemHandle handle, double start, double length,
                                    double amplitude, double offset) {
    return fitStretch(handle, start, length, [&](std::span<int16_t> codes) {
        const Extremes e = extremesOf(codes);
        const int span = e.hi - e.lo;
        const double centre = e.centre();
        if (span == amplitude) {
            // Same span: a pure shift, free of the rounding a scale of 1 may add.
            const double shift = offset - centre;
            mapCodes(codes, [&](double x) { return x + shift; });
            return;
        }
        const double scale = span == 0 ? 0.0 : amplitude / span;
        mapCodes(codes, [&](double x) { return (x - centre) * scale + offset; });
    });
}

} // extern "C"
