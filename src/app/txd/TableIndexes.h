// The indexes of one table as the dictionary uses them: GPQ gets the primary
// key's columns and GIQ the index rows, with cleaned index names, without the
// table's statistics row, and with PRIMARYKEY set on the rows of the index
// that has the primary key's (cleaned) name. An index named like its column
// (as a server names one it was given no name for) is an index like any other.
#pragma once

#include "app/odbccatalog/CatalogReadAhead.h"
#include "app/txd/CatalogueReads.h"

#include <string_view>

CatalogueReads ReadTableIndexes(CatalogReadAhead& catalogue, std::string_view table, std::string_view owner);
// The same over the rows GPQ and GIQ hold already.
void PrepareIndexRows();
