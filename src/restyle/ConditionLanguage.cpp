#include "restyle/ConditionLanguage.h"

#include "platform/eval/Evaluate.h"

using platform::clip;
using platform::textLiteral;
using platform::upper;

namespace restyle {
namespace {

bool isOrdering(std::string_view op) { return op == "<" || op == ">" || op == "<=" || op == ">="; }

std::string comparison(const CONDITIONQUEUERecord& condition, const std::string& propertyValue) {
    const std::string op = clip(condition.OPERATOR.view());
    const std::string value = upper(clip(condition.VALUE.view()));
    const bool manual = condition.MANUALVALUE != 0;
    if (op == "CONTAINS") {
        const std::string sought = manual ? clip(upper(platform::EVALUATE(clip(condition.VALUE.view())))) : value;
        return "INSTRING(" + textLiteral(sought) + "," + textLiteral(propertyValue) + ",1,1)";
    }
    if (manual) return textLiteral(propertyValue) + op + value;
    if (isOrdering(op) && platform::isPlainNumber(propertyValue) && platform::isPlainNumber(value))
        return propertyValue + op + value;
    return textLiteral(propertyValue) + op + textLiteral(value);
}

}  // namespace

std::string conditionExpression(const platform::Queue<CONDITIONQUEUERecord>& conditions,
                                const ConditionValue& valueOf) {
    std::string expression;
    for (std::size_t i = 1; i <= conditions.records(); ++i) {
        const CONDITIONQUEUERecord& condition = conditions.at(i);
        expression += condition.PROPERTYEQUATE == 0 ? " " + clip(condition.OPERATOR.view()) + " "
                                                    : comparison(condition, upper(valueOf(condition)));
    }
    return expression;
}

bool expressionHolds(std::string_view expression) {
    return platform::leadingNumber(platform::EVALUATE(expression)) != 0;
}

ConditionDecision decideConditions(const platform::Queue<CONDITIONQUEUERecord>& conditions,
                                   const ConditionValue& valueOf,
                                   const std::function<bool(std::string_view)>& holds) {
    if (conditions.records() == 0) return {};
    ConditionDecision decision{conditionExpression(conditions, valueOf)};
    decision.applies = holds(decision.expression);
    return decision;
}

}  // namespace restyle
