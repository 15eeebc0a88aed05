// EvalArray1 over a full 65536-sample page beside the same expression written
// in C++, in the same run. At the end a table gives ns per sample for both (CPU
// time, median of the repetitions, which the other work on a shared machine
// disturbs least) and their ratio against the speed targets.
#include "BuiltinFunctions.h"
#include "RandomGenerator.h"
#include "SampleCode.h"

#include "formula32.h"
#include "zwplatform.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using formula32::toSampleCode;

constexpr int kSamples = 65536;
constexpr double kPi = 3.1415926535898; // the language's pi

struct Case {
    const char* name;
    const char* text;
    double target; // allowed ratio to native
};

const Case kCases[] = {
    {"a_sine", "32767*sin(2*pi*x/1000)", 1.5},
    {"b_polynomial", "x*x/65536-3*x+1", 3.0},
    {"c_waves_and_rnd", "[a=2;b=3;] sqw(x/100,30,5)*a+tri(x/50)*b+rnd(x)", 2.0},
};

class Page {
public:
    Page() : handle_(ZwGlobalAlloc(kSamples * sizeof(std::int16_t))) {}
    ~Page() { ZwGlobalFree(handle_); }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;
    ZwMemHandle handle() const { return handle_; }

private:
    ZwMemHandle handle_;
};

void evalArray1(benchmark::State& state, const Case& c) {
    Page page;
    std::int16_t position = 0;
    for (auto _ : state) {
        if (EvalArray1(0, kSamples, page.handle(), &position, c.text) != 0)
            state.SkipWithError("EvalArray1 failed");
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

// The same expressions as the C++ compiler sees them, locking the memory and
// storing sample codes with the same conversion.
template <class Expression> void native(benchmark::State& state, Expression expression) {
    Page page;
    for (auto _ : state) {
        const zw::LockedBlock<std::int16_t> block(page.handle());
        std::int16_t* out = block.data();
        for (int i = 0; i < kSamples; ++i)
            out[i] = toSampleCode(expression(static_cast<double>(i)));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}

void nativeSine(benchmark::State& state) {
    native(state, [](double x) { return 32767 * std::sin(2 * kPi * x / 1000); });
}

void nativePolynomial(benchmark::State& state) {
    native(state, [](double x) { return x * x / 65536 - 3 * x + 1; });
}

void nativeWavesAndRnd(benchmark::State& state) {
    formula32::RandomGenerator random;
    const double a = 2;
    const double b = 3;
    native(state, [&](double x) {
        return formula32::squareWave(x / 100, 30, 5) * a + formula32::triangleWave(x / 50, 50) * b +
               random.value();
    });
}

// Collects the time per sample of every run and prints the comparison.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (!r.error_occurred && r.run_type == Run::RT_Aggregate &&
                r.aggregate_name == "median")
                nsPerSample_[r.run_name.function_name] =
                    r.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(r.time_unit) /
                    kSamples;
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-18s %12s %12s %8s %8s\n", "case", "formula32", "native", "ratio",
                    "target");
        for (const Case& c : kCases) {
            const auto ours = nsPerSample_.find(std::string("EvalArray1/") + c.name);
            const auto theirs = nsPerSample_.find(std::string("Native/") + c.name);
            if (ours == nsPerSample_.end() || theirs == nsPerSample_.end())
                continue;
            const double ratio = ours->second / theirs->second;
            std::printf("%-18s %9.3f ns %9.3f ns %7.2fx %7.1fx %s\n", c.name, ours->second,
                        theirs->second, ratio, c.target, ratio <= c.target ? "ok" : "SLOW");
        }
    }

private:
    std::map<std::string, double> nsPerSample_;
};

} // namespace

int main(int argc, char** argv) {
    std::vector<benchmark::internal::Benchmark*> all;
    for (const Case& c : kCases)
        all.push_back(
            benchmark::RegisterBenchmark((std::string("EvalArray1/") + c.name).c_str(),
                                         [&c](benchmark::State& s) { evalArray1(s, c); }));
    all.push_back(benchmark::RegisterBenchmark("Native/a_sine", nativeSine));
    all.push_back(benchmark::RegisterBenchmark("Native/b_polynomial", nativePolynomial));
    all.push_back(benchmark::RegisterBenchmark("Native/c_waves_and_rnd", nativeWavesAndRnd));
    for (auto* b : all)
        b->Repetitions(5)->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
