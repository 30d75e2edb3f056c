// A catalogue name made fit for a label of the dictionary: separators and
// quotes that labels cannot hold become "_" (a quote becomes a double quote).
// Applying it twice changes nothing.
#pragma once

#include <string>
#include <string_view>

std::string CleanName(std::string_view name);
