#include "platform/text/Codepage.h"

#include "platform/text/Text.h"

#include <QString>
#include <array>

namespace platform {
namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes, kept as is.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t toCodePoint(unsigned char c) {
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] != 0) return kHigh[c - 0x80];
    return c;
}

std::optional<char> fromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<char>(0x80 + i);
    if (cp >= 0x80 && cp < 0xA0) return static_cast<char>(cp);
    return std::nullopt;
}

// Hands each character of the UTF-8 text to `take` as its Windows-1252 byte,
// or to `lost` as its code point when there is none; a byte that begins no
// character (a stray continuation, a cut or broken sequence) goes to `stray`.
template <class Take, class Lost, class Stray>
void decodeUtf8(std::string_view utf8, Take take, Lost lost, Stray stray) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int extra = c < 0x80 ? 0 : c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
        char32_t cp = extra <= 0 ? c : c & (0x3F >> extra);
        bool valid = extra >= 0 && i + extra < utf8.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto n = static_cast<unsigned char>(utf8[i + k]);
            valid = (n & 0xC0) == 0x80;
            cp = (cp << 6) | (n & 0x3F);
        }
        if (!valid) {
            stray(c);
            ++i;
            continue;
        }
        if (const std::optional<char> byte = fromCodePoint(cp)) take(*byte);
        else lost(cp);
        i += extra + 1;
    }
}

std::string hex(unsigned long value, int digits) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (; value > 0 || static_cast<int>(text.size()) < digits; value >>= 4) text.insert(text.begin(), kDigits[value & 0xF]);
    return text;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string toUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) appendUtf8(out, toCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    decodeUtf8(
        utf8, [&](char c) { out += c; }, [&](char32_t) { out += '?'; }, [&](unsigned char) { out += '?'; });
    return out;
}

std::optional<std::string> exactFromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    bool exact = true;
    decodeUtf8(
        utf8, [&](char c) { out += c; }, [&](char32_t) { exact = false; }, [&](unsigned char) { exact = false; });
    if (!exact) return std::nullopt;
    return out;
}

std::string describedFromUtf8(std::string_view utf8) {
    std::string out;
    decodeUtf8(
        utf8, [&](char c) { out += c; }, [&](char32_t cp) { out += "<U+" + hex(cp, 4) + ">"; },
        [&](unsigned char byte) { out += "<0x" + hex(byte, 2) + ">"; });
    return out;
}

QString toQString(std::string_view cp1252) {
    const std::string utf8 = toUtf8(cp1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return fromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::string systemFileName(std::string_view name) { return toUtf8(clip(name)); }

}  // namespace platform
