// A full catalogue read (tables, then the columns, index statistics and
// primary keys of every table) of a SQLite database of 2,000 tables, through
// ODBCCatalogClass and through the same ODBC calls made directly. The class,
// which hands each catalogue call to the layer's worker as the program does,
// should add less than 10% to the bare calls.
#include "SqliteCatalogBench.h"

#include "app/odbccatalog/CatalogQueues.h"
#include "app/odbccatalog/ODBCCatalogClass.h"
#include "platform/odbc/FileProperties.h"

#include <QCoreApplication>

#include <algorithm>
#include <filesystem>

using namespace bench;

namespace {

constexpr int kRounds = 3;

double bareRead(SQLHDBC connection, std::size_t& rows) {
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& table : bareTables(connection, rows)) rows += bareTableDetails(connection, table);
    return seconds(start);
}

double classRead(ODBCCatalogClass& catalog, std::size_t& rows) {
    const auto start = std::chrono::steady_clock::now();
    catalog.GetTables(GTQ, "", 1, 1, 1, 0);
    rows = GTQ.records();
    for (std::size_t i = 1; i <= GTQ.records(); ++i) {
        const std::string table = GTQ.at(i).TABLENAME.str();
        catalog.GetColumns(GCQ, table);
        catalog.GetStatistics(GIQ, table, 1);
        catalog.GetPrimaryKeys(GPQ, table);
        rows += GCQ.records() + GIQ.records() + GPQ.records();
    }
    return seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    // As in the program: the driver calls are handed to the layer's worker.
    QCoreApplication application(argc, argv);
    char pattern[] = "/tmp/tabloom-bench-XXXXXX";
    const std::filesystem::path directory = mkdtemp(pattern);
    const std::string path = (directory / "catalog.db").string();
    const auto buildStart = std::chrono::steady_clock::now();
    buildDatabase(path);
    std::printf("built %d tables in %.2f s\n", kTables, seconds(buildStart));
    const std::string connect = "DRIVER=SQLite3;Database=" + path + ";";

    const BareConnection connection(connect);

    platform::OdbcFile file("ODBCFILE");
    file.setProperty(platform::PROP_Owner, connect);
    ODBCCatalogClass catalog;
    catalog.Init(file);

    // Best of several rounds, alternating, so both see the same warm caches.
    double bare = 1e9, viaClass = 1e9;
    std::size_t bareRows = 0, classRows = 0;
    for (int round = 0; round < kRounds; ++round) {
        bare = std::min(bare, bareRead(connection.handle(), bareRows));
        viaClass = std::min(viaClass, classRead(catalog, classRows));
    }
    std::printf("bare ODBC calls: %.3f s (%zu rows)\n", bare, bareRows);
    std::printf("ODBCCatalogClass: %.3f s (%zu rows)\n", viaClass, classRows);
    std::printf("ratio: %.3f (target < 1.10)\n", viaClass / bare);

    std::filesystem::remove_all(directory);
    return bareRows == classRows ? 0 : 1;
}
