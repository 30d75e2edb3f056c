// A value met while evaluating an expression: a text or a number.
#pragma once

#include <string>

namespace platform::eval {

class Value {
public:
    static Value number(double n);
    static Value text(std::string t);
    static Value truth(bool b);  // 1 or 0

    bool isNumber() const { return isNumber_; }
    double asNumber() const;      // a text gives its leading number
    std::string asText() const;   // a number as the runtime writes it
    bool isTrue() const;          // a number not 0, a text not blank

private:
    bool isNumber_ = false;
    double number_ = 0;
    std::string text_;
};

// A number held to the 15 significant digits it is written with, so that what
// reads equal compares equal and rounds alike.
double held(double value);

}  // namespace platform::eval
