#include "Condition.h"

#include "LineTokens.h"
#include "ValueConversion.h"

namespace modspec32 {

namespace {

constexpr std::string_view kConditionSeparators = " \t\n\"";

bool compare(double left, std::string_view op, double right) {
    if (op == "=") {
        return left == right;
    }
    if (op == "<>") {
        return left != right;
    }
    if (op == ">") {
        return left > right;
    }
    if (op == ">=") {
        return left >= right;
    }
    if (op == "<") {
        return left < right;
    }
    if (op == "<=") {
        return left <= right;
    }
    return false;
}

} // namespace

bool conditionHolds(std::string_view condition, double value) {
    Tokenizer tokens(condition);
    const auto first = tokens.next(kConditionSeparators);
    const auto second = tokens.next(kConditionSeparators);
    const auto third = tokens.next(kWordSeparators);
    if (!first || !second || !third) {
        return false;
    }
    if (*first == "x" || *first == "X") {
        return compare(value, *second, parseReal(*third));
    }
    // Number first: the third token stands for the variable.
    if (!compare(parseReal(*first), *second, value)) {
        return false;
    }
    const auto rightOperator = tokens.next(kConditionSeparators);
    if (!rightOperator) {
        return true;
    }
    const auto rightNumber = tokens.next(kConditionSeparators);
    if (!rightNumber) {
        return false;
    }
    return compare(value, *rightOperator, parseReal(*rightNumber));
}

double resolutionFor(const RealParam& block, double value) {
    for (const ResolutionCondition& rule : block.conditions) {
        if (conditionHolds(rule.condition.view(), value)) {
            return rule.resolution;
        }
    }
    return block.resolution;
}

const ConditionWarning* warningFor(const RealParam& block, double value) {
    for (const ConditionWarning& warning : block.warnings) {
        if (conditionHolds(warning.condition.view(), value)) {
            return &warning;
        }
    }
    return nullptr;
}

} // namespace modspec32
