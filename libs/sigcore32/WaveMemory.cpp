// The wave memory itself: allocation, release, clearing, copying, deleting a
// stretch, reading one code, extremes, and the bit edits of the digital view.

#include "sigcore32.h"

#include "Stretch.h"
#include "StretchOnMemory.h"
#include "zwplatform.hpp"

#include <algorithm>

using sigcore::Range;

extern "C" {

SIGCORE32_API ZwMemHandle W_AllocMemory(int32_t count) {
    if (count <= 0)
        return 0;
    return ZwGlobalAlloc(static_cast<size_t>(count) * sizeof(int16_t));
}

SIGCORE32_API ZwMemHandle W_FreeMemory(ZwMemHandle handle) {
    return ZwGlobalFree(handle);
}

SIGCORE32_API int32_t W_ClearMemory(ZwMemHandle handle, double start, double length) {
    return sigcore::onMemoryStretch(handle, start, length, [](std::span<int16_t> codes) {
        std::fill(codes.begin(), codes.end(), int16_t{0});
    });
}

SIGCORE32_API int32_t W_CopyMemory(ZwMemHandle source, ZwMemHandle destination, double sourceStart,
                                   double destinationStart, double length) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(sourceStart, destinationStart, length) || length <= 0)
            return 0;
        const zw::LockedBlock<int16_t> from(source);
        const zw::LockedBlock<int16_t> to(destination);
        if (!from || !to)
            return 0;
        const int64_t s = sigcore::ceilIndex(sourceStart);
        const int64_t d = sigcore::ceilIndex(destinationStart);
        // The offsets k at which both ends of the copy lie inside their memory.
        const Range fromPart = sigcore::limitTo({s, s + sigcore::ceilIndex(length)}, from.size());
        const Range toPart = sigcore::limitTo({d, d + sigcore::ceilIndex(length)}, to.size());
        const int64_t k0 = std::max(fromPart.begin - s, toPart.begin - d);
        const int64_t k1 = std::min(fromPart.end - s, toPart.end - d);
        // First sample first, also within one memory: a copy onto a later,
        // overlapping stretch repeats the leading codes, as callers expect.
        const int16_t* src = from.data();
        int16_t* dst = to.data();
        for (int64_t k = k0; k < k1; ++k)
            dst[d + k] = src[s + k];
        return 1;
    });
}

SIGCORE32_API int32_t W_DeleteWave(ZwMemHandle handle, double start, double length, int32_t total) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(start, length) || length <= 0)
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        // The used length cannot exceed the memory, and only samples of the
        // used length can be removed: a stretch reaching past it must not
        // make the clearing below eat codes in front of the stretch.
        const int64_t used = std::clamp<int64_t>(total, 0, static_cast<int64_t>(memory.size()));
        const Range cut = sigcore::limitTo(sigcore::stretchOf(start, length), size_t(used));
        if (cut.empty())
            return 1;
        int16_t* codes = memory.data();
        std::copy(codes + cut.end, codes + used, codes + cut.begin);
        std::fill(codes + used - cut.size(), codes + used, int16_t{0});
        return 1;
    });
}

SIGCORE32_API int32_t W_GetWaveData(ZwMemHandle handle, double index, double count) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(index, count))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        int64_t i = sigcore::floorIndex(index);
        if (i >= sigcore::floorIndex(count))
            i = 0; // just past the end reads the first sample: the waveform repeats
        return sigcore::contains(memory.size(), i) ? int32_t{memory[size_t(i)]} : 0;
    });
}

SIGCORE32_API int32_t W_GetMaxMin(ZwMemHandle handle, double start, double length, int32_t which) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(start, length))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const int64_t s = sigcore::ceilIndex(start);
        const int64_t n = std::max<int64_t>(sigcore::ceilIndex(length), 1);
        const Range r = sigcore::limitTo({s, s + n}, memory.size());
        if (r.empty())
            return 0;
        const int16_t* first = memory.data() + r.begin;
        const auto [lo, hi] = std::minmax_element(first, first + r.size());
        return int32_t{which != 0 ? *hi : *lo};
    });
}

SIGCORE32_API int32_t W_CopyBitDigital(ZwMemHandle handle, double start, double length,
                                       int32_t sourceMask, int32_t targetMask) {
    return zw::GuardedExport(0, [&] {
        if (!sigcore::allFinite(start, length))
            return 0;
        const zw::LockedBlock<int16_t> memory(handle);
        if (!memory)
            return 0;
        const Range r = sigcore::limitTo(sigcore::stretchOf(start, length), memory.size());
        // The digital lines are the 16 bits of a code; mask bits above them
        // name no line.
        const auto source = static_cast<uint16_t>(sourceMask);
        const auto target = static_cast<uint16_t>(targetMask);
        for (int64_t i = r.begin; i < r.end; ++i) {
            const auto c = static_cast<uint16_t>(memory[size_t(i)]);
            const uint16_t line = (c & source) != 0 ? target : 0;
            memory[size_t(i)] = static_cast<int16_t>((c & ~target) | line);
        }
        return 0;
    });
}

SIGCORE32_API int32_t reverse_bit(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    uint32_t mirrored = 0;
    for (int i = 0; i < 16; ++i)
        if (bits & (1u << i))
            mirrored |= 1u << (15 - i);
    return static_cast<int32_t>(mirrored);
}

} // extern "C"
