#include "app/txd/SysRelFile.h"

using platform::field;

const platform::FieldTable& SYSRELRecord::fieldTable() {
    using R = SYSRELRecord;
    static const platform::FieldTable table{{
        field("SYSREL:CCOLUMN", &R::CCOLUMN),
        field("SYSREL:GRBIT", &R::GRBIT),
        field("SYSREL:ICOLUMN", &R::ICOLUMN),
        field("SYSREL:SZCOLUMN", &R::SZCOLUMN),
        field("SYSREL:SZOBJECT", &R::SZOBJECT),
        field("SYSREL:SZREFERENCEDCOLUMN", &R::SZREFERENCEDCOLUMN),
        field("SYSREL:SZREFERENCEDOBJECT", &R::SZREFERENCEDOBJECT),
        field("SYSREL:SZRELATIONSHIP", &R::SZRELATIONSHIP),
    }};
    return table;
}

SysRelFile::SysRelFile()
    : file("SYSREL", {&SYSRELRecord::fieldTable(), &rec},
           {"sysrel",
            {"ccolumn", "grbit", "icolumn", "szColumn", "szObject", "szReferencedColumn", "szReferencedObject",
             "szRelationship"}}) {}

SysRelFile SYSREL;
