// The program options the dictionary writer follows, read once per run.
#pragma once

#include <string>

struct TxdOptions {
    std::string driver;          // as the user picked or typed it
    bool oracle = false;         // the driver is exactly "ORACLE"
    bool writeExternalNames = true;
    bool writeSystemTables = false;
    bool writeRelations = false;  // "No relations" cleared

    static TxdOptions fromGlobals();
};
