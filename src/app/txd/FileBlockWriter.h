// One table's FILE block: the FILE line, its keys, its record with the fields.
#pragma once

#include "app/txd/DictionaryNumbers.h"
#include "app/txd/TxdOptions.h"
#include "app/txd/TxdOutput.h"
#include "app/txd/TxdTable.h"

#include <string_view>

void WriteFileBlock(TxdOutput& output, DictionaryNumbers& numbers, std::string_view label, const TxdTable& table,
                    const TxdOptions& options);
