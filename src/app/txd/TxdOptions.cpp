#include "app/txd/TxdOptions.h"

#include "app/main/Globals.h"
#include "app/txd/OracleNames.h"

TxdOptions TxdOptions::fromGlobals() {
    TxdOptions options;
    options.driver = Glo::Driver.str();
    options.oracle = isOracleDriver(options.driver);
    options.writeExternalNames = Glo::ExternalNames != 1;
    options.writeSystemTables = Glo::SystemTables != 0;
    options.writeRelations = Glo::NoRelations == 0;
    return options;
}
