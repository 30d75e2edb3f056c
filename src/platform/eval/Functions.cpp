#include "platform/eval/Functions.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <cmath>

namespace platform::eval {
namespace {

using Arguments = std::vector<Value>;

// A number as a whole count, kept in a range where sizes and positions live.
long long whole(double value) {
    return std::isnan(value) ? 0 : static_cast<long long>(std::clamp(std::trunc(value), -1e15, 1e15));
}

long long wholeArgument(const Arguments& a, std::size_t i, long long absent) {
    return i < a.size() ? whole(a[i].asNumber()) : absent;
}

// A length to fill a text to: no text grows beyond this, whatever is asked.
constexpr long long kLongestText = 1 << 20;

std::size_t lengthArgument(const Arguments& a, std::size_t i, std::size_t absent) {
    const long long length = wholeArgument(a, i, static_cast<long long>(absent));
    return static_cast<std::size_t>(std::clamp(length, 0LL, kLongestText));
}

// The step number at which `sub` occurs, stepping from `start`; 0 when absent.
Value instring(const Arguments& a) {
    const std::string sub = a[0].asText();
    const std::string text = a[1].asText();
    const long long step = wholeArgument(a, 2, static_cast<long long>(sub.size()));
    const long long start = wholeArgument(a, 3, 1);
    const auto size = static_cast<long long>(text.size());
    const auto subSize = static_cast<long long>(sub.size());
    if (sub.empty() || step == 0) return Value::number(0);
    for (long long pos = start; pos >= 1 && pos <= size; pos += step) {
        if (pos + subSize - 1 <= size && text.compare(pos - 1, sub.size(), sub) == 0)
            return Value::number(static_cast<double>((pos - 1) / std::llabs(step) + 1));
    }
    return Value::number(0);
}

Value upperText(const Arguments& a) { return Value::text(upper(a[0].asText())); }

Value lowerText(const Arguments& a) { return Value::text(lower(a[0].asText())); }

Value clipText(const Arguments& a) { return Value::text(clip(a[0].asText())); }

// Leading blanks moved to the end; the length stays unless one is given.
Value leftJustified(const Arguments& a) {
    const std::string text = a[0].asText();
    const std::size_t first = std::min(text.find_first_not_of(' '), text.size());
    std::string justified = text.substr(first);
    justified.resize(lengthArgument(a, 1, text.size()), ' ');
    return Value::text(std::move(justified));
}

// Trailing blanks moved to the front; the length stays unless one is given.
Value rightJustified(const Arguments& a) {
    const std::string text = a[0].asText();
    const std::string clipped = clip(text);
    const std::size_t length = lengthArgument(a, 1, text.size());
    if (clipped.size() >= length) return Value::text(clipped.substr(clipped.size() - length));
    return Value::text(std::string(length - clipped.size(), ' ') + clipped);
}

// A negative start counts from the end; the part outside the text is dropped.
Value sub(const Arguments& a) {
    const std::string text = a[0].asText();
    const auto size = static_cast<long long>(text.size());
    long long start = whole(a[1].asNumber());
    if (start < 0) start += size + 1;
    const long long from = std::max(start, 1LL);
    const long long to = std::min(start + whole(a[2].asNumber()) - 1, size);
    return Value::text(from > to ? std::string() : text.substr(from - 1, to - from + 1));
}

Value len(const Arguments& a) { return Value::number(static_cast<double>(a[0].asText().size())); }

Value chr(const Arguments& a) { return Value::text(std::string(1, static_cast<char>(whole(a[0].asNumber()) & 0xFF))); }

Value val(const Arguments& a) {
    const std::string text = a[0].asText();
    return Value::number(text.empty() ? 0 : static_cast<unsigned char>(text[0]));
}

Value integer(const Arguments& a) { return Value::number(std::trunc(a[0].asNumber())); }

// Half away from zero to a multiple of order; order 0 leaves the value.
Value roundTo(const Arguments& a) {
    const double value = a[0].asNumber();
    const double order = std::fabs(a[1].asNumber());
    if (order == 0) return Value::number(value);
    return Value::number(held(std::round(held(value / order)) * order));
}

Value absolute(const Arguments& a) { return Value::number(std::fabs(a[0].asNumber())); }

constexpr Function kFunctions[] = {
    {"INSTRING", 2, 4, instring},
    {"UPPER", 1, 1, upperText},
    {"LOWER", 1, 1, lowerText},
    {"CLIP", 1, 1, clipText},
    {"LEFT", 1, 2, leftJustified},
    {"RIGHT", 1, 2, rightJustified},
    {"SUB", 3, 3, sub},
    {"LEN", 1, 1, len},
    {"CHR", 1, 1, chr},
    {"VAL", 1, 1, val},
    {"INT", 1, 1, integer},
    {"ROUND", 2, 2, roundTo},
    {"ABS", 1, 1, absolute},
};

}  // namespace

const Function* findFunction(std::string_view upperName) {
    for (const Function& f : kFunctions) {
        if (f.name == upperName) return &f;
    }
    return nullptr;
}

}  // namespace platform::eval
