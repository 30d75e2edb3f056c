// EVALUATE: the runtime's evaluation of an expression given as text.
//
// Rules:
// - No variables and no side effects: the text holds literals, operators and
//   the standard functions below, nothing else. Safe to call from any fiber.
// - Literals: text in single quotes, a quote written twice ('') and no other
//   escape; numbers with an optional fraction (12, 1.5, .5); hexadecimal with a
//   trailing H or h (0FFh, starting with a digit).
// - Operators, tightest first: brackets; unary minus and NOT; * / %; + -; &;
//   the comparisons = <> ~= < > <= >= (also =< => ~< ~>, ~ meaning NOT); AND;
//   OR. Keywords and function names in any case.
// - Values are texts or numbers. Arithmetic takes numbers (a text gives its
//   leading number) and holds its results to the 15 significant digits numbers
//   are written with, so 0.1 + 0.2 = 0.3; division and % by 0 give 0. & joins
//   texts, numbers written as numberText writes them. Two texts compare by
//   their Windows-1252 bytes, case significant, trailing blanks ignored; when
//   either side is a number both compare as numbers. A comparison gives 1 or
//   0; AND, OR and NOT take a number as true when not 0, a text when not blank.
// - Functions: INSTRING(sub, text [, step] [, start]) (step defaults to the
//   length of sub, start to 1; gives the step number where sub was found, the
//   position when step is 1), UPPER, LOWER, CLIP, LEFT(text [, length]),
//   RIGHT(text [, length]), SUB(text, start, length), LEN, CHR, VAL, INT,
//   ROUND(value, order), ABS.
// - The result is text. Success sets ERRORCODE 0. Text that is not an
//   expression (or a function given the wrong number of arguments, or brackets,
//   signs and calls nested more than 64 deep) gives '' and kInvalidExpression;
//   an unknown function or name gives '' and kUnknownFunctionLabel.
// - Nothing depends on the locale.
// - Text spliced into an expression goes in as textLiteral, so no text can
//   end its quotes early; a number only when isPlainNumber says it is one.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string EVALUATE(std::string_view text);

// The literal EVALUATE reads back as exactly `text`: in single quotes, each
// quote doubled.
std::string textLiteral(std::string_view text);

// True when `text` is wholly a number EVALUATE reads unquoted: an optional
// minus, digits and an optional fraction; no blanks, no hexadecimal.
bool isPlainNumber(std::string_view text);

}  // namespace platform
