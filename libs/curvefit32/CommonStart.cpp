// The door of both curve functions: every handle, length and position is
// checked or limited here once, so the curves run on trusted data.
#include "CommonStart.h"

#include "SampleCode.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace curvefit {
namespace {

bool allFinite(const double* values, int count) {
    return std::all_of(values, values + count, [](double v) { return std::isfinite(v); });
}

std::optional<ControlPoints> checkedPoints(const CurveRequest& r) {
    const int count = std::clamp<int32_t>(r.n, 0, kMaxControlPoints);
    if (count > 0 && (!r.xs || !r.ys))
        return std::nullopt;
    if (!allFinite(r.xs, count) || !allFinite(r.ys, count))
        return std::nullopt;
    return ControlPoints{r.xs, r.ys, count};
}

Opening finished(int32_t result) {
    return Opening{std::nullopt, result};
}

// x1 = x2: the control point exactly there, if any, sets that one sample.
Opening singlePosition(std::span<int16_t> memory, double x, const ControlPoints& points) {
    const int i = points.find(x);
    const double sample = std::ceil(x);
    if (i < 0 || sample >= static_cast<double>(memory.size()))
        return finished(0);
    const auto code = toSampleCode(points.ys[i]);
    if (!code)
        return finished(0);
    memory[static_cast<std::size_t>(sample)] = *code;
    return finished(1);
}

Opening fillWholeMemory(const CurveJob& job) {
    const std::vector<double> values(static_cast<std::size_t>(job.total), job.points.ys[0]);
    return finished(storeStretch(job, values));
}

} // namespace

Opening commonStart(std::span<int16_t> memory, const CurveRequest& r) {
    const auto points = checkedPoints(r);
    if (!points || !std::isfinite(r.x1) || !std::isfinite(r.x2) || memory.empty())
        return finished(0);
    const int64_t total = std::min<int64_t>(r.total, static_cast<int64_t>(memory.size()));
    if (total <= 0)
        return finished(0);

    double x1 = r.x1;
    double x2 = r.x2;
    if (x1 > x2)
        std::swap(x1, x2);
    x1 = std::max(x1, 0.0);
    x2 = std::min(x2, static_cast<double>(total));
    if (x1 > x2)
        return finished(0);
    if (x1 == x2)
        return singlePosition(memory, x1, *points);

    if (points->firstInside(x1, x2) < 0)
        return finished(0);
    CurveJob job{memory, static_cast<int>(total),         x1,
                 x2,     static_cast<int>(std::ceil(x1)), static_cast<int>(std::ceil(x2)),
                 *points};
    if (job.first >= job.end)
        return finished(0);
    if (job.wholeMemory() && points->count == 1)
        return fillWholeMemory(job);
    return Opening{job, 0};
}

int32_t storeStretch(const CurveJob& job, const std::vector<double>& values) {
    std::vector<int16_t> codes;
    codes.reserve(values.size());
    for (const double v : values) {
        const auto code = toSampleCode(v);
        if (!code)
            return 0;
        codes.push_back(*code);
    }
    std::copy(codes.begin(), codes.end(), job.memory.begin() + job.first);
    return 1;
}

} // namespace curvefit
