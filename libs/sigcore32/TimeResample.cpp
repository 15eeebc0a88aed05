// Time-axis resampling (W_CompWaveX).
//
// The resampled codes q[0 .. m-1] are computed only for the positions that
// land inside the memory, so the work and the scratch memory are bounded by
// the memory's size whatever new length a caller asks for.

#include "TimeResample.h"

#include "sigcore32.h"

#include "SampleCode.h"
#include "Stretch.h"
#include "zwplatform.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sigcore {
namespace {

struct Geometry {
    int64_t s;     // first sample of the old stretch
    int64_t n;     // its length in samples
    double length; // its length as the double that sets the ratio
    int64_t t;     // ceil(new start)
    int64_t m;     // |ceil(new length)|
    bool reversed; // new length negative
    int64_t total; // used length, at most the memory's size
    int64_t w() const { return s + n; }
};

// q index j is stored at dest(j): forward from t, or back to front ending
// just before t.
int64_t destination(const Geometry& g, int64_t j) {
    return g.reversed ? g.t - 1 - j : g.t + j;
}

// The q indices whose destination lies inside a memory of `size` samples.
Range visibleOutput(const Geometry& g, int64_t size) {
    if (g.reversed)
        return {std::max<int64_t>(0, g.t - size), std::min(g.m, g.t)};
    return {std::max<int64_t>(0, -g.t), std::min(g.m, size - g.t)};
}

// Compression: every output sample is one input sample, no averaging.
void pickSamples(std::span<const int16_t> memory, const Geometry& g, double newMagnitude, Range out,
                 std::vector<int16_t>& q) {
    const double ratio = g.length / newMagnitude;
    const int64_t last = int64_t(memory.size()) - 1;
    for (int64_t j = out.begin; j < out.end; ++j) {
        // Rounding may point one past the stretch; it cannot point past the
        // memory.
        const int64_t from = g.s + roundedIndex(double(j) * ratio);
        q[size_t(j - out.begin)] = memory[size_t(std::min(from, last))];
    }
}

// Stretching: source sample k goes to pos[k] unchanged, and the positions up
// to pos[k + 1] walk from it towards the next source sample with a step set
// by the ratio (not by the actual gap, so the walk need not meet the next
// sample exactly).
void interpolate(std::span<const int16_t> memory, const Geometry& g, double newMagnitude, Range out,
                 std::vector<int16_t>& q) {
    const double ratio = newMagnitude / g.length;
    std::vector<int64_t> pos(size_t(g.n) + 1);
    for (int64_t k = 0; k < g.n; ++k)
        pos[size_t(k)] = roundedIndex(double(k) * ratio);
    // Output positions at or past the used length are never filled.
    const int64_t limit = std::min(g.m, g.total);
    pos[size_t(g.n)] = limit;
    const auto put = [&](int64_t p, int16_t code) { q[size_t(p - out.begin)] = code; };
    for (int64_t k = 0; k < g.n; ++k) {
        const int64_t at = pos[size_t(k)];
        const int16_t c = memory[size_t(g.s + k)];
        if (at >= out.begin && at < out.end)
            put(at, c);
        const int64_t from = std::max(at + 1, out.begin);
        const int64_t to = std::min({pos[size_t(k) + 1], limit, out.end});
        if (from >= to)
            continue;
        // Past the used length the waveform repeats: the next sample is the first.
        const int64_t next = g.s + k + 1;
        const int16_t d = next < g.total ? memory[size_t(next)] : memory[0];
        const double step = std::abs(double(d) - double(c)) / ratio;
        const int64_t direction = d > c ? 1 : d < c ? -1 : 0;
        for (int64_t p = from; p < to; ++p) {
            const int64_t walked = roundedIndex(double(p - at) * step);
            put(p, limitCode(c + direction * walked));
        }
    }
}

void fill(std::span<int16_t> memory, Range r, int16_t code) {
    const Range inside = limitTo(r, memory.size());
    std::fill(memory.begin() + inside.begin, memory.begin() + inside.end, code);
}

} // namespace

ResampleResult resampleTime(std::span<int16_t> memory, const TimeResample& rq) {
    const auto size = int64_t(memory.size());
    const int64_t v = ceilIndex(rq.newLength);
    Geometry g{ceilIndex(rq.start),     ceilIndex(rq.length), rq.length,
               ceilIndex(rq.newStart),  v < 0 ? -v : v,       v < 0,
               std::min(rq.total, size)};
    if (g.n <= 0 || g.m <= 0)
        return ResampleResult::NothingToDo;

    // Only the part of the old stretch inside the memory can be read; when it
    // is cut, that part is what gets resampled.
    const Range old = limitTo({g.s, g.s + g.n}, memory.size());
    if (old.empty())
        return ResampleResult::Done;
    if (old.begin != g.s || old.end != g.w()) {
        g.s = old.begin;
        g.n = old.size();
        g.length = double(g.n);
    }

    const int16_t first = memory[size_t(g.s)];
    const int16_t after = g.w() < g.total ? memory[size_t(g.w())] : memory[0];

    const Range out = visibleOutput(g, size);
    std::vector<int16_t> q(size_t(out.size()));
    const double newMagnitude = std::abs(rq.newLength);
    if (g.n > g.m)
        pickSamples(memory, g, newMagnitude, out, q);
    else if (g.n == g.m)
        for (int64_t j = out.begin; j < out.end; ++j)
            q[size_t(j - out.begin)] = memory[size_t(g.s + j)];
    else
        interpolate(memory, g, newMagnitude, out, q);

    // What the new range no longer covers holds the old first code before it
    // and the code that followed the old stretch after it: no jumps at the joins.
    const int64_t newBegin = g.reversed ? g.t - g.m : g.t;
    const int64_t newEnd = g.reversed ? g.t : g.t + g.m;
    if (g.s < newBegin)
        fill(memory, {g.s, newBegin}, first);
    if (newEnd < g.w())
        fill(memory, {newEnd, g.w()}, after);
    for (int64_t j = out.begin; j < out.end; ++j)
        memory[size_t(destination(g, j))] = q[size_t(j - out.begin)];
    return ResampleResult::Done;
}

} // namespace sigcore

extern "C" SIGCORE32_API int32_t W_CompWaveX(ZwMemHandle handle, double start, double length,
                                             int32_t total, double newStart, double newLength) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(start, length, newStart, newLength))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const auto result = sigcore::resampleTime(
            memory.span(), {start, length, int64_t{total}, newStart, newLength});
        return result == sigcore::ResampleResult::Done ? 1 : 0;
    });
}
