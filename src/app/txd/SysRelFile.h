// SYSREL: the relationships table "sysrel" on the connection (Access keeps its
// relations in a table of this layout), read as a file over that table with
// the connect string as its owner. The three numbers are kept but not used;
// they are 6-byte packed decimals, whole numbers of up to 11 digits, which a
// REAL holds exactly.
#pragma once

#include "platform/odbc/OdbcFile.h"
#include "platform/text/Text.h"

struct SYSRELRecord {
    platform::Real CCOLUMN = 0;
    platform::Real GRBIT = 0;
    platform::Real ICOLUMN = 0;
    platform::CString<256> SZCOLUMN;            // the column that holds the foreign key
    platform::CString<256> SZOBJECT;            // its table, the MANY side
    platform::CString<256> SZREFERENCEDCOLUMN;  // the column it refers to
    platform::CString<256> SZREFERENCEDOBJECT;  // that column's table, the ONE side
    platform::CString<256> SZRELATIONSHIP;      // the relationship's name
    static const platform::FieldTable& fieldTable();
};

struct SysRelFile {
    SysRelFile();

    SYSRELRecord rec;
    platform::OdbcFile file;
};

extern SysRelFile SYSREL;
