// The column pairs of the foreign keys that refer to the dictionary's tables,
// from the ODBC catalogue: one SRQ row per pair, a pair the catalogue reports
// more than once added once.
#pragma once

#include "app/txd/DictionaryTables.h"
#include "app/txd/RelationQueue.h"

void CollectForeignKeys(RelationQueue& srq, const DictionaryTables& tables);
