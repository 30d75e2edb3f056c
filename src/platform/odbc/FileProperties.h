// Property numbers and access modes of files, as the runtime numbers them.
#pragma once

#include "platform/text/Text.h"

namespace platform {

constexpr Long PROP_SQL = 0x7200;          // SQL text; assigning it executes the statement
constexpr Long PROP_Hdbc = 0x7204;         // ODBC connection handle (read only)
constexpr Long PROP_Hstmt = 0x7205;        // ODBC statement handle of the current statement (read only)
constexpr Long PROP_Disconnect = 0x7245;   // assigning anything ends the connection
constexpr Long PROP_Fields = 0x7312;       // number of fields of the record (read only)
constexpr Long PROP_Owner = 0x7315;        // the owner: the connect string
constexpr Long PROP_Record = 0x734B;       // the record reference; see OdbcFile::record()
// Keyed files: 1 starts the list of files the next LOGOUT takes, 2 adds the
// file to it (chosen here).
constexpr Long PROP_Logout = 0x7E01;

// OPEN access modes: the low nibble is the access, the high one the sharing,
// which the layer does not enforce on Linux (keyed files share through
// SQLite's locks whatever the mode).
constexpr Long kReadOnly = 0x00;
constexpr Long kReadWriteDenyWrite = 0x22;
constexpr Long kReadWriteDenyNone = 0x42;

}  // namespace platform
