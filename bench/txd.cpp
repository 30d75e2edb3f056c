// The dictionary writer on a SQLite database of 2,000 tables, against the
// catalogue calls it makes (the columns, index statistics and primary keys of
// every table) made bare through ODBC. The writer should add less than 10%.
// The same calls through ODBCCatalogClass alone are timed too, to tell the
// class's share from the writer's own.
//
// The tables form a chain of foreign keys: the dictionary with its 1,999
// relations should take less than twice the time of the one without.
#include "SqliteCatalogBench.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/odbccatalog/ODBCCatalogClass.h"
#include "app/txd/WriteTXD.h"
#include "platform/odbc/FileProperties.h"

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace bench;

namespace {

constexpr int kRounds = 3;

double bareDetails(SQLHDBC connection, const std::vector<std::string>& tables) {
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& table : tables) bareTableDetails(connection, table);
    return seconds(start);
}

double classDetails() {
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 1; i <= GTQ.records(); ++i) {
        const std::string table = GTQ.at(i).TABLENAME.str();
        ODBCCatalog->GetPrimaryKeys(GPQ, table);
        ODBCCatalog->GetStatistics(GIQ, table, 1);
        ODBCCatalog->GetColumns(GCQ, table);
    }
    return seconds(start);
}

double writer(platform::Byte noRelations) {
    Glo::NoRelations = noRelations;
    const auto start = std::chrono::steady_clock::now();
    WriteTXD();
    return seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    setenv("TXD_VIEWER", "true", 1);
    char pattern[] = "/tmp/tabloom-bench-XXXXXX";
    const std::filesystem::path directory = mkdtemp(pattern);
    const std::string path = (directory / "catalog.db").string();
    buildDatabase(path, true);
    const std::string connect = "DRIVER=SQLite3;Database=" + path + ";";

    const BareConnection connection(connect);
    std::size_t tableRows = 0;
    const std::vector<std::string> tables = bareTables(connection.handle(), tableRows);

    platform::OdbcFile file("ODBCFILE");
    file.setProperty(platform::PROP_Owner, connect);
    ODBCCatalog = new ODBCCatalogClass;
    ODBCCatalog->Init(file);
    ODBCCatalog->GetTables(GTQ, "", 1, 1, 1, 0);
    Glo::TXDFilename = (directory / "Clarion.txd").string();

    // Best of several rounds, alternating, so both see the same warm caches.
    double bare = 1e9, viaClass = 1e9, written = 1e9, withRelations = 1e9;
    std::uintmax_t dictionarySize = 0;
    for (int round = 0; round < kRounds; ++round) {
        bare = std::min(bare, bareDetails(connection.handle(), tables));
        viaClass = std::min(viaClass, classDetails());
        written = std::min(written, writer(1));
        dictionarySize = std::filesystem::file_size(directory / "Clarion.txd");
        withRelations = std::min(withRelations, writer(0));
    }
    std::printf("bare ODBC calls: %.3f s (%zu tables)\n", bare, tables.size());
    std::printf("the same through ODBCCatalogClass: %.3f s (ratio %.3f)\n", viaClass, viaClass / bare);
    std::printf("WriteTXD: %.3f s (%zu tables, %ju bytes)\n", written, GTQ.records(),
                static_cast<std::uintmax_t>(dictionarySize));
    std::printf("ratio: %.3f (target < 1.10)\n", written / bare);
    std::printf("WriteTXD with relations: %.3f s (%zu relations, %ju bytes)\n", withRelations,
                relationsIn(bytesOf(directory / "Clarion.txd")),
                static_cast<std::uintmax_t>(std::filesystem::file_size(directory / "Clarion.txd")));
    std::printf("relations ratio: %.3f (target < 2)\n", withRelations / written);

    ODBCCatalogClass::Dispose(ODBCCatalog);
    std::filesystem::remove_all(directory);
    return tables.size() == GTQ.records() ? 0 : 1;
}
