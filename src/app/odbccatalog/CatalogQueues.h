// The catalogue queues and the ODBC file shared by the catalogue, query and
// query-builder windows. Each queue row holds one row of an ODBC catalogue
// result, result column i in field i; fields after the read columns are kept
// by their users (the TXD writer, the query window).
#pragma once

#include "platform/data/Queue.h"
#include "platform/odbc/OdbcFile.h"

#include <initializer_list>

struct GTQRecord {
    platform::CString<100> CATALOG;
    platform::CString<100> OWNER;
    platform::CString<100> TABLENAME;
    platform::CString<100> TABLETYPE;
    platform::CString<255> REMARKS;
    platform::CString<100> ORGINALTABLENAME;
    static const platform::FieldTable& fieldTable();

    // The name the catalogue knows the table by: the dictionary writer puts
    // its label in TABLENAME and keeps the catalogue's name beside it.
    std::string catalogueName() const;
};

struct GCQRecord {
    platform::CString<100> DATABASE;
    platform::CString<100> OWNER;
    platform::CString<100> TABLE;
    platform::CString<100> COLUMNNAME;
    platform::Long NCOLUMNTYPE = 0;
    platform::CString<100> COLUMNTYPE;
    platform::Long COLUMNSIZE = 0;
    platform::Long BUFFERLENGTH = 0;
    platform::Long DECIMALDIGITS = 0;
    platform::Long NUMPRECRADIX = 0;
    platform::Long NULLABLE = 0;
    platform::CString<255> REMARKS;
    platform::CString<100> DEFAULTVALUE;
    platform::Long SQLDATATYPE = 0;
    platform::Long SQLDATETIMESUB = 0;
    platform::Long CHAROCTETLENGTH = 0;
    platform::Long ORDINALPOSITION = 0;
    platform::CString<10> ISNULLABLE;
    platform::Byte MARK = 0;
    static const platform::FieldTable& fieldTable();
};

struct GIQRecord {
    platform::CString<100> DATABASE;
    platform::CString<100> OWNER;
    platform::CString<100> TABLE;
    platform::Byte NON_UNIQUE = 0;
    platform::CString<100> INDEX_QUALIFIER;
    platform::CString<100> INDEX_NAME;
    platform::Byte INDEXTYPE = 0;
    platform::Short ORDINALPOSITION = 0;
    platform::CString<100> COLUMN_NAME;
    platform::String<1> ASC_OR_DESC;
    platform::Long CARDINALITY = 0;
    platform::Long PAGES = 0;
    platform::CString<255> FILTER_CONDITION;
    platform::Byte PRIMARYKEY = 0;
    static const platform::FieldTable& fieldTable();
};

struct GPQRecord {
    platform::CString<100> DATABASE;
    platform::CString<100> OWNER;
    platform::CString<100> TABLE;
    platform::CString<100> COLUMNNAME;
    platform::Long ORDINALPOSITION = 0;
    platform::CString<100> INDEX_NAME;
    static const platform::FieldTable& fieldTable();
};

struct GFQRecord {
    platform::CString<100> PKTABLE_CAT;
    platform::CString<100> PKTABLE_SCHEM;
    platform::CString<100> PKTABLE_NAME;
    platform::CString<100> PKCOLUMN_NAME;
    platform::CString<100> FKTABLE_CAT;
    platform::CString<100> FKTABLE_SCHEM;
    platform::CString<100> FKTABLE_NAME;
    platform::CString<100> FKCOLUMN_NAME;
    platform::CString<100> KEY_SEQ;
    platform::CString<100> UPDATE_RULE;
    platform::CString<100> DELETE_RULE;
    platform::CString<100> FK_NAME;
    platform::CString<100> PK_NAME;
    platform::CString<100> DEFERRABILITY;
    static const platform::FieldTable& fieldTable();
};

extern platform::Queue<GTQRecord> GTQ;
extern platform::Queue<GCQRecord> GCQ;
extern platform::Queue<GIQRecord> GIQ;
extern platform::Queue<GPQRecord> GPQ;
extern platform::Queue<GFQRecord> GFQ;
// No owner in its declaration: Connect gives it the connect string.
extern platform::OdbcFile ODBCFILE;

// GET(GTQ, 1). Without a first table the buffer is cleared: a row the table
// filters dropped would otherwise stay behind as the current table.
bool takeFirstTable();

// FREE and CLEAR of each queue: what a window shows when there is nothing to read from.
void emptyQueues(std::initializer_list<platform::QueueBase*> queues);
