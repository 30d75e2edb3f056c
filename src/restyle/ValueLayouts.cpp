#include "restyle/ValueLayouts.h"

using platform::Long;

namespace restyle {
namespace {

// Columns `first` to `first + width - 1` (1-based); what the value lacks is blank.
std::string_view columns(std::string_view value, std::size_t first, std::size_t width) {
    return first > value.size() ? std::string_view() : value.substr(first - 1, width);
}

Long number(std::string_view value, std::size_t first, std::size_t width) {
    return static_cast<Long>(platform::leadingNumber(columns(value, first, width)));
}

char column(std::string_view value, std::size_t at) { return at > value.size() ? ' ' : value[at - 1]; }

platform::Byte byteAt(std::string_view value, std::size_t index) {
    return index < value.size() ? static_cast<platform::Byte>(value[index]) : 0;
}

}  // namespace

FontValue fontValue(std::string_view value) {
    return {number(value, 1, 19), platform::clip(columns(value, 20, 32)), number(value, 52, 2),
            number(value, 54, 12), number(value, 66, 12)};
}

MarkValue markValue(std::string_view value) {
    return {number(value, 1, 19), static_cast<platform::Byte>(number(value, 20, 3)),
            static_cast<platform::Byte>(number(value, 30, 1))};
}

Long PositionChange::applied(Long opening, Long room) const {
    switch (mode) {
        case 0: return amount - room;
        case 1: return opening + amount;
        case 2: return opening * amount / 100;
        default: return opening;
    }
}

std::array<PositionChange, 4> positionValue(std::string_view value) {
    std::array<PositionChange, 4> changes;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const std::size_t at = i * 4;
        const auto amount = static_cast<platform::UShort>(byteAt(value, at + 1) | byteAt(value, at + 2) << 8);
        changes[i] = {byteAt(value, at) != 0, static_cast<platform::Short>(amount), byteAt(value, at + 3)};
    }
    return changes;
}

ResizeStrategyValue resizeStrategyValue(std::string_view value) {
    return {number(value, 1, 1), column(value, 2) == '1', number(value, 3, 1) != 0};
}

ImageOnControlValue imageOnControlValue(std::string_view value) {
    return {platform::clip(columns(value, 1, 510)), column(value, 511), column(value, 512)};
}

}  // namespace restyle
