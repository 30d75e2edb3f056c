#include "app/txd/SysRelFile.h"

SysRelFile::SysRelFile()
    : file("SYSREL", {&SYSRELRecord::fieldTable(), &rec},
           {"sysrel",
            {"ccolumn", "grbit", "icolumn", "szColumn", "szObject", "szReferencedColumn", "szReferencedObject",
             "szRelationship"}}) {}

SysRelFile SYSREL;
