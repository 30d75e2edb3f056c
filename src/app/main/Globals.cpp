#include "app/main/Globals.h"

void resetGlobalVariables() {
    Glo::ConnectString = "";
    Glo::OwnerFilter = "";
    Glo::TXDFilename = "Clarion.txd";
    Glo::ExternalNames = 0;
    Glo::TablesOnly = 1;
    Glo::Driver = "ODBC";
    Glo::NoRelations = 1;
    Glo::SystemTables = 0;
    Glo::Query.clear();
    Glo::UserName = "";
    Glo::SavedDragFullWindows = 0;
}

SqlIdentifierRules currentIdentifierRules() {
    return ODBCCatalog ? ODBCCatalog->IdentifierRules() : SqlIdentifierRules();
}

SqlStringLiterals currentStringLiterals() {
    return ODBCCatalog ? ODBCCatalog->StringLiterals() : SqlStringLiterals();
}
