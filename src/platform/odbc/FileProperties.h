// Property numbers of ODBC files, as the runtime numbers them.
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

// OPEN access mode: read/write, deny write.
constexpr Long kReadWriteDenyWrite = 0x22;

}  // namespace platform
