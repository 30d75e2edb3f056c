// The dictionary field type of a catalogue column, from its SQL type name,
// size and decimal digits.
#pragma once

#include "platform/text/Text.h"

#include <optional>
#include <string>
#include <string_view>

struct ColumnType {
    std::string_view name;  // the type name as the catalogue delivered it
    platform::Long size = 0;
    platform::Long decimals = 0;
    platform::Long dataType = 0;  // the ODBC SQL data type
};

// The field type text (at most 20 characters); none for a column that is left
// out of the dictionary (IMAGE). A type name with its precision, NAME(p) or
// NAME(p,s), counts as NAME of size p and s decimals; exact integer types have
// no decimals whatever the catalogue says.
std::optional<std::string> FieldTypeFor(const ColumnType& column, bool oracle);
// Date-and-time columns carry a date and a time field over their text. Only
// the capitalised names the catalogue delivers count, precision aside.
bool isDateTimeColumn(std::string_view deliveredTypeName);
