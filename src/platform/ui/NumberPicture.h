// Number pictures of entries and spins: "@n" or "@N", a "-" when a minus may
// be typed, the count of digits, a "." and the count of decimals, and a "B"
// when 0 shows blank ("@N3", "@n-5", "@N3B", "@n-10.2"). Other pictures are
// none of these.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct NumberPicture {
    std::size_t digits = 0;
    std::size_t decimals = 0;
    bool minus = false;
    bool blankZero = false;
};

std::optional<NumberPicture> numberPicture(std::string_view picture);
// What of a typed text the picture takes: a leading minus where it allows
// one, digits up to its count, and with decimals a point and digits up to
// theirs; the other characters are not typed.
std::string fittedNumber(const NumberPicture& picture, std::string_view text);
// A bound value as the control shows it: blank for 0 under "B".
std::string shownNumber(const NumberPicture& picture, std::string value);
// The numbers its digits can write: 0 (or the most negative) to all nines.
long long smallestNumber(const NumberPicture& picture);
long long largestNumber(const NumberPicture& picture);

}  // namespace platform
