// One table's FILE block: the FILE line, its keys, its record with the fields.
#pragma once

#include "app/txd/DictionaryNumbers.h"
#include "app/txd/TablePlan.h"
#include "app/txd/TxdOptions.h"
#include "app/txd/TxdOutput.h"
#include "app/txd/TxdTable.h"

#include <string_view>

// The keys take their labels in the plan's labels.
void WriteFileBlock(TxdOutput& output, DictionaryNumbers& numbers, std::string_view label, const TxdTable& table,
                    TablePlan& plan, const TxdOptions& options);
