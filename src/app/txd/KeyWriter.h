// The key lines of a table: one KEY per index, its components in the order
// the catalogue lists the index's columns. Keys never carry external names.
#pragma once

#include "app/txd/DictionaryLabels.h"
#include "app/txd/DictionaryNumbers.h"
#include "app/txd/TxdOptions.h"
#include "app/txd/TxdOutput.h"
#include "app/txd/TxdTable.h"

// The keys of the index rows GIQ holds (as ReadTableIndexes leaves them);
// each key takes its label in `labels`, and its components name the fields
// as `labels` gave them.
void WriteKeys(TxdOutput& output, DictionaryNumbers& numbers, const TxdTable& table, TableLabels& labels,
               const TxdOptions& options);
