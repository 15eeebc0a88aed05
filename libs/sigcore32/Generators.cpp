// The standard generators: sine, square, triangle, noise and a constant level,
// written straight into a stretch of wave memory.

#include "sigcore32.h"

#include "NoiseSource.h"
#include "PeriodShapes.h"
#include "SampleCode.h"
#include "Stretch.h"
#include "StretchOnMemory.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <cmath>

namespace sigcore {

NoiseSource& libraryNoise() {
    static NoiseSource source;
    return source;
}

} // namespace sigcore

namespace {

using sigcore::Range;

// Writes shape(angle) * amplitude / 2 + offset to the samples i with
// ceil(start) <= i < ceil(start + length) that lie inside the memory. Sample
// i's angle is ((i - start) * 360 / length * cycles + phase) degrees, so a
// stretch cut at the memory's edge keeps the phase of the rest.
template <typename Shape>
int32_t generatePeriodic(ZwMemHandle handle, double start, double length, double offset,
                         double amplitude, double cycles, double phase, Shape shape) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(start, length) || length <= 0)
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const Range r = sigcore::limitTo(
            {sigcore::ceilIndex(start), sigcore::ceilIndex(start + length)}, memory.size());
        const double step = 360 / length;
        const double half = amplitude * 0.5;
        int16_t* codes = memory.data();
        for (int64_t i = r.begin; i < r.end; ++i) {
            const double angle =
                ((double(i) - start) * step * cycles + phase) * sigcore::kRadiansPerDegree;
            codes[i] = sigcore::toCode(shape(angle) * half + offset);
        }
        return 1;
    });
}

} // namespace

extern "C" {

SIGCORE32_API int32_t W_MakeSin(ZwMemHandle handle, double start, double length, double offset,
                                double amplitude, double cycles, double phase) {
    return generatePeriodic(handle, start, length, offset, amplitude, cycles, phase,
                            [](double angle) { return std::sin(angle); });
}

SIGCORE32_API int32_t W_MakeSquare(ZwMemHandle handle, double start, double length, double offset,
                                   double amplitude, double cycles, double phase, double duty,
                                   double transition) {
    const sigcore::SquareShape square(duty, transition);
    return generatePeriodic(handle, start, length, offset, amplitude, cycles, phase,
                            [&](double angle) { return square(sigcore::periodPosition(angle)); });
}

SIGCORE32_API int32_t W_MakeTriangle(ZwMemHandle handle, double start, double length, double offset,
                                     double amplitude, double cycles, double phase,
                                     double symmetry) {
    const sigcore::TriangleShape triangle(symmetry);
    return generatePeriodic(handle, start, length, offset, amplitude, cycles, phase,
                            [&](double angle) { return triangle(sigcore::periodPosition(angle)); });
}

SIGCORE32_API int32_t W_MakeNoise(ZwMemHandle handle, double start, double length, double offset,
                                  double amplitude) {
    // Only samples inside the memory take draws, so a stretch cut at the
    // memory's edge advances the sequence by what it wrote.
    return sigcore::onMemoryStretch(handle, start, length, [&](std::span<int16_t> codes) {
        sigcore::NoiseSource& noise = sigcore::libraryNoise();
        for (int16_t& code : codes)
            code = sigcore::toCode(noise.draw() * amplitude * 0.5 + offset);
    });
}

SIGCORE32_API int32_t W_MakeDC(ZwMemHandle handle, double start, double length, double level) {
    // Limited before rounding, so an out-of-range level saturates instead
    // of wrapping into an unrelated code.
    const int16_t code = sigcore::toCode(level);
    return sigcore::onMemoryStretch(handle, start, length, [&](std::span<int16_t> codes) {
        std::fill(codes.begin(), codes.end(), code);
    });
}

SIGCORE32_API void W_InitRand(int32_t seed) {
    sigcore::libraryNoise().seed(static_cast<uint32_t>(seed));
}

} // extern "C"
