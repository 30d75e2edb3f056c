// The catalogue queues and the ODBC file shared by the catalogue, query and
// query-builder windows. Each queue row holds one row of an ODBC catalogue
// result, result column i in field i; fields after the read columns are kept
// by their users (the TXD writer, the query window).
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/odbc/OdbcFile.h"

#include <initializer_list>

// A name the catalogue gives (catalogue, owner, table, column, index, key):
// 128 characters, the longest most data sources allow. The readers leave out
// a row with a longer name rather than keep it cut.
using CatalogName = platform::CString<129>;

#define GTQ_FIELDS(X)                    \
    X(CatalogName, CATALOG)              \
    X(CatalogName, OWNER)                \
    X(CatalogName, TABLENAME)            \
    X(platform::CString<100>, TABLETYPE) \
    X(platform::CString<255>, REMARKS)   \
    X(CatalogName, ORGINALTABLENAME)
struct GTQRecord {
    TABLOOM_RECORD(GTQRecord, "GTQ", GTQ_FIELDS)
    // The name the catalogue knows the table by: the dictionary writer puts
    // its label in TABLENAME and keeps the catalogue's name beside it.
    std::string catalogueName() const;
};

#define GCQ_FIELDS(X)                       \
    X(CatalogName, DATABASE)                \
    X(CatalogName, OWNER)                   \
    X(CatalogName, TABLE)                   \
    X(CatalogName, COLUMNNAME)              \
    X(platform::Long, NCOLUMNTYPE)          \
    X(platform::CString<100>, COLUMNTYPE)   \
    X(platform::Long, COLUMNSIZE)           \
    X(platform::Long, BUFFERLENGTH)         \
    X(platform::Long, DECIMALDIGITS)        \
    X(platform::Long, NUMPRECRADIX)         \
    X(platform::Long, NULLABLE)             \
    X(platform::CString<255>, REMARKS)      \
    X(platform::CString<100>, DEFAULTVALUE) \
    X(platform::Long, SQLDATATYPE)          \
    X(platform::Long, SQLDATETIMESUB)       \
    X(platform::Long, CHAROCTETLENGTH)      \
    X(platform::Long, ORDINALPOSITION)      \
    X(platform::CString<10>, ISNULLABLE)    \
    X(platform::Byte, MARK)
struct GCQRecord {
    TABLOOM_RECORD(GCQRecord, "GCQ", GCQ_FIELDS)
};

#define GIQ_FIELDS(X)                           \
    X(CatalogName, DATABASE)                    \
    X(CatalogName, OWNER)                       \
    X(CatalogName, TABLE)                       \
    X(platform::Byte, NON_UNIQUE)               \
    X(CatalogName, INDEX_QUALIFIER)             \
    X(CatalogName, INDEX_NAME)                  \
    X(platform::Byte, INDEXTYPE)                \
    X(platform::Short, ORDINALPOSITION)         \
    X(CatalogName, COLUMN_NAME)                 \
    X(platform::String<1>, ASC_OR_DESC)         \
    X(platform::Long, CARDINALITY)              \
    X(platform::Long, PAGES)                    \
    X(platform::CString<255>, FILTER_CONDITION) \
    X(platform::Byte, PRIMARYKEY)
struct GIQRecord {
    TABLOOM_RECORD(GIQRecord, "GIQ", GIQ_FIELDS)
};

#define GPQ_FIELDS(X)                  \
    X(CatalogName, DATABASE)           \
    X(CatalogName, OWNER)              \
    X(CatalogName, TABLE)              \
    X(CatalogName, COLUMNNAME)         \
    X(platform::Long, ORDINALPOSITION) \
    X(CatalogName, INDEX_NAME)
struct GPQRecord {
    TABLOOM_RECORD(GPQRecord, "GPQ", GPQ_FIELDS)
};

#define GFQ_FIELDS(X)                        \
    X(CatalogName, PKTABLE_CAT)              \
    X(CatalogName, PKTABLE_SCHEM)            \
    X(CatalogName, PKTABLE_NAME)             \
    X(CatalogName, PKCOLUMN_NAME)            \
    X(CatalogName, FKTABLE_CAT)              \
    X(CatalogName, FKTABLE_SCHEM)            \
    X(CatalogName, FKTABLE_NAME)             \
    X(CatalogName, FKCOLUMN_NAME)            \
    X(platform::CString<100>, KEY_SEQ)       \
    X(platform::CString<100>, UPDATE_RULE)   \
    X(platform::CString<100>, DELETE_RULE)   \
    X(CatalogName, FK_NAME)                  \
    X(CatalogName, PK_NAME)                  \
    X(platform::CString<100>, DEFERRABILITY)
struct GFQRecord {
    TABLOOM_RECORD(GFQRecord, "GFQ", GFQ_FIELDS)
};

// The table lists of the query window and the query builder: the owner beside
// each table, so that tables of one name in several schemas are told apart.
inline constexpr const char* kTableListFormat = "70L(2)|M~Table~@s255@?#3#1020L(2)|M~Owner~@s128@#2#";

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
