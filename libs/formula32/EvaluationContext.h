// What an expression can refer to besides its own text.
#ifndef FORMULA32_EVALUATIONCONTEXT_H
#define FORMULA32_EVALUATIONCONTEXT_H

namespace formula32 {

class RandomGenerator;
class UserConstants;
class VariableTable;

struct EvaluationContext {
    const VariableTable& variables;
    const UserConstants& constants;
    RandomGenerator& random;
};

} // namespace formula32

#endif
