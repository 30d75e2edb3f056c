// SYSREL: the relationships table "sysrel" on the connection (Access keeps its
// relations in a table of this layout), read as a file over that table with
// the connect string as its owner. The three numbers are kept but not used;
// they are 6-byte packed decimals, whole numbers of up to 11 digits, which a
// REAL holds exactly.
#pragma once

#include "platform/data/Record.h"
#include "platform/odbc/OdbcFile.h"
#include "platform/text/Text.h"

// SZCOLUMN holds the foreign key, SZOBJECT is its table (the MANY side),
// SZREFERENCEDCOLUMN the column it refers to, SZREFERENCEDOBJECT that
// column's table (the ONE side), SZRELATIONSHIP the relationship's name.
#define SYSREL_FIELDS(X)                          \
    X(platform::Real, CCOLUMN)                    \
    X(platform::Real, GRBIT)                      \
    X(platform::Real, ICOLUMN)                    \
    X(platform::CString<256>, SZCOLUMN)           \
    X(platform::CString<256>, SZOBJECT)           \
    X(platform::CString<256>, SZREFERENCEDCOLUMN) \
    X(platform::CString<256>, SZREFERENCEDOBJECT) \
    X(platform::CString<256>, SZRELATIONSHIP)
struct SYSRELRecord {
    TABLOOM_RECORD(SYSRELRecord, "SYSREL", SYSREL_FIELDS)
};

struct SysRelFile {
    SysRelFile();

    SYSRELRecord rec;
    platform::OdbcFile file;
};

extern SysRelFile SYSREL;
