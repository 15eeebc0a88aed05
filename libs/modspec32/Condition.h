// The condition mini-language of resolution rules and warnings:
//   x <op> number               (variable first)
//   number <op> x [<op> number] (number first, optionally bounded on both sides)
// with the operators =, <>, >, >=, <, <=.
#pragma once

#include "ModelRecords.h"

#include <string_view>

namespace modspec32 {

// Whether the condition holds for the value; a malformed one never holds.
bool conditionHolds(std::string_view condition, double value);

// The resolution of the first condition that holds for the value, else the
// block's own resolution.
double resolutionFor(const RealParam& block, double value);

// The first warning whose condition holds for the value, or nullptr.
const ConditionWarning* warningFor(const RealParam& block, double value);

} // namespace modspec32
