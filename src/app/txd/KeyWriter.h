// The key lines of a table: one KEY per index, its components in the order
// the catalogue lists the index's columns. Keys never carry external names.
#pragma once

#include "app/txd/DictionaryNumbers.h"
#include "app/txd/TxdOptions.h"
#include "app/txd/TxdOutput.h"
#include "app/txd/TxdTable.h"

// Reads the table's indexes, then writes their keys.
void WriteKeys(TxdOutput& output, DictionaryNumbers& numbers, const TxdTable& table, const TxdOptions& options);
// The keys of the index rows GIQ holds (as ReadTableIndexes leaves them).
void WriteKeyLines(TxdOutput& output, DictionaryNumbers& numbers, const TxdTable& table, const TxdOptions& options);
