// Pieces of dictionary lines shared by the writers.
#pragma once

#include "app/txd/TxdOptions.h"
#include "platform/text/Text.h"

#include <string>
#include <string_view>

// A string literal of the dictionary language: in quotes, with quotes, "<"
// and "{" doubled, so any name stays one literal that means itself.
std::string quoted(std::string_view text);
// ",NAME('...')" when external names are written, else nothing.
std::string nameAttribute(const TxdOptions& options, std::string_view externalName);
// "!!> IDENT(n)" followed by `rest`.
std::string identLine(platform::Long number, std::string_view rest = {});
