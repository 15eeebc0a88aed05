// The built-in functions: the C library's mathematics, the complex magnitude
// and angle, the triangle and square waves, and rnd.
#include "BuiltinFunctions.h"

#include "RandomGenerator.h"

#include <array>
#include <cmath>

namespace formula32 {
namespace {

constexpr std::array<FunctionInfo, kFunctionRowCount> kFunctions{{
    {"sin", 1},
    {"cos", 1},
    {"tan", 1},
    {"atn", 1},
    {"sqr", 1},
    {"exp", 1},
    {"log", 1},
    {"log10", 1},
    {"power", 2},
    {"phase", 2},
    {"tri", 2},
    {"tri", 1},
    {"sqw", 3},
    {"sqw", 1},
    {"sqw", 2},
    {"rnd", 1},
}};

struct BuiltinConstant {
    std::string_view name;
    double value;
};

// The literals are the language's own, not the full-precision values: pi has
// 14 significant digits on purpose.
constexpr std::array<BuiltinConstant, 7> kConstants{{
    {"pi", 3.1415926535898},
    {"c", 299792458},
    {"G", 6.67259e-11},
    {"h", 6.6260755e-34},
    {"NA", 6.0221367e+23},
    {"k", 1.380658e-23},
    {"r", 0.57721566490153},
}};

// Where in its period a phase lies: (0, 1] for positive phases, [0, 1)
// otherwise (up to rounding of the fraction plus one).
double phaseFraction(double p) {
    double whole = 0;
    const double f = std::modf(p * 0.15915494309189535, &whole); // 1 / 2 pi
    if (p > 0)
        return f == 0 ? 1.0 : f;
    return f < 0 ? f + 1 : f;
}

} // namespace

const FunctionInfo& functionInfo(int row) {
    return kFunctions[static_cast<std::size_t>(row)];
}

int findFunction(std::string_view name) {
    for (int row = 0; row < kFunctionRowCount; ++row)
        if (kFunctions[static_cast<std::size_t>(row)].name == name)
            return row;
    return -1;
}

bool findBuiltinConstant(std::string_view name, double& value) {
    for (const auto& c : kConstants) {
        if (c.name == name) {
            value = c.value;
            return true;
        }
    }
    return false;
}

double triangleWave(double p, double s) {
    if (s < 0 || s > 100)
        return 0;
    const double f = phaseFraction(p);
    const double h = s * 0.005;
    const double g = (2 - s * 0.01) * 0.5;
    if (f == 0)
        return s == 0 ? 1 : 0;
    if (f == 1)
        return s == 0 ? -1 : 0;
    if (h == 0.5 && f == 0.5)
        return -1;
    if (f <= h)
        return f / h;
    if (f >= g)
        return (f - g) / h - 1;
    return 2 * (g - f) / (g - h) - 1;
}

double squareWave(double p, double d, double t) {
    if (d < 0 || d > 100)
        return 0;
    if (d == 0)
        return -1;
    if (d == 100)
        return 1;
    if (t < 0)
        t = 0;
    const double f = phaseFraction(p);
    const double m = d * 0.01;
    const double e = t * 0.005; // half an edge, as a share of the period
    if (f < m) {
        if (e == 0)
            return 1;
        if (f < m * 0.5)
            return f < e ? f / e : 1;
        return f <= m - e ? 1 : (m - f) / e;
    }
    const double low = f - m;
    const double l = (100 - d) * 0.01;
    if (e == 0)
        return -1;
    if (low < l * 0.5)
        return low < e ? -(low / e) : -1;
    return low <= l - e ? -1 : -((l - low) / e);
}

double callFunction(int row, const double* a, RandomGenerator& random) {
    switch (static_cast<FunctionRow>(row)) {
    case FunctionRow::Sin:
        return std::sin(a[0]);
    case FunctionRow::Cos:
        return std::cos(a[0]);
    case FunctionRow::Tan:
        return std::tan(a[0]);
    case FunctionRow::Atn:
        return std::atan(a[0]);
    case FunctionRow::Sqr:
        return std::sqrt(a[0]);
    case FunctionRow::Exp:
        return std::exp(a[0]);
    case FunctionRow::Log:
        return std::log(a[0]);
    case FunctionRow::Log10:
        return std::log10(a[0]);
    case FunctionRow::Power:
        return std::sqrt(a[0] * a[0] + a[1] * a[1]);
    case FunctionRow::Phase:
        return std::atan2(a[0], a[1]);
    case FunctionRow::Tri:
        return triangleWave(a[0], a[1]);
    case FunctionRow::TriDefault:
        return triangleWave(a[0], 50);
    case FunctionRow::Sqw:
        return squareWave(a[0], a[1], a[2]);
    case FunctionRow::SqwDefault:
        return squareWave(a[0], 50, 0);
    case FunctionRow::SqwNoTransition:
        return squareWave(a[0], a[1], 0);
    case FunctionRow::Rnd:
        return random.value();
    }
    return 0;
}

} // namespace formula32
