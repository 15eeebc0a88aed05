#include "ConstantBlock.h"

#include "CharClass.h"
#include "DirectEvaluator.h"
#include "UserConstants.h"

#include <string_view>

namespace formula32 {
namespace {

std::size_t skipSpace(const char* text, std::size_t pos) {
    while (isSpace(text[pos]))
        ++pos;
    return pos;
}

// Reads "name = expression;" at `pos` and defines the constant.
bool readDefinition(const char* text, std::size_t& pos, UserConstants& constants,
                    const EvaluationContext& context) {
    const std::string_view name(text + pos, nameLength(text + pos));
    if (name.empty() || name.size() > UserConstants::kMaxNameLength)
        return false;
    pos = skipSpace(text, pos + name.size());
    if (text[pos] != '=')
        return false;
    const Evaluation e = evaluateDirectly(text, pos + 1, context);
    if (e.error != kOk || text[e.position] != ';')
        return false;
    pos = e.position + 1;
    return constants.define(name, e.value);
}

} // namespace

bool readConstantBlock(const char* text, std::size_t& position, UserConstants& constants,
                       const VariableTable& variables, RandomGenerator& random) {
    std::size_t pos = skipSpace(text, position);
    if (text[pos] != '[') {
        position = pos;
        return true;
    }
    const EvaluationContext context{variables, constants, random};
    ++pos;
    for (;;) {
        pos = skipSpace(text, pos);
        if (text[pos] == ']') {
            position = pos + 1;
            return true;
        }
        if (!readDefinition(text, pos, constants, context))
            return false;
    }
}

} // namespace formula32
