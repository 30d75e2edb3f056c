// What the catalogue reads for one table left out or could not read. A
// dictionary is written only from reads that all succeeded: a table whose
// catalogue cannot be read would otherwise be written without its fields or
// keys as if it had none.
#pragma once

#include "app/odbccatalog/LeftOutName.h"
#include "app/txd/TxdOutput.h"

#include <string>
#include <string_view>
#include <vector>

struct CatalogueReads {
    // Names the catalogue queues cannot hold whole: their rows were left out.
    std::vector<LeftOutName> leftOutNames;
    // The driver's message of the first read that failed; empty when all were read.
    std::string failure;

    // Adds what other reads left, or the last read of the catalogue object.
    void take(const CatalogueReads& other);
    void takeLastRead();
    // False, and the output stopped with the reason, when a read of the table failed.
    bool check(TxdOutput& output, std::string_view table) const;
};
