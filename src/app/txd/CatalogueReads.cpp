#include "app/txd/CatalogueReads.h"

#include "app/main/Globals.h"

void CatalogueReads::take(const CatalogueReads& other) {
    leftOutNames.insert(leftOutNames.end(), other.leftOutNames.begin(), other.leftOutNames.end());
    if (failure.empty()) failure = other.failure;
}

void CatalogueReads::takeLastRead() { take({ODBCCatalog->LeftOutNames, ODBCCatalog->ReadFailure}); }

bool CatalogueReads::check(TxdOutput& output, std::string_view table) const {
    if (failure.empty()) return true;
    output.fail("The catalogue of the table " + std::string(table) + " could not be read: " + failure);
    return false;
}
