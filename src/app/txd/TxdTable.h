// The table whose block is being written: its name as the catalogue gave it,
// its owner (schema) and its prefix.
#pragma once

#include <string>

struct TxdTable {
    std::string catalogueName;
    std::string owner;
    std::string prefix;
};
