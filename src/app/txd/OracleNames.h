// Names under the ORACLE driver: upper case, at most 30 characters, and no
// column label that is a reserved word of the dictionary language.
#pragma once

#include <string>
#include <string_view>

bool isOracleDriver(std::string_view driver);
std::string oracleName(std::string_view name);
// oracleName, then DATE, TIME, ORDER, USER, GROUP and COMMENT get a "_".
std::string oracleColumnName(std::string_view name);
