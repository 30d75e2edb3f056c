// The condition language: the expression a condition set's conditions make
// for a control, and whether it holds. Restyling decides each set with it;
// the condition editor's test shows the expression and its outcome.
//
// The conditions go in in order and without brackets, so EVALUATE's
// precedence applies: "A OR B AND C" is A OR (B AND C). A connective
// (PROPERTYEQUATE 0) goes in as " AND " or " OR ". A comparison sets the
// present value of its property, upper-cased, against VALUE (the caller
// reads the value, from whichever control it decides for):
// - "CONTAINS": INSTRING(value, property value, 1, 1); with MANUALVALUE 1
//   the value is what EVALUATE makes of VALUE;
// - another operator: property value, operator, value; with MANUALVALUE 1
//   VALUE is the user's expression and goes in as it stands (upper-cased).
// Values go in upper-cased as text literals, so "=" ignores case and no text
// ends its quotes early; with < > <= >= a property value and a literal value
// that are both numbers go in as numbers, so that 120 > 20.
// A set applies when its expression evaluates to a number other than 0.
#pragma once

#include "restyle/ZelRestyleBaseClass.h"

#include <functional>
#include <string>

namespace restyle {

// The present value of the property a condition compares.
using ConditionValue = std::function<std::string(const CONDITIONQUEUERecord&)>;

struct ConditionDecision {
    std::string expression;  // empty when no condition was read
    bool applies = false;
};

std::string conditionExpression(const platform::Queue<CONDITIONQUEUERecord>& conditions,
                                const ConditionValue& valueOf);
// Whether an expression holds: it evaluates to a number other than 0.
bool expressionHolds(std::string_view expression);
// Builds the expression and asks `holds` (by default expressionHolds); no
// conditions do not apply.
ConditionDecision decideConditions(const platform::Queue<CONDITIONQUEUERecord>& conditions,
                                   const ConditionValue& valueOf,
                                   const std::function<bool(std::string_view)>& holds = expressionHolds);

}  // namespace restyle
