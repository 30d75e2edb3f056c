#include "platform/eval/Value.h"

#include "platform/text/Text.h"

#include <cmath>

namespace platform::eval {

Value Value::number(double n) {
    Value v;
    v.isNumber_ = true;
    v.number_ = n == 0 ? 0 : n;  // no negative zero: it would be written "-0"
    return v;
}

Value Value::text(std::string t) {
    Value v;
    v.text_ = std::move(t);
    return v;
}

Value Value::truth(bool b) { return number(b ? 1 : 0); }

double Value::asNumber() const { return isNumber_ ? number_ : leadingNumber(text_); }

std::string Value::asText() const { return isNumber_ ? numberText(number_) : text_; }

bool Value::isTrue() const { return isNumber_ ? number_ != 0 : !clip(text_).empty(); }

double held(double value) {
    if (value == 0 || !std::isfinite(value)) return value;
    const int wholeDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    const int decimals = 15 - wholeDigits;
    // Powers of ten are exact up to 1e22; beyond either end there is nothing to hold.
    if (decimals <= 0 || decimals > 22) return value;
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

}  // namespace platform::eval
