// The dictionary of a remote database: 2,000 tables of 10 columns, each with
// a primary key, two indexes and a foreign key to the one before it, in a
// PostgreSQL server the benchmark starts (scripts/postgres.sh, on a folder of
// its own), written with and without relations, reached directly (its Unix
// socket) and through a link of 5 ms each way (a delaying proxy on
// 127.0.0.1), with the writer reading on its own connection alone
// (TABLOOM_CATALOG_CONNECTIONS=1) and with its pool.
//
// Targets: through the link with the pool, at most twice the direct time of
// the single connection; directly with the pool, no slower than that. Every
// dictionary must be the same, byte for byte, for the same relations option.
//
// Arguments: more connection counts to time through the link (such as 4 16),
// to choose the pool's size by.
#include "DelayingProxy.h"
#include "SqliteCatalogBench.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/odbccatalog/CatalogReadAhead.h"
#include "app/odbccatalog/ODBCCatalogClass.h"
#include "app/txd/WriteTXD.h"
#include "platform/odbc/FileProperties.h"

#include <QCoreApplication>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

using namespace bench;

namespace {

constexpr int kLinkTables = 2000;
constexpr int kLinkColumns = 10;
constexpr std::chrono::milliseconds kOneWay{5};
constexpr int kRounds = 3;
const std::string kServerScript = TABLOOM_SOURCE_DIR "/scripts/postgres.sh";

// A server of the benchmark's own, stopped and removed with the object.
class Server {
public:
    explicit Server(std::filesystem::path root) : root_(std::move(root)) {
        if (!run("start")) std::exit(1);
        std::string connect = bytesOf(root_ / "connect");
        while (!connect.empty() && connect.back() == '\n') connect.pop_back();
        connect_ = connect;
    }
    ~Server() { run("stop"); }

    // Through its Unix socket.
    const std::string& connectString() const { return connect_; }
    // Through the proxy's port.
    std::string connectStringAt(int port) const {
        return "DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=" + std::to_string(port) +
               ";DATABASE=tabloom_test;UID=postgres;SSLMODE=disable;";
    }
    std::string socketPath() const { return (root_ / ".s.PGSQL.").string() + kPort; }

private:
    static constexpr const char* kPort = "54398";

    bool run(const char* command) const {
        const std::string line = "TABLOOM_PG_ROOT='" + root_.string() + "' TABLOOM_PG_PORT=" + kPort + " sh '" +
                                 kServerScript + "' " + command + " >/dev/null";
        return std::system(line.c_str()) == 0;
    }

    std::filesystem::path root_;
    std::string connect_;
};

void buildSchema(const std::string& connect) {
    const BareConnection connection(connect);
    const auto run = [&](const std::string& sql) {
        SQLHSTMT statement;
        SQLAllocHandle(SQL_HANDLE_STMT, connection.handle(), &statement);
        if (!SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                                         SQL_NTS))) {
            std::fprintf(stderr, "cannot build the schema\n");
            std::exit(1);
        }
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
    };
    run("CREATE SCHEMA bench");
    std::string batch;
    for (int t = 0; t < kLinkTables; ++t) {
        for (const std::string& statement : tableStatements(t, kLinkColumns, true, "bench.")) batch += statement + ";";
        if (t % 100 == 99) run(std::exchange(batch, {}));
    }
    if (!batch.empty()) run(batch);
}

// One write of the schema's dictionary, its table list read first as the
// catalogue window reads it; the seconds the writer took.
double writeOnce(const std::string& connect, int connections, platform::Byte noRelations, std::string& dictionary) {
    setenv("TABLOOM_CATALOG_CONNECTIONS", std::to_string(connections).c_str(), 1);
    platform::OdbcFile file("ODBCFILE");
    file.setProperty(platform::PROP_Owner, connect);
    ODBCCatalog = new ODBCCatalogClass;
    ODBCCatalog->Init(file);
    Glo::ConnectString = connect;
    Glo::NoRelations = noRelations;
    ODBCCatalog->GetTables(GTQ, "bench", 0, 0, 0, 1);
    const auto start = std::chrono::steady_clock::now();
    WriteTXD();
    const double taken = seconds(start);
    ODBCCatalogClass::Dispose(ODBCCatalog);
    dictionary = bytesOf(platform::clip(Glo::TXDFilename));
    return taken;
}

