// The dictionary's relations, after its last FILE block: the column pairs of
// the catalogue's foreign keys, or, when no table has one, those of the
// relationships table "sysrel". Without any pair nothing is written, not even
// the section's heading.
#pragma once

#include "app/odbccatalog/CatalogReadAhead.h"
#include "app/txd/DictionaryTables.h"
#include "app/txd/TxdOutput.h"
#include "app/txd/TxdProgress.h"

// The catalogue is read through `reads`.
void WriteRelationSection(TxdOutput& output, const DictionaryTables& tables, CatalogReadAhead& catalogue,
                          const TxdProgress& progress);
