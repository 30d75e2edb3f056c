// Values as the keyed files store them in SQLite: numbers as INTEGER or REAL,
// never through text; texts as BLOBs of their bytes, so NUL and 80h-FFh
// round-trip. A STRING is stored without its trailing blanks (reading pads it
// again, so any bytes come back); a CSTRING up to its terminator.
#pragma once

#include "platform/data/FieldTable.h"

#include <cstdint>
#include <string>
#include <variant>

namespace platform {

using ColumnValue = std::variant<std::int64_t, double, std::string>;

// The declared type of a field's column: INTEGER, REAL or BLOB.
const char* sqlType(FieldType type);
// The field's stored value, put into `into` (whose storage is reused).
void storeValue(const FieldInfo& field, const void* record, ColumnValue& into);
// Puts the bytes into `into`, reusing its storage.
void assignBytes(ColumnValue& into, std::string_view bytes);

}  // namespace platform
