// The sample data source as a newcomer gets it: scripts/sample-data.sh builds
// the database and registers TabloomSample, and the catalogue can browse it.
#include "CatalogTestSupport.h"
#include "support/SqliteFixture.h"

#include "app/odbccatalog/CatalogQueues.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;
using ::testing::UnorderedElementsAre;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class SampleData : public ::testing::Test {
protected:
    void SetUp() override {
        script = std::filesystem::path(TABLOOM_SOURCE_DIR) / "scripts/sample-data.sh";
        // unixODBC finds user sources through the account's home, not $HOME;
        // ODBCINI points it at the file the script wrote.
        setenv("ODBCINI", (home.directory() / ".odbc.ini").c_str(), 1);
    }
    void TearDown() override { unsetenv("ODBCINI"); }

    // What the script says, run with the fixture's directory as home.
    std::string runScript() const {
        const std::string command = "env -u XDG_DATA_HOME HOME='" + home.directory().string() + "' '" +
                                    script.string() + "' 2>&1";
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        char chunk[256];
        while (std::fgets(chunk, sizeof chunk, pipe)) output += chunk;
        EXPECT_EQ(pclose(pipe), 0) << output;
        return output;
    }

    SqliteFixture home{""};
    std::filesystem::path script;
    MessageRecorder messages;  // a failed query must not wait in a box
};

TEST_F(SampleData, TheScriptBuildsAndRegistersOnceThenStaysQuiet) {
    EXPECT_NE(runScript(), "");
    EXPECT_EQ(runScript(), "");
    const std::filesystem::path db = home.directory() / ".local/share/tabloom/sample.db";
    EXPECT_TRUE(std::filesystem::exists(db));
    EXPECT_EQ(readFile(home.directory() / ".odbc.ini"),
              "[TabloomSample]\nDescription=Tabloom sample database\nDriver=SQLite3\nDatabase=" + db.string() + "\n");
}

TEST_F(SampleData, TheDataSourceShowsWhatTheDictionaryWriterMeets) {
    runScript();
    CatalogOn on("DSN=TabloomSample;");
    ODBCCatalogClass& catalog = *on.catalog;

    catalog.GetTables(GTQ, "", 0, 0, 0, 0);
    EXPECT_THAT(column(GTQ, &GTQRecord::TABLENAME),
                UnorderedElementsAre("customers", "products", "orders", "order lines", "warehouses", "stock-levels",
                                     "open orders"));

    catalog.GetStatistics(GIQ, "products", 1);
    EXPECT_THAT(column(GIQ, &GIQRecord::INDEX_NAME), IsSupersetOf({"products by code", "products_by_price"}));

    catalog.GetForeignKeys(GFQ, "warehouses");
    EXPECT_THAT(column(GFQ, &GFQRecord::FKTABLE_NAME), ElementsAre("stock-levels", "stock-levels"));
    EXPECT_THAT(column(GFQ, &GFQRecord::FKCOLUMN_NAME), ElementsAre("warehouse_code", "bin_no"));

    catalog.GetColumns(GCQ, "products");
    EXPECT_THAT(column(GCQ, &GCQRecord::COLUMNTYPE),
                ElementsAre("INTEGER", "CHAR(12)", "VARCHAR(100)", "NUMERIC(9,2)", "REAL", "BLOB", "BIT", "TIMESTAMP"));

    ASSERT_EQ(catalog.ExecuteSQL("SELECT name FROM customers WHERE customer_id = 2"), 0);
    catalog.FetchResult(GTQ, 1, 0);
    EXPECT_EQ(GTQ.at(1).CATALOG, "J\xFCrgen M\xFCller");
}

}  // namespace
