#include "DirectEvaluator.h"

#include "ExpressionParser.h"
#include "RandomGenerator.h"

namespace formula32 {
namespace {

class Computation {
public:
    using Value = double;
    // A function name without "(" is reported at the start of the name.
    static constexpr bool kMissingParenthesisAfterName = false;

    Computation(const VariableTable& variables, RandomGenerator& random)
        : variables_(variables), random_(random) {}

    ErrorCode constant(double v, double& out) {
        out = v;
        return kOk;
    }
    ErrorCode variable(int index, double& out) {
        out = *variables_.reference(static_cast<std::size_t>(index));
        return kOk;
    }
    ErrorCode binary(Operator op, double l, double r, double& out) {
        return applyBinary(op, l, r, out);
    }
    ErrorCode unary(Operator op, double v, double& out) {
        out = applyUnary(op, v);
        return kOk;
    }
    ErrorCode call(int row, const double* args, int, double& out) {
        out = callFunction(row, args, random_);
        return kOk;
    }

private:
    const VariableTable& variables_;
    RandomGenerator& random_;
};

} // namespace

Evaluation evaluateDirectly(const char* text, std::size_t position,
                            const EvaluationContext& context) {
    Computation computation(context.variables, context.random);
    ExpressionParser<Computation> parser(text, position, context.variables, context.constants,
                                         computation);
    double value = 0;
    const bool ok = parser.parse(value);
    return {ok ? kOk : parser.error(), ok ? value : 0.0, parser.position()};
}

} // namespace formula32
