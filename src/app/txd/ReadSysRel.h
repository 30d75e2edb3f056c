// The column pairs of the relationships table "sysrel" on the connection, one
// SRQ row per table row; no rows when the table cannot be read. The file's
// connection ends with the read, so no second connection stays open.
#pragma once

#include "app/txd/RelationQueue.h"

void ReadSysRel(RelationQueue& srq);
