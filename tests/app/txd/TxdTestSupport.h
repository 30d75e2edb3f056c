// Helpers of the dictionary writer tests: a catalogue connected to a SQLite
// database the test builds, its table list read as the catalogue window reads
// it, and the written file's bytes.
#pragma once

#include "../odbccatalog/CatalogTestSupport.h"
#include "support/SqliteFixture.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string goldenFile(const std::string& name) {
    return fileBytes(std::filesystem::path(__FILE__).parent_path() / "golden" / name);
}

// The program's options at their start values, the catalogue object and the
// connect string on the database, and the dictionary going to the database's
// folder.
class TxdDatabase {
public:
    explicit TxdDatabase(std::string_view sql) : db(sql), on(db.connectString()) {
        resetGlobalVariables();
        ODBCCatalog = on.catalog;
        Glo::ConnectString = db.connectString();
        Glo::TXDFilename = txdPath().string();
    }
    ~TxdDatabase() {
        ODBCCatalog = nullptr;
        resetGlobalVariables();
    }

    // GTQ as the catalogue window leaves it before it writes.
    void readTables() { on.catalog->GetTables(GTQ, Glo::OwnerFilter, Glo::SystemTables, 0, 0, Glo::TablesOnly); }
    std::filesystem::path txdPath() const { return db.directory() / "Clarion.txd"; }
    std::string written() const { return fileBytes(txdPath()); }

    SqliteFixture db;
    CatalogOn on;
};
