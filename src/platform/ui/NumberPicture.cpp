#include "platform/ui/NumberPicture.h"

#include "platform/text/Text.h"

namespace platform {

std::optional<NumberPicture> numberPicture(std::string_view picture) {
    if (picture.size() < 3 || picture[0] != '@' || (picture[1] != 'n' && picture[1] != 'N')) return std::nullopt;
    NumberPicture number;
    std::size_t at = 2;
    if (picture[at] == '-') {
        number.minus = true;
        ++at;
    }
    const std::size_t digitsAt = at;
    while (at < picture.size() && isDigit(picture[at])) ++at;
    if (at == digitsAt) return std::nullopt;
    number.digits = static_cast<std::size_t>(leadingNumber(picture.substr(digitsAt, at - digitsAt)));
    if (at < picture.size() && picture[at] == '.') {
        const std::size_t decimalsAt = ++at;
        while (at < picture.size() && isDigit(picture[at])) ++at;
        number.decimals = static_cast<std::size_t>(leadingNumber(picture.substr(decimalsAt, at - decimalsAt)));
    }
    number.blankZero = picture.substr(at).find_first_of("Bb") != std::string_view::npos;
    return number;
}

std::string fittedNumber(const NumberPicture& picture, std::string_view text) {
    std::string fitted;
    std::size_t digits = 0, decimals = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '-' && picture.minus && fitted.empty()) {
            fitted += c;
        } else if (c == '.' && picture.decimals > 0 && !point) {
            fitted += c;
            point = true;
        } else if (isDigit(c) && (point ? decimals < picture.decimals : digits < picture.digits)) {
            fitted += c;
            ++(point ? decimals : digits);
        }
    }
    return fitted;
}

std::string shownNumber(const NumberPicture& picture, std::string value) {
    return picture.blankZero && leadingNumber(value) == 0 ? std::string() : value;
}

long long largestNumber(const NumberPicture& picture) {
    long long largest = 0;
    for (std::size_t i = 0; i < picture.digits && largest < 100000000000000000LL; ++i) largest = largest * 10 + 9;
    return largest;
}

long long smallestNumber(const NumberPicture& picture) { return picture.minus ? -largestNumber(picture) : 0; }

}  // namespace platform