struct Times {
    double withoutRelations = 1e9;
    double withRelations = 1e9;
};

class Runs {
public:
    // The best of `rounds` writes each way.
    Times time(const std::string& connect, int connections, int rounds) {
        Times best;
        for (int round = 0; round < rounds; ++round) {
            best.withoutRelations = std::min(best.withoutRelations, write(connect, connections, 1));
            best.withRelations = std::min(best.withRelations, write(connect, connections, 0));
        }
        return best;
    }
    bool allSame() const { return same_; }
    std::size_t relations() const { return relationsIn(first_.at(0)); }
    std::size_t files() const {
        std::size_t count = 0;
        const std::string& dictionary = first_.at(1);
        for (std::size_t at = dictionary.find(",USAGE(File)"); at != std::string::npos;
             at = dictionary.find(",USAGE(File)", at + 1))
            ++count;
        return count;
    }

private:
    double write(const std::string& connect, int connections, platform::Byte noRelations) {
        std::string dictionary;
        const double taken = writeOnce(connect, connections, noRelations, dictionary);
        const auto [kept, added] = first_.try_emplace(noRelations, dictionary);
        if (!added && kept->second != dictionary) same_ = false;
        return taken;
    }

    std::map<platform::Byte, std::string> first_;
    bool same_ = true;
};

Times print(const std::string& what, Times times) {
    std::printf("%-34s %10.2f s %10.2f s\n", what.c_str(), times.withoutRelations, times.withRelations);
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    // Each time as it is measured: the whole run takes minutes.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    setenv("TXD_VIEWER", "true", 1);
    char pattern[] = "/tmp/tabloom-txdlatency-XXXXXX";
    const std::filesystem::path directory = mkdtemp(pattern);
    std::filesystem::permissions(directory, std::filesystem::perms::owner_all | std::filesystem::perms::group_exec |
                                                std::filesystem::perms::others_exec);
    Glo::TXDFilename = (directory / "Clarion.txd").string();
    int status = 0;
    {
        const Server server(directory / "server");
        const auto buildStart = std::chrono::steady_clock::now();
        buildSchema(server.connectString());
        std::printf("built %d tables in %.1f s\n", kLinkTables, seconds(buildStart));
        const DelayingProxy link(server.socketPath(), kOneWay);
        const std::string remote = server.connectStringAt(link.port());
        const int pool = CatalogReadAhead::connections();

        std::printf("%-34s %12s %12s\n", "the writer's best time", "no relations", "relations");
        Runs runs;
        const Times directSingle = print("direct, 1 connection", runs.time(server.connectString(), 1, kRounds));
        const Times directPool =
            print("direct, " + std::to_string(pool) + " connections", runs.time(server.connectString(), pool, kRounds));
        const Times remotePool =
            print("10 ms link, " + std::to_string(pool) + " connections", runs.time(remote, pool, kRounds));
        for (int i = 1; i < argc; ++i)
            print("10 ms link, " + std::string(argv[i]) + " connections", runs.time(remote, std::atoi(argv[i]), 1));
        print("10 ms link, 1 connection", runs.time(remote, 1, 1));
        std::printf("%zu tables, %zu relations; link: %lld ms each way\n", runs.files(), runs.relations(),
                    static_cast<long long>(kOneWay.count()));
        std::printf("link with the pool / direct single: %.2f, %.2f (target <= 2)\n",
                    remotePool.withoutRelations / directSingle.withoutRelations,
                    remotePool.withRelations / directSingle.withRelations);
        std::printf("direct with the pool / direct single: %.2f, %.2f (target <= 1)\n",
                    directPool.withoutRelations / directSingle.withoutRelations,
                    directPool.withRelations / directSingle.withRelations);
        std::printf("dictionaries byte for byte the same: %s\n", runs.allSame() ? "yes" : "NO");
        status = runs.allSame() ? 0 : 1;
    }
    std::filesystem::remove_all(directory);
    return status;
}
