// Arithmetic between two waveforms, sample by sample, in the physical units of
// the caller's output range.

#include "sigcore32.h"

#include "SampleCode.h"
#include "Stretch.h"
#include "zwplatform.hpp"

#include <algorithm>

namespace {

// The linear map between codes and physical values of the range [min, max]:
// code 32767 is max, -32767 is min.
struct PhysicalRange {
    double unit;   // value of one code step
    double centre; // value of code 0

    PhysicalRange(double min, double max)
        : unit((max - min) * sigcore::kCodeStep), centre((max + min) / 2) {}
    double valueOf(int16_t code) const { return unit * code + centre; }
    int16_t codeOf(double value) const { return sigcore::toCode((value - centre) / unit); }
};

template <typename Op>
void combine(const int16_t* first, const int16_t* second, int16_t* result, int64_t begin,
             int64_t end, int64_t firstOffset, const PhysicalRange& range, Op op) {
    // One index walks all three in step; the memories may be one and the
    // same, so each sample is read just before its result is written.
    for (int64_t i = begin; i < end; ++i)
        result[i] = op(range.valueOf(first[firstOffset + i]), range.valueOf(second[i]));
}

} // namespace

extern "C" SIGCORE32_API int32_t W_CalcWave(ZwMemHandle first, ZwMemHandle second,
                                            ZwMemHandle result, double start, double length,
                                            double min, double max, int32_t operation) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(start, length) || length <= 0)
            return 0;
        const zw::LockedBlock<int16_t> a(first);
        const zw::LockedBlock<int16_t> b(second);
        const zw::LockedBlock<int16_t> out(result);
        if (!a || !b || !out)
            return 0;
        const int64_t s = sigcore::ceilIndex(start);
        // The first waveform is read from its stretch at start, the second and
        // the result from sample 0: keep i where all three are inside.
        const sigcore::Range fromA =
            sigcore::limitTo({s, s + sigcore::ceilIndex(length)}, a.size());
        const int64_t begin = fromA.begin - s;
        const int64_t end = std::min({fromA.end - s, int64_t(b.size()), int64_t(out.size())});
        const PhysicalRange range(min, max);
        const auto store = [&](double r) { return range.codeOf(r); };
        switch (operation) {
        case W_CALC_ADD:
            combine(a.data(), b.data(), out.data(), begin, end, s, range,
                    [&](double x, double y) { return store(x + y); });
            break;
        case W_CALC_SUBTRACT:
            combine(a.data(), b.data(), out.data(), begin, end, s, range,
                    [&](double x, double y) { return store(x - y); });
            break;
        case W_CALC_MULTIPLY:
            combine(a.data(), b.data(), out.data(), begin, end, s, range,
                    [&](double x, double y) { return store(x * y); });
            break;
        case W_CALC_DIVIDE:
            combine(a.data(), b.data(), out.data(), begin, end, s, range,
                    [&](double x, double y) { return y == 0 ? int16_t{0} : store(x / y); });
            break;
        default:
            break; // an unknown operation computes nothing
        }
        return 1;
    });
}
