// The operators of the expression language, with the codes that compiled
// operator slots carry, and their arithmetic (shared by direct evaluation,
// constant folding and both execution engines, so all give the same bits).
#ifndef FORMULA32_OPERATORS_H
#define FORMULA32_OPERATORS_H

#include "ErrorCodes.h"

#include <cmath>

namespace formula32 {

enum class Operator : int {
    Or = 0,
    And = 1,
    Equal = 2,
    NotEqual = 3,
    Greater = 4,
    GreaterEqual = 5,
    Less = 6,
    LessEqual = 7,
    Add = 8,
    Subtract = 9,
    Multiply = 10,
    Divide = 11,
    Power = 12,
    Negate = 13,
    Not = 14,
};

inline constexpr int kOperatorCount = 15;

inline int operandCount(Operator op) {
    return op == Operator::Negate || op == Operator::Not ? 1 : 2;
}

inline double truth(bool b) {
    return b ? 1.0 : 0.0;
}

// Left op right for a binary operator; kDivideByZero for a division by an
// operand equal to 0, else kOk.
inline ErrorCode applyBinary(Operator op, double l, double r, double& out) {
    switch (op) {
    case Operator::Or:
        out = truth(l != 0 || r != 0);
        break;
    case Operator::And:
        out = truth(l != 0 && r != 0);
        break;
    case Operator::Equal:
        out = truth(l == r);
        break;
    case Operator::NotEqual:
        out = truth(l != r);
        break;
    case Operator::Greater:
        out = truth(l > r);
        break;
    case Operator::GreaterEqual:
        out = truth(l >= r);
        break;
    case Operator::Less:
        out = truth(l < r);
        break;
    case Operator::LessEqual:
        out = truth(l <= r);
        break;
    case Operator::Add:
        out = l + r;
        break;
    case Operator::Subtract:
        out = l - r;
        break;
    case Operator::Multiply:
        out = l * r;
        break;
    case Operator::Divide:
        if (r == 0)
            return kDivideByZero;
        out = l / r;
        break;
    case Operator::Power:
        out = std::pow(l, r);
        break;
    case Operator::Negate:
    case Operator::Not:
        break;
    }
    return kOk;
}

inline double applyUnary(Operator op, double v) {
    return op == Operator::Not ? truth(v == 0) : -v;
}

} // namespace formula32

#endif
