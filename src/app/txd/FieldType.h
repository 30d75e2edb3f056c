// The dictionary field type of a catalogue column, from its SQL type name,
// size and decimal digits, and, for a name the type table does not know,
// from its ODBC data type.
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

struct TxdFieldType {
    std::string text;
    // A date-and-time column: a group of a DATE and a TIME field lies over it.
    bool dateTimeGroup = false;
};

// None for a column that is left out of the dictionary (IMAGE). A type name
// with its precision, NAME(p) or NAME(p,s), counts as NAME of size p and s
// decimals; exact integer types have no decimals whatever the catalogue says.
//
// Every type is a valid one: a PDECIMAL has 1 to 31 digits and no more
// decimals than digits (a numeric reported without a precision gets 31, one
// wider keeps its decimals within 31), and a STRING or CSTRING of a
// character or binary column reported without a size holds long text as the
// TEXT row does.
std::optional<TxdFieldType> FieldTypeFor(const ColumnType& column, bool oracle);
