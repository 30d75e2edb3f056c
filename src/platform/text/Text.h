// Text and number types of the runtime: Windows-1252 bytes in std::string.
//
// CString<N> holds at most N-1 bytes (the last byte is the terminator on the
// original platform); String<N> holds exactly N bytes padded with blanks.
// Both are trivially copyable so that records can be copied as a whole.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace platform {

using Byte = std::uint8_t;
using Short = std::int16_t;
using UShort = std::uint16_t;
using Long = std::int32_t;
using ULong = std::uint32_t;
using Real = double;

template <std::size_t N>
struct CString {
    static_assert(N >= 1);
    static constexpr std::size_t capacity = N - 1;
    char data[N]{};

    CString() = default;
    CString(std::string_view text) { assign(text); }
    CString& operator=(std::string_view text) { assign(text); return *this; }

    void assign(std::string_view text) {
        const std::size_t n = std::min(text.size(), capacity);
        text.copy(data, n);  // not memcpy: an empty view may hold a null pointer
        data[n] = '\0';
    }
    std::size_t size() const { return std::strlen(data); }
    bool empty() const { return data[0] == '\0'; }
    std::string_view view() const { return {data, size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    bool operator==(std::string_view other) const { return view() == other; }
};

template <std::size_t N>
struct String {
    static_assert(N >= 1);
    static constexpr std::size_t capacity = N;
    char data[N];

    String() { std::memset(data, ' ', N); }
    String(std::string_view text) { assign(text); }
    String& operator=(std::string_view text) { assign(text); return *this; }

    void assign(std::string_view text) {
        const std::size_t n = std::min(text.size(), N);
        text.copy(data, n);
        std::memset(data + n, ' ', N - n);
    }
    std::size_t size() const { return N; }
    std::string_view view() const { return {data, N}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    bool operator==(std::string_view other) const { return view() == other; }
};

// CLIP: the text without trailing blanks.
std::string clip(std::string_view text);
// The same, in place.
std::string_view clipped(std::string_view text);
// UPPER with the Windows-1252 letters.
std::string upper(std::string_view text);
char upperChar(char c);
// LOWER with the Windows-1252 letters.
std::string lower(std::string_view text);
char lowerChar(char c);
// '0' to '9' only, whatever the locale.
bool isDigit(char c);
// The platform's text to number: the leading number of the text, else 0.
// Neither this nor numberText follows the environment's locale.
double leadingNumber(std::string_view text);
// A number as the runtime writes it into text (no trailing zeros).
std::string numberText(double value);

}  // namespace platform
