#include "support/DutchLocale.h"

#include "platform/data/FieldTable.h"
#include "platform/ini/IniFile.h"
#include "platform/text/Codepage.h"
#include "platform/text/Text.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

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
    } cases[] = {{"42", 42},    {"  -7abc", -7}, {"3.5 kg", 3.5}, {"abc", 0}, {"", 0},
                 {".", 0},      {"+12", 12},     {".5", 0.5},     {"-.25", -0.25}, {"3,5", 3},
                 {"1e3", 1},    {"0012.50", 12.5}};
    for (const auto& c : cases) EXPECT_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(Text, NumberTextWritesWholeNumbersBareAndFractionsShort) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{0, "0"}, {-0.0, "0"}, {42, "42"}, {-7, "-7"}, {2.25, "2.25"}, {0.1, "0.1"},
                 {1.0 / 3, "0.333333333333333"}, {123456789012345, "123456789012345"}, {-1.5, "-1.5"}};
    for (const auto& c : cases) EXPECT_EQ(numberText(c.value), c.text) << c.value;
}

// A Dutch session writes 2,25; the runtime's numbers never follow it.
TEST(Text, NumbersIgnoreTheEnvironmentsLocale) {
    const DutchLocale dutch;
    if (!dutch.active()) GTEST_SKIP() << DutchLocale::kMissing;
    EXPECT_EQ(leadingNumber("3.5"), 3.5);
    EXPECT_EQ(leadingNumber("3,5"), 3);
    EXPECT_EQ(numberText(2.25), "2.25");

    struct {
        Real amount = 0;
    } record;
    FieldInfo amount{"AMOUNT", FieldType::Real, 0, sizeof(Real)};
    FieldRef field(amount, &record);
    field.setText("1234.5");
    EXPECT_EQ(record.amount, 1234.5);
    EXPECT_EQ(field.text(), "1234.5");

    QTemporaryDir folder;
    const std::string ini = folder.filePath("numbers.ini").toStdString();
    ASSERT_TRUE(putIni("Values", "Amount", field.text(), ini));
    EXPECT_EQ(leadingNumber(getIni("Values", "Amount", "", ini)), 1234.5);
}

TEST(Text, LowerMirrorsUpper) {
    EXPECT_EQ(lower("CAF\xC9 \x9F \x8A ABC"), "caf\xE9 \xFF \x9A abc");
    EXPECT_EQ(lower("\xD7"), "\xD7");  // the multiplication sign has no small letter
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

// A name keeps every letter or is refused, and can still be named.
TEST(Codepage, ANameIsConvertedWholeOrDescribed) {
    const struct {
        const char* utf8;
        std::optional<std::string> exact;
        const char* described;
    } cases[] = {
        {"Stra\xC3\x9F" "e \xE2\x82\xAC", "Stra\xDF" "e \x80", "Stra\xDF" "e \x80"},  // letters Windows-1252 has
        {"na\xC3\xAF" "ve \xC3\xA9t\xC3\xA9", "na\xEF" "ve \xE9t\xE9", "na\xEF" "ve \xE9t\xE9"},
        {"\xE8\xAE\xA2\xE5\x8D\x95", std::nullopt, "<U+8BA2><U+5355>"},  // Chinese
        {"a?b", "a?b", "a?b"},
        {"x\xF0\x9F\x98\x80", std::nullopt, "x<U+1F600>"},
        {"bad\xC3", std::nullopt, "bad<0xC3>"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exactFromUtf8(c.utf8), c.exact) << c.described;
        EXPECT_EQ(describedFromUtf8(c.utf8), c.described);
    }
}
