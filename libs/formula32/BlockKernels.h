// The loops the block engine applies to a block of lanes: one per operator or
// function, specialised for constant operands so that a constant is read once
// rather than from an array. Each returns the first lane whose computation
// fails (only a division by 0 can), or n.
//
// A result register may be the same array as the left operand; every loop
// reads a lane before writing it, which is what the dependence hint allows.
#ifndef FORMULA32_BLOCKKERNELS_H
#define FORMULA32_BLOCKKERNELS_H

#include "BlockEngine.h"
#include "BuiltinFunctions.h"
#include "Operators.h"

#include <cmath>
#include <cstddef>

#if defined(__clang__)
#define FORMULA32_LANES_INDEPENDENT _Pragma("clang loop vectorize(assume_safety)")
#else
#define FORMULA32_LANES_INDEPENDENT _Pragma("GCC ivdep")
#endif

namespace formula32::kernels {

using Step = BlockEngine::Step;

// Reads lane i of an operand, or its one value when it is a constant.
template <bool Constant> inline double lane(const double* p, std::size_t i) {
    if constexpr (Constant)
        return p[0];
    else
        return p[i];
}

#define FORMULA32_BINARY(NAME, EXPR)                                                               \
    struct NAME {                                                                                  \
        static double apply(double l, double r) { return EXPR; }                                   \
    };
FORMULA32_BINARY(OrOp, truth(l != 0 || r != 0))
FORMULA32_BINARY(AndOp, truth(l != 0 && r != 0))
FORMULA32_BINARY(EqualOp, truth(l == r))
FORMULA32_BINARY(NotEqualOp, truth(l != r))
FORMULA32_BINARY(GreaterOp, truth(l > r))
FORMULA32_BINARY(GreaterEqualOp, truth(l >= r))
FORMULA32_BINARY(LessOp, truth(l < r))
FORMULA32_BINARY(LessEqualOp, truth(l <= r))
FORMULA32_BINARY(AddOp, l + r)
FORMULA32_BINARY(SubtractOp, l - r)
FORMULA32_BINARY(MultiplyOp, l* r)
FORMULA32_BINARY(DivideOp, l / r)
FORMULA32_BINARY(PowerOp, std::pow(l, r))
FORMULA32_BINARY(MagnitudeOp, std::sqrt(l* l + r * r))
FORMULA32_BINARY(PhaseOp, std::atan2(l, r))
FORMULA32_BINARY(TriangleOp, triangleWave(l, r))
FORMULA32_BINARY(SquareNoTransitionOp, squareWave(l, r, 0))
#undef FORMULA32_BINARY

#define FORMULA32_UNARY(NAME, EXPR)                                                                \
    struct NAME {                                                                                  \
        static double apply(double v) { return EXPR; }                                             \
    };
FORMULA32_UNARY(NegateOp, -v)
FORMULA32_UNARY(NotOp, truth(v == 0))
FORMULA32_UNARY(SinOp, std::sin(v))
FORMULA32_UNARY(CosOp, std::cos(v))
FORMULA32_UNARY(TanOp, std::tan(v))
FORMULA32_UNARY(AtnOp, std::atan(v))
FORMULA32_UNARY(SqrOp, std::sqrt(v))
FORMULA32_UNARY(ExpOp, std::exp(v))
FORMULA32_UNARY(LogOp, std::log(v))
FORMULA32_UNARY(Log10Op, std::log10(v))
FORMULA32_UNARY(TriangleDefaultOp, triangleWave(v, 50))
FORMULA32_UNARY(SquareDefaultOp, squareWave(v, 50, 0))
#undef FORMULA32_UNARY

template <class Op, bool C> std::size_t unary(const Step& s, std::size_t n) {
    double* out = s.result;
    const double* a = s.in[0].data;
    FORMULA32_LANES_INDEPENDENT
    for (std::size_t i = 0; i < n; ++i)
        out[i] = Op::apply(lane<C>(a, i));
    return n;
}

template <class Op, bool CL, bool CR> std::size_t binary(const Step& s, std::size_t n) {
    double* out = s.result;
    const double* l = s.in[0].data;
    const double* r = s.in[1].data;
    FORMULA32_LANES_INDEPENDENT
    for (std::size_t i = 0; i < n; ++i)
        out[i] = Op::apply(lane<CL>(l, i), lane<CR>(r, i));
    return n;
}

// A divisor that varies by lane: divide, and find the first lane whose
// divisor is 0 only when there is one.
template <bool CL> std::size_t divideChecked(const Step& s, std::size_t n) {
    double* out = s.result;
    const double* l = s.in[0].data;
    const double* r = s.in[1].data;
    unsigned zero = 0;
    FORMULA32_LANES_INDEPENDENT
    for (std::size_t i = 0; i < n; ++i) {
        zero |= r[i] == 0.0 ? 1u : 0u;
        out[i] = lane<CL>(l, i) / r[i];
    }
    if (zero == 0)
        return n;
    for (std::size_t i = 0; i < n; ++i)
        if (r[i] == 0.0)
            return i;
    return n;
}

// A constant divisor of 0 fails on the first lane of every block.
inline std::size_t divideByZero(const Step&, std::size_t) {
    return 0;
}

// Three arguments, any of them constant (read with a step of 0).
template <class Fn> std::size_t ternary(const Step& s, std::size_t n, Fn fn) {
    double* out = s.result;
    const double* a = s.in[0].data;
    const double* b = s.in[1].data;
    const double* c = s.in[2].data;
    const std::size_t da = s.in[0].isConstant() ? 0 : 1;
    const std::size_t db = s.in[1].isConstant() ? 0 : 1;
    const std::size_t dc = s.in[2].isConstant() ? 0 : 1;
    FORMULA32_LANES_INDEPENDENT
    for (std::size_t i = 0; i < n; ++i)
        out[i] = fn(a[i * da], b[i * db], c[i * dc]);
    return n;
}

inline std::size_t square(const Step& s, std::size_t n) {
    return ternary(s, n, squareWave);
}

} // namespace formula32::kernels

#endif
