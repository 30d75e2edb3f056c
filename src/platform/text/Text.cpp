#include "platform/text/Text.h"

#include <charconv>
#include <cmath>

namespace platform {

std::string_view clipped(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return text.substr(0, end);
}

std::string clip(std::string_view text) { return std::string(clipped(text)); }

char upperChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    // Windows-1252: š œ ž ÿ and the accented lower-case range.
    if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 0x10);
    if (u == 0xFF) return static_cast<char>(0x9F);
    if (u >= 0xE0 && u != 0xF7) return static_cast<char>(u - 0x20);
    return c;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upperChar(c);
    return out;
}

char lowerChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 0x10);
    if (u == 0x9F) return static_cast<char>(0xFF);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
    return c;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lowerChar(c);
    return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The runtime's rules, never the environment's: "." is the decimal point
// under every locale.
double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::size_t j = i;
    while (j < text.size() && isDigit(text[j])) ++j;
    const bool wholeDigits = j > i;
    if (j < text.size() && text[j] == '.') {
        ++j;
        while (j < text.size() && isDigit(text[j])) ++j;
    }
    if (!wholeDigits && j <= i + 1) return 0;
    double value = 0;
    std::from_chars(text.data() + i, text.data() + j, value, std::chars_format::fixed);
    return negative ? -value : value;
}

std::string numberText(double value) {
    if (value == 0) return "0";  // also -0
    char buf[64];
    const bool whole = std::floor(value) == value && std::fabs(value) < 1e15;
    const auto end = whole ? std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 0).ptr
                           : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr;
    return std::string(buf, end);
}

}  // namespace platform
