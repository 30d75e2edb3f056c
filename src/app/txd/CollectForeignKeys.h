// The column pairs of the foreign keys between the dictionary's tables, from
// the ODBC catalogue: one SRQ row per pair, a pair the catalogue reports more
// than once added once.
//
// Each table is asked for the foreign keys it holds, which drivers answer at
// once (asked for the keys that refer to a table, SQLite's driver reads every
// table); the pairs are then put in the order of the referenced tables'
// blocks, and for one referenced table in the order of the referring tables'
// blocks, each table's pairs in the order the catalogue gave them. A pair
// whose referenced table has no block is left out, as is one from a table
// without a block, which is never asked.
//
// A read that fails stops the output (see CatalogueReads).
#pragma once

#include "app/odbccatalog/CatalogReadAhead.h"
#include "app/txd/DictionaryTables.h"
#include "app/txd/RelationQueue.h"
#include "app/txd/TxdOutput.h"
#include "app/txd/TxdProgress.h"

void CollectForeignKeys(RelationQueue& srq, const DictionaryTables& tables, CatalogReadAhead& catalogue, TxdOutput& output,
                        const TxdProgress& progress);
