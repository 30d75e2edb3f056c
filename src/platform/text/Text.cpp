#include "platform/text/Text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform {

std::string clip(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') --end;
    return std::string(text.substr(0, end));
}

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

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    const std::size_t digitsStart = j;
    while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
    if (j < text.size() && text[j] == '.') {
        ++j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
    }
    if (j == digitsStart || (j == digitsStart + 1 && text[digitsStart] == '.')) return 0;
    return std::strtod(std::string(text.substr(i, j - i)).c_str(), nullptr);
}

std::string numberText(double value) {
    if (std::floor(value) == value && std::fabs(value) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", value);
        return buf;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

}  // namespace platform
