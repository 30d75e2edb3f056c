#include "platform/eval/Evaluate.h"
#include "platform/system/Errors.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

std::string nested(int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); }

}  // namespace

TEST(Evaluate, TextsNumbersOperatorsAndFunctions) {
    const struct {
        std::string text;
        std::string result;
        int error;
    } cases[] = {
        // Literals: a doubled quote is one quote, nothing else is an escape.
        {"'it''s'", "it's", kNoError},
        {"'<b>{1}'", "<b>{1}", kNoError},
        {"'a' & '' & 'b'", "ab", kNoError},
        {"0FFh + 1", "256", kNoError},
        {"10h", "16", kNoError},
        {".5 * 3", "1.5", kNoError},
        // Text comparisons: case counts, trailing blanks do not, bytes are unsigned.
        {"'abc' = 'ABC'", "0", kNoError},
        {"'abc  ' = 'abc'", "1", kNoError},
        {"'z' < '\xE9'", "1", kNoError},
        {"'abc' ~= 'ABC'", "1", kNoError},
        {"'b' > 'a' AND 2 <= 2 AND 1 <> 2 AND 1 =< 1 AND 3 => 3", "1", kNoError},
        // Texts compare as texts, and as numbers once either side is a number.
        {"'120' < '20'", "1", kNoError},
        {"120 < 20", "0", kNoError},
        {"'120' < 20", "0", kNoError},
        {"'12abc' + 1", "13", kNoError},
        // & binds looser than arithmetic and writes numbers as the runtime does.
        {"'a' & 1+2", "a3", kNoError},
        {"'x' & 2.50", "x2.5", kNoError},
        {"-2 * 3 + 10 / 4", "-3.5", kNoError},
        {"7 % 3", "1", kNoError},
        {"1 / 0", "0", kNoError},
        {"5 % 0", "0", kNoError},
        {"0.1 + 0.2 = 0.3", "1", kNoError},
        // AND binds tighter than OR; brackets and NOT.
        {"1 OR 0 AND 0", "1", kNoError},
        {"(1 OR 0) AND 0", "0", kNoError},
        {"1 or 0 and 0", "1", kNoError},
        {"NOT ''", "1", kNoError},
        {"NOT ' x' OR NOT 0 AND NOT 5", "0", kNoError},
        {"~0", "1", kNoError},
        {"'OK' = 'OK' OR INSTRING('CANCEL','&OK',1,1)", "1", kNoError},
        // INSTRING: position, absence, empty sub, start, and the step number.
        {"INSTRING('CANCEL','&CANCEL',1,1)", "2", kNoError},
        {"INSTRING('X','ABC',1,1)", "0", kNoError},
        {"INSTRING('','ABC',1,1)", "0", kNoError},
        {"INSTRING('A','ABA',1,2)", "3", kNoError},
        {"INSTRING('DEF','ABCDEFGHI',3,1)", "2", kNoError},
        {"INSTRING('CD','ABCD')", "2", kNoError},
        {"INSTRING('BC','ABCD')", "0", kNoError},
        // The other functions, names in any case.
        {"upper('abc') & Lower('DEF')", "ABCdef", kNoError},
        {"LOWER('\xC9\x8A\xD7')", "\xE9\x9A\xD7", kNoError},
        {"CLIP('ab  ') & '|'", "ab|", kNoError},
        {"LEFT('  ab') & '|'", "ab  |", kNoError},
        {"LEFT('ab', 4) & '|'", "ab  |", kNoError},
        {"RIGHT('ab  ')", "  ab", kNoError},
        {"RIGHT('abc', 2)", "bc", kNoError},
        {"LEN(RIGHT('a', 99999999999999)) > 0", "1", kNoError},
        {"SUB('abcdef', 2, 3)", "bcd", kNoError},
        {"SUB('abcdef', -2, 2)", "ef", kNoError},
        {"SUB('abc', 3, 5)", "c", kNoError},
        {"len('abc') + LEN(12.5)", "7", kNoError},
        {"CHR(65) & VAL('a')", "A97", kNoError},
        {"INT(-2.7) & ' ' & INT(0.29 * 100) & ' ' & INT(-0.5)", "-2 29 0", kNoError},
        {"ROUND(2.675, .01)", "2.68", kNoError},
        {"ROUND(-2.5, 1)", "-3", kNoError},
        {"ROUND(1250, 100)", "1300", kNoError},
        {"ABS(-3)", "3", kNoError},
        {nested(50), "1", kNoError},
        // Text that is not an expression.
        {"'abc", "", kInvalidExpression},
        {"1 +", "", kInvalidExpression},
        {"", "", kInvalidExpression},
        {"(1", "", kInvalidExpression},
        {"1 2", "", kInvalidExpression},
        {"UPPER('a', 'b')", "", kInvalidExpression},
        {"FOO(1) +", "", kInvalidExpression},
        {"ERROR in expression - No begin bracket '{'", "", kInvalidExpression},
        {nested(1000), "", kInvalidExpression},
        // Unknown functions and names.
        {"FOO(1)", "", kUnknownFunctionLabel},
        {"'a' & bar", "", kUnknownFunctionLabel},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EVALUATE(c.text), c.result) << c.text;
        EXPECT_EQ(ERRORCODE(), c.error) << c.text;
    }
}

TEST(Evaluate, SuccessAfterAFailureClearsTheError) {
    EVALUATE("1 +");
    ASSERT_EQ(ERRORCODE(), kInvalidExpression);
    EXPECT_EQ(EVALUATE("1"), "1");
    EXPECT_EQ(ERRORCODE(), kNoError);
    EXPECT_EQ(ERROR(), "");
}

TEST(Evaluate, ATextLiteralReadsBackAsItsText) {
    for (const std::string text : {"", "'", "''", "it's", "x' OR 'a'='a", "?OK{PROP:Text}", "a  "})
        EXPECT_EQ(EVALUATE(textLiteral(text)), text) << text;
}

TEST(Evaluate, PlainNumbersAreDigitsWithAnOptionalMinusAndFraction) {
    const std::pair<const char*, bool> cases[] = {
        {"120", true}, {"-1", true}, {"1.5", true}, {".5", true}, {"1.", true},   {"", false},
        {"-", false},  {".", false}, {" 1", false}, {"1 ", false}, {"0FFh", false}, {"1.2.3", false},
        {"+1", false}, {"1e5", false},
    };
    for (const auto& [text, plain] : cases) EXPECT_EQ(isPlainNumber(text), plain) << text;
}
