// The indexes of one table as the dictionary uses them: GPQ gets the primary
// key's columns and GIQ the index rows, with cleaned index names, without the
// table's statistics row, and with PRIMARYKEY set on the rows of the index
// that has the primary key's (cleaned) name.
#pragma once

#include <string_view>

void ReadTableIndexes(std::string_view table, std::string_view owner);
// The same over the rows GPQ and GIQ hold already.
void PrepareIndexRows();
