// The built-in functions and constants of the expression language.
//
// The function table is ordered: a name's first row gives the argument count
// expected, and tri and sqw fall back to their later rows when a call supplies
// fewer arguments. Compiled call slots name a row by its index here.
#ifndef FORMULA32_BUILTINFUNCTIONS_H
#define FORMULA32_BUILTINFUNCTIONS_H

#include <cstddef>
#include <string_view>

namespace formula32 {

class RandomGenerator;

enum class FunctionRow : int {
    Sin,
    Cos,
    Tan,
    Atn,
    Sqr,
    Exp,
    Log,
    Log10,
    Power,
    Phase,
    Tri,
    TriDefault,
    Sqw,
    SqwDefault,
    SqwNoTransition,
    Rnd,
};

inline constexpr int kFunctionRowCount = 16;
inline constexpr int kMaxArguments = 3;

struct FunctionInfo {
    std::string_view name;
    int arguments;
};

const FunctionInfo& functionInfo(int row);

// The first row named `name`, or -1.
int findFunction(std::string_view name);

// Calls the function of `row` with `args` in their written order. rnd ignores
// its argument and draws from `random`.
double callFunction(int row, const double* args, RandomGenerator& random);

// Triangle wave of phase p (radians) and symmetry s (percent rising).
double triangleWave(double p, double s);
// Square wave of phase p, duty d (percent high) and transition t (percent of
// the period per edge).
double squareWave(double p, double d, double t);

// The built-in constant `name`, or false.
bool findBuiltinConstant(std::string_view name, double& value);

} // namespace formula32

#endif
