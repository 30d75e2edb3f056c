// The labels that fields and keys get in their FILE block, for the lines
// that refer to them from elsewhere in the dictionary.
#pragma once

#include "app/txd/TxdOptions.h"

#include <string>
#include <string_view>

// The field of a catalogue column (under ORACLE after the column's renaming).
std::string FieldLabel(std::string_view columnName, const TxdOptions& options);
// The key of an index (under ORACLE upper-cased and cut).
std::string KeyLabel(std::string_view indexName, const TxdOptions& options);
