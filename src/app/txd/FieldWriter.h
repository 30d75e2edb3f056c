// The field lines of a table: one field per catalogue column (IMAGE columns
// are left out), date-and-time columns with a group of a date and a time
// field over them.
#pragma once

#include "app/txd/DictionaryNumbers.h"
#include "app/txd/TablePlan.h"
#include "app/txd/TxdOptions.h"
#include "app/txd/TxdOutput.h"

#include <vector>

void WriteColumns(TxdOutput& output, DictionaryNumbers& numbers, const std::vector<PlannedField>& fields,
                  const TxdOptions& options);
