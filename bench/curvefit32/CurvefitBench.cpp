// The largest interpolation the editor asks for: 4096 control points over a
// memory of 65536 samples, as a spline in each mode and as a polyline; and
// sorting a full control-point list.
#include "curvefit32.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kSamples = 65536;
constexpr int kPoints = 4096;

struct Points {
    std::vector<double> xs, ys;
};

// Evenly spread positions, one every 16 samples, with random codes.
Points spreadPoints() {
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> code(-30000, 30000);
    Points p;
    for (int i = 0; i < kPoints; ++i) {
        p.xs.push_back(8 + i * (kSamples / kPoints));
        p.ys.push_back(code(rng));
    }
    return p;
}

class Memory {
public:
    Memory() : handle_(ZwGlobalAlloc(kSamples * sizeof(int16_t))) {}
    ~Memory() { ZwGlobalFree(handle_); }
    ZwMemHandle handle() const { return handle_; }

private:
    ZwMemHandle handle_;
};

void BM_SplineThrough4096Points(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const Points p = spreadPoints();
    const Memory m;
    // Modes 0 and 2 over the whole memory; mode 1 inside it, so that both
    // runs of context samples are taken.
    const double x1 = mode == 1 ? 4 : 0;
    const double x2 = mode == 1 ? kSamples - 4 : kSamples;
    for (auto _ : state) {
        const int32_t r = Spline_Hokan_Spline(mode, m.handle(), x1, x2, p.xs.data(), p.ys.data(),
                                              kPoints, kSamples, 32767);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_SplineThrough4096Points)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PolylineThrough4096Points(benchmark::State& state) {
    const Points p = spreadPoints();
    const Memory m;
    for (auto _ : state) {
        const int32_t r = Spline_Hokan_Line(m.handle(), 0, kSamples, p.xs.data(), p.ys.data(),
                                            kPoints, kSamples, 32767);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_PolylineThrough4096Points)->Unit(benchmark::kMillisecond);

void BM_QSort2000Points(benchmark::State& state) {
    std::mt19937 rng(2);
    std::uniform_real_distribution<double> position(0, kSamples);
    std::vector<double> keys(2000), values(2000);
    for (auto _ : state) {
        state.PauseTiming();
        for (double& k : keys)
            k = position(rng);
        state.ResumeTiming();
        Q_Sort(keys.data(), values.data(), 0, 1999);
    }
}
BENCHMARK(BM_QSort2000Points)->Unit(benchmark::kMicrosecond);

} // namespace
