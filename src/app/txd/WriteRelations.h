// The "[RELATIONS]" section: one MANY:ONE relation per SRQ row, naming both
// tables, a key of each and the two fields as their FILE blocks name them.
//
// Left out: a relation of a table to itself, and one whose tables are not
// both in the dictionary with at least one named key each (it could name no
// key of the FILE block). Leaves GPQ and GIQ holding the indexes of the last
// table read. A read that fails stops the output (see CatalogueReads).
#pragma once

#include "app/odbccatalog/CatalogReadAhead.h"
#include "app/txd/DictionaryTables.h"
#include "app/txd/RelationQueue.h"
#include "app/txd/TxdOutput.h"
#include "app/txd/TxdProgress.h"

void WriteRelations(TxdOutput& output, const RelationQueue& srq, const DictionaryTables& tables, CatalogReadAhead& catalogue,
                    const TxdProgress& progress);
