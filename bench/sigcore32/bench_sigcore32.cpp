// Speed of the waveform library on a full memory of 65536 samples, each
// figure next to a baseline measured in the same run: one plain pass over the
// same codes keeping the smallest and largest (for drawing and resampling),
// and the bare math call per sample (for the generators).

#include "sigcore32.h"
#include "zwplatform.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace {

constexpr int kSamples = 65536;
constexpr int kColumns = 1920;
constexpr int kRows = 600;

// A memory holding a noisy sine, so columns have real extremes to find.
class BenchWave {
public:
    BenchWave() : handle_(W_AllocMemory(kSamples)) {
        W_MakeSin(handle_, 0, kSamples, 0, 50000, 7, 0);
        const zw::LockedBlock<int16_t> block(handle_);
        std::mt19937 rng(1);
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<int16_t>(block[i] / 2 + int(rng() % 2001) - 1000);
    }
    ~BenchWave() { W_FreeMemory(handle_); }
    BenchWave(const BenchWave&) = delete;
    BenchWave& operator=(const BenchWave&) = delete;
    ZwMemHandle handle() const { return handle_; }

private:
    ZwMemHandle handle_;
};

const BenchWave& wave() {
    static const BenchWave w;
    return w;
}

// A surface whose calls do nothing: the cost measured is the library's.
ZwSurface noOpSurface() {
    ZwSurface s{};
    s.move_to = [](void*, int32_t, int32_t) {};
    s.line_to = [](void*, int32_t, int32_t) {};
    s.polyline = [](void*, const ZwPoint*, int32_t) {};
    s.create_pen = [](void*, uint32_t, int32_t) -> ZwPen { return 1; };
    s.select_pen = [](void*, ZwPen) -> ZwPen { return 0; };
    s.delete_pen = [](void*, ZwPen) {};
    return s;
}

void Baseline_MinMaxLoop(benchmark::State& state) {
    for (auto _ : state) {
        const zw::LockedBlock<int16_t> block(wave().handle());
        int lo = block[0];
        int hi = block[0];
        for (std::size_t i = 1; i < block.size(); ++i) {
            lo = std::min<int>(lo, block[i]);
            hi = std::max<int>(hi, block[i]);
        }
        benchmark::DoNotOptimize(lo);
        benchmark::DoNotOptimize(hi);
    }
}
BENCHMARK(Baseline_MinMaxLoop);

void DrawWave2_FullMemoryOn1920Columns(benchmark::State& state) {
    ZwSurface surface = noOpSurface();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            W_DrawWave2(&surface, wave().handle(), 0, 0, kSamples, 65534, kColumns, kRows));
}
BENCHMARK(DrawWave2_FullMemoryOn1920Columns);

void DrawWave_FullMemoryOn1920Columns(benchmark::State& state) {
    ZwSurface surface = noOpSurface();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            W_DrawWave(&surface, wave().handle(), 0, kSamples, kColumns, kRows));
}
BENCHMARK(DrawWave_FullMemoryOn1920Columns);

void DrawDigitalPattern_FullMemoryOn1920Columns(benchmark::State& state) {
    ZwSurface surface = noOpSurface();
    for (auto _ : state)
        benchmark::DoNotOptimize(W_DrawDigitalPattern(&surface, wave().handle(), 0, kSamples,
                                                      0xFFFF, 0x00FF, 1000, 30000, kColumns, kRows,
                                                      1, 2, 3, 4));
}
BENCHMARK(DrawDigitalPattern_FullMemoryOn1920Columns);

// Resampling works on a copy, so every run starts from the same codes; the
// copy is timed separately as well.
class ResampleCopy {
public:
    ResampleCopy() : handle_(W_AllocMemory(kSamples)) {}
    ~ResampleCopy() { W_FreeMemory(handle_); }
    ResampleCopy(const ResampleCopy&) = delete;
    ResampleCopy& operator=(const ResampleCopy&) = delete;
    ZwMemHandle refresh() const {
        W_CopyMemory(wave().handle(), handle_, 0, 0, kSamples);
        return handle_;
    }

private:
    ZwMemHandle handle_;
};

void CopyMemory_FullMemory(benchmark::State& state) {
    const ResampleCopy copy;
    for (auto _ : state)
        benchmark::DoNotOptimize(copy.refresh());
}
BENCHMARK(CopyMemory_FullMemory);

// Compress the whole memory into a quarter, or stretch a quarter over it.
void CompWaveX_Compress65536To16384(benchmark::State& state) {
    const ResampleCopy copy;
    for (auto _ : state) {
        const ZwMemHandle h = copy.refresh();
        benchmark::DoNotOptimize(W_CompWaveX(h, 0, kSamples, kSamples, 0, kSamples / 4));
    }
}
BENCHMARK(CompWaveX_Compress65536To16384);

void CompWaveX_Stretch16384To65536(benchmark::State& state) {
    const ResampleCopy copy;
    for (auto _ : state) {
        const ZwMemHandle h = copy.refresh();
        benchmark::DoNotOptimize(W_CompWaveX(h, 0, kSamples / 4, kSamples, 0, kSamples));
    }
}
BENCHMARK(CompWaveX_Stretch16384To65536);

void CompWaveX_ReverseInPlace(benchmark::State& state) {
    const ResampleCopy copy;
    for (auto _ : state) {
        const ZwMemHandle h = copy.refresh();
        benchmark::DoNotOptimize(W_CompWaveX(h, 0, kSamples, kSamples, kSamples, -kSamples));
    }
}
BENCHMARK(CompWaveX_ReverseInPlace);

// The generators' baseline: sin() alone over the same 65536 angles.
void Baseline_SinCalls(benchmark::State& state) {
    const double step = 360.0 / kSamples;
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kSamples; ++i)
            sum += std::sin((i * step * 3 + 15) * 0.017453292519943295);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(Baseline_SinCalls);

class Target {
public:
    Target() : handle_(W_AllocMemory(kSamples)) {}
    ~Target() { W_FreeMemory(handle_); }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    ZwMemHandle handle() const { return handle_; }

private:
    ZwMemHandle handle_;
};

void MakeSin_65536(benchmark::State& state) {
    const Target t;
    for (auto _ : state)
        benchmark::DoNotOptimize(W_MakeSin(t.handle(), 0, kSamples, 0, 60000, 3, 15));
}
BENCHMARK(MakeSin_65536);

void MakeSquare_65536(benchmark::State& state) {
    const Target t;
    for (auto _ : state)
        benchmark::DoNotOptimize(W_MakeSquare(t.handle(), 0, kSamples, 0, 60000, 3, 15, 40, 10));
}
BENCHMARK(MakeSquare_65536);

void MakeTriangle_65536(benchmark::State& state) {
    const Target t;
    for (auto _ : state)
        benchmark::DoNotOptimize(W_MakeTriangle(t.handle(), 0, kSamples, 0, 60000, 3, 15, 30));
}
BENCHMARK(MakeTriangle_65536);

void MakeNoise_65536(benchmark::State& state) {
    const Target t;
    W_InitRand(5);
    for (auto _ : state)
        benchmark::DoNotOptimize(W_MakeNoise(t.handle(), 0, kSamples, 0, 60000));
}
BENCHMARK(MakeNoise_65536);

void MakeDC_65536(benchmark::State& state) {
    const Target t;
    for (auto _ : state)
        benchmark::DoNotOptimize(W_MakeDC(t.handle(), 0, kSamples, 1234.5));
}
BENCHMARK(MakeDC_65536);

} // namespace
