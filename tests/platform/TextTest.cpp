#include "platform/text/Codepage.h"
#include "platform/text/Text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Text, CStringKeepsOneByteLessThanItsSize) {
    CString<5> c("abcdefg");
    EXPECT_EQ(c.str(), "abcd");
    c = "";
    EXPECT_TRUE(c.empty());
}

TEST(Text, StringIsPaddedWithBlanksAndCut) {
    String<5> s("ab");
    EXPECT_EQ(s.str(), "ab   ");
    s = "abcdefg";
    EXPECT_EQ(s.str(), "abcde");
    EXPECT_EQ(String<3>().str(), "   ");
}

TEST(Text, ClipAndUpper) {
    EXPECT_EQ(clip("  a b   "), "  a b");
    EXPECT_EQ(clip("   "), "");
    EXPECT_EQ(upper("caf\xE9 \xFF \x9A"), "CAF\xC9 \x9F \x8A");
    EXPECT_EQ(upper("\xF7"), "\xF7");  // the division sign has no capital
}

TEST(Text, LeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"42", 42}, {"  -7abc", -7}, {"3.5 kg", 3.5}, {"abc", 0}, {"", 0}, {".", 0}, {"+12", 12}};
    for (const auto& c : cases) EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(Codepage, RoundTripsEveryWindows1252Character) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
    EXPECT_EQ(toUtf8("\x80"), "\xE2\x82\xAC");  // the euro sign
}

TEST(Codepage, WhatWindows1252CannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(fromUtf8("\xE4\xB8\xAD"), "?");      // a CJK character
    EXPECT_EQ(fromUtf8("a\xC3"), "a?");            // a cut sequence
    EXPECT_EQ(fromUtf8("\x80x"), "?x");            // a stray continuation byte
    EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80!"), "?!");  // outside the BMP
}
