// Helpers of the dictionary writer tests: a catalogue connected to a SQLite
// database the test builds, its table list read as the catalogue window reads
// it, and the written file's bytes.
#pragma once

#include "support/RecordingViewer.h"
#include "../odbccatalog/CatalogTestSupport.h"
#include "support/SqliteFixture.h"

#include "app/main/Globals.h"
#include "app/odbccatalog/CatalogQueues.h"
#include "app/txd/WriteTXD.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline std::string goldenFile(const std::string& name) {
    return fileBytes(std::filesystem::path(TABLOOM_SOURCE_DIR) / "tests/app/txd/golden" / name);
}

// The writer reads on this many connections while the object lives (the
// variable as it was before comes back afterwards).
class CatalogConnections {
public:
    explicit CatalogConnections(int count) {
        if (const char* before = std::getenv(kVariable)) before_ = before;
        setenv(kVariable, std::to_string(count).c_str(), 1);
    }
    ~CatalogConnections() {
        if (before_)
            setenv(kVariable, before_->c_str(), 1);
        else
            unsetenv(kVariable);
    }
    CatalogConnections(const CatalogConnections&) = delete;
    CatalogConnections& operator=(const CatalogConnections&) = delete;

private:
    static constexpr const char* kVariable = "TABLOOM_CATALOG_CONNECTIONS";
    std::optional<std::string> before_;
};

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

// The writer on the connection of a test server that scripts/test.sh starts
// (its connect string in `variable`); skipped without it. The dictionary goes
// to a folder of its own.
class TxdServerTest : public ::testing::Test {
protected:
    // `more` follows the server's connect string.
    explicit TxdServerTest(const char* variable, std::string more = "") : variable_(variable), more_(std::move(more)) {}

    void SetUp() override {
        const std::string server = testServer(variable_);
        if (server.empty()) GTEST_SKIP() << variable_ << " is not set; scripts/test.sh starts the server and sets it";
        connect = server + more_;
        resetGlobalVariables();
        on = std::make_unique<CatalogOn>(connect);
        ODBCCatalog = on->catalog;
        Glo::ConnectString = connect;
        Glo::TXDFilename = txdPath().string();
    }
    void TearDown() override {
        ODBCCatalog = nullptr;
        resetGlobalVariables();
    }

    // The dictionary of the tables the catalogue window lists with this owner filter.
    std::string writeSchema(std::string_view owner = {}) {
        readTables(owner);
        return write();
    }
    // GTQ as the catalogue window reads it.
    void readTables(std::string_view owner = {}) {
        Glo::OwnerFilter = owner;
        on->catalog->GetTables(GTQ, Glo::OwnerFilter, Glo::SystemTables, 0, 0, Glo::TablesOnly);
    }
    // The connect string with the value of `keyword` replaced.
    std::string connectWith(std::string_view keyword, std::string_view value) const {
        const std::string key = std::string(keyword) + "=";
        const std::size_t at = connect.find(key);
        if (at == std::string::npos) return connect + key + std::string(value) + ";";
        const std::size_t end = connect.find(';', at);
        return connect.substr(0, at + key.size()) + std::string(value) + connect.substr(end);
    }
    // The catalogue object on another connect string.
    void reconnect(const std::string& connectString) {
        on = std::make_unique<CatalogOn>(connectString);
        ODBCCatalog = on->catalog;
        Glo::ConnectString = connectString;
    }
    // The dictionary of the tables listed whose names hold `part` (those of
    // this program: a case may run in two at once), in name order (MariaDB
    // lists Item and item in either order), written on `connections`
    // connections; after it what the writer said of those tables.
    std::string writeOn(int connections, std::string_view part) {
        CatalogConnections reading(connections);
        readTables();
        for (std::size_t i = GTQ.records(); i >= 1; --i) {
            GTQ.get(i);
            if (GTQ.rec.TABLENAME.view().find(part) == std::string_view::npos) GTQ.remove();
        }
        GTQ.sort({{"TABLENAME"}});
        messages.texts.clear();
        WriteTXD();
        std::string said;
        for (const std::string& text : messages.texts)
            for (std::size_t start = 0, end = 0; start <= text.size(); start = end + 1) {
                end = std::min(text.find('|', start), text.size());
                if (text.find(part, start) < end) said += text.substr(start, end - start) + "\n";
            }
        return fileBytes(txdPath()) + said;
    }
    // The dictionary of the tables GTQ holds.
    std::string write() {
        WriteTXD();
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_EQ(viewer.arguments(), (std::vector<std::string>{txdPath().string()}));
        return fileBytes(txdPath());
    }
    std::filesystem::path txdPath() const { return folder.directory() / "Clarion.txd"; }

    std::string connect;
    SqliteFixture folder{""};
    std::unique_ptr<CatalogOn> on;
    RecordingViewer viewer;
    MessageRecorder messages;

private:
    const char* variable_;
    std::string more_;
};
