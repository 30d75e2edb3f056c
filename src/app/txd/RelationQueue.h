// SRQ: the column pairs of the relations, one row each, in the layout of the
// SYSREL record; a pair from the catalogue also carries the schema of each
// side, so that each table is read in its own schema.
#pragma once

#include "platform/data/Queue.h"
#include "platform/text/Text.h"

struct SRQRecord {
    platform::Real CCOLUMN = 0;
    platform::Real GRBIT = 0;
    platform::Real ICOLUMN = 0;
    platform::CString<256> SZCOLUMN;
    platform::CString<256> SZOBJECT;
    platform::CString<256> SZREFERENCEDCOLUMN;
    platform::CString<256> SZREFERENCEDOBJECT;
    platform::CString<256> SZRELATIONSHIP;
    platform::CString<100> OBJECTOWNER;            // empty: any schema
    platform::CString<100> REFERENCEDOBJECTOWNER;  // empty: any schema
    static const platform::FieldTable& fieldTable();
};

using RelationQueue = platform::Queue<SRQRecord>;
