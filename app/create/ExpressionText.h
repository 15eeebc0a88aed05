// The text an expression page hands to the evaluator. The user writes the
// formula in the display units (x in samples, time or a user unit; the
// value in codes, volts or a user unit); the evaluator computes codes from
// sample indexes. Preparing the text:
//   1. the formula, wrapped so that its Y value becomes a code when Y is not
//      shown in codes: ((f)-((Ymax+Ymin)/2))*(65534/(Ymax-Ymin));
//   2. every rnd(...) call gets x as its argument, so that it draws afresh
//      for every sample (a constant argument would be folded into one value
//      while compiling); 'rnd()' becomes 'rnd(x)', 'rnd(5)' too;
//   3. lower case (the evaluator's names are lower case);
//   4. every x standing alone (no letter, digit or underscore beside it)
//      replaced by the sample index in the X display unit;
//   5. the page's constants in front as the constant block "[...]".
// Numbers are inserted as the interface's number-to-text conversion writes
// them.
#ifndef ZW_CREATE_EXPRESSIONTEXT_H
#define ZW_CREATE_EXPRESSIONTEXT_H

#include "Units.h"

#include <QString>

#include <string>

namespace zw::create {

// Steps 1 to 5 for the page's formula and constants under `units` (the
// memory length N is the setting's WaveLength). 8-bit text for the
// evaluator.
std::string PrepareExpression(const QString& formula, const QString& constants, const Units& units);

// The pieces, for tests and for the command-line tool.
QString WrapForYUnit(const QString& formula, const Units& units);
QString GiveRndItsVariable(const QString& text);
QString ReplaceFreeX(const QString& text, const Units& units);

// The text that checks a page's constants: "[" constants "]" followed by a
// sample position written as a whole number.
std::string ConstantCheckText(const QString& constants, double sample);

} // namespace zw::create

#endif // ZW_CREATE_EXPRESSIONTEXT_H
