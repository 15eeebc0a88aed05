// The loops the block engine applies to a block of lanes: one per operator or
// function, with variants for constant operands so that a constant is read once
// rather than from an array. Each returns the first lane whose computation
// fails (only a division by 0 can), or n.
//
// Cheap operations run over the whole block whatever n is: a loop of fixed
// length vectorises, and lanes past n are computed but never delivered (they
// cannot fail either, since only the first n lanes are checked). Calls of
// library functions run over the n lanes that matter.
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

// GCC vectorises these loops at -O2 only when told that the lanes do not
// depend on each other; clang checks for overlap at run time by itself (and
// would warn about every loop of library calls it cannot vectorise).
#if defined(__clang__)
#define FORMULA32_LANES_INDEPENDENT
#else
#define FORMULA32_LANES_INDEPENDENT _Pragma("GCC ivdep")
#endif

namespace formula32::kernels {

using Step = BlockEngine::Step;

inline constexpr std::size_t kLanes = BlockEngine::kBlockSize;

#define FORMULA32_BINARY(NAME, CHEAP, EXPR)                                                        \
    struct NAME {                                                                                  \
        static constexpr bool kCheap = CHEAP;                                                      \
        static double apply(double l, double r) { return EXPR; }                                   \
    };
FORMULA32_BINARY(OrOp, true, truth(l != 0 || r != 0))
FORMULA32_BINARY(AndOp, true, truth(l != 0 && r != 0))
FORMULA32_BINARY(EqualOp, true, truth(l == r))
FORMULA32_BINARY(NotEqualOp, true, truth(l != r))
FORMULA32_BINARY(GreaterOp, true, truth(l > r))
FORMULA32_BINARY(GreaterEqualOp, true, truth(l >= r))
FORMULA32_BINARY(LessOp, true, truth(l < r))
FORMULA32_BINARY(LessEqualOp, true, truth(l <= r))
FORMULA32_BINARY(AddOp, true, l + r)
FORMULA32_BINARY(SubtractOp, true, l - r)
FORMULA32_BINARY(MultiplyOp, true, l* r)
FORMULA32_BINARY(DivideOp, true, l / r)
FORMULA32_BINARY(PowerOp, false, std::pow(l, r))
FORMULA32_BINARY(MagnitudeOp, true, std::sqrt(l* l + r * r))
FORMULA32_BINARY(PhaseOp, false, std::atan2(l, r))
FORMULA32_BINARY(TriangleOp, false, triangleWave(l, r))
FORMULA32_BINARY(SquareNoTransitionOp, false, squareWave(l, r, 0))
#undef FORMULA32_BINARY

#define FORMULA32_UNARY(NAME, CHEAP, EXPR)                                                         \
    struct NAME {                                                                                  \
        static constexpr bool kCheap = CHEAP;                                                      \
        static double apply(double v) { return EXPR; }                                             \
    };
FORMULA32_UNARY(NegateOp, true, -v)
FORMULA32_UNARY(NotOp, true, truth(v == 0))
FORMULA32_UNARY(SqrOp, true, std::sqrt(v))
FORMULA32_UNARY(SinOp, false, std::sin(v))
FORMULA32_UNARY(CosOp, false, std::cos(v))
FORMULA32_UNARY(TanOp, false, std::tan(v))
FORMULA32_UNARY(AtnOp, false, std::atan(v))
FORMULA32_UNARY(ExpOp, false, std::exp(v))
FORMULA32_UNARY(LogOp, false, std::log(v))
FORMULA32_UNARY(Log10Op, false, std::log10(v))
FORMULA32_UNARY(TriangleDefaultOp, false, triangleWave(v, 50))
FORMULA32_UNARY(SquareDefaultOp, false, squareWave(v, 50, 0))
#undef FORMULA32_UNARY

template <class Op> constexpr std::size_t lanesFor(std::size_t n) {
    return Op::kCheap ? kLanes : n;
}

template <class Op, bool C> std::size_t unary(const Step& s, std::size_t n) {
    double* out = s.result;
    const double* a = s.in[0].data;
    const std::size_t lanes = lanesFor<Op>(n);
    if constexpr (C) {
        const double v = Op::apply(a[0]);
        for (std::size_t i = 0; i < lanes; ++i)
            out[i] = v;
    } else {
        FORMULA32_LANES_INDEPENDENT
        for (std::size_t i = 0; i < lanes; ++i)
            out[i] = Op::apply(a[i]);
    }
    return n;
}

template <class Op, bool CL, bool CR> std::size_t binary(const Step& s, std::size_t n) {
    double* out = s.result;
    const double* l = s.in[0].data;
    const double* r = s.in[1].data;
    const std::size_t lanes = lanesFor<Op>(n);
    if constexpr (CL && CR) {
        const double v = Op::apply(l[0], r[0]);
        for (std::size_t i = 0; i < lanes; ++i)
            out[i] = v;
    } else if constexpr (CL) {
        const double a = l[0];
        FORMULA32_LANES_INDEPENDENT
        for (std::size_t i = 0; i < lanes; ++i)
            out[i] = Op::apply(a, r[i]);
    } else if constexpr (CR) {
        const double b = r[0];
        FORMULA32_LANES_INDEPENDENT
        for (std::size_t i = 0; i < lanes; ++i)
            out[i] = Op::apply(l[i], b);
    } else {
        FORMULA32_LANES_INDEPENDENT
        for (std::size_t i = 0; i < lanes; ++i)
            out[i] = Op::apply(l[i], r[i]);
    }
    return n;
}

// A divisor that varies by lane: divide the whole block, and look for the
// first zero divisor among the n lanes only when the block has one anywhere.
template <bool CL> std::size_t divideChecked(const Step& s, std::size_t n) {
    double* out = s.result;
    const double* l = s.in[0].data;
    const double* r = s.in[1].data;
    const double a = l[0];
    unsigned zero = 0;
    FORMULA32_LANES_INDEPENDENT
    for (std::size_t i = 0; i < kLanes; ++i) {
        zero |= r[i] == 0.0 ? 1u : 0u;
        out[i] = (CL ? a : l[i]) / r[i];
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

// sqw with three arguments, any of them constant (read with a step of 0).
inline std::size_t square(const Step& s, std::size_t n) {
    double* out = s.result;
    const double* a = s.in[0].data;
    const double* b = s.in[1].data;
    const double* c = s.in[2].data;
    const std::size_t da = s.in[0].isConstant() ? 0 : 1;
    const std::size_t db = s.in[1].isConstant() ? 0 : 1;
    const std::size_t dc = s.in[2].isConstant() ? 0 : 1;
    for (std::size_t i = 0; i < n; ++i)
        out[i] = squareWave(a[i * da], b[i * db], c[i * dc]);
    return n;
}

} // namespace formula32::kernels

#endif
