// Conditions of the query builder run on the MariaDB server that
// scripts/mariadb.sh starts, whose table notes holds O'Brien\ (1), O'Brien (2)
// and tab\tstop (3): a backslash there escapes the character after it.
#include "../odbccatalog/CatalogTestSupport.h"

#include "app/querybuilder/Condition.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace querybuilder;
using ::testing::ElementsAreArray;

namespace {

#define NOTEID_FIELDS(X) X(platform::Long, ID)
struct NoteId {
    TABLOOM_RECORD(NoteId, "NID", NOTEID_FIELDS)
};

TEST(ConditionOnMariaDB, AValueWithAQuoteAndABackslashFindsItsRow) {
    const std::string connect = testServer(kMariaDBConnect);
    if (connect.empty()) GTEST_SKIP() << kNoMariaDB;
    CatalogOn on(connect);
    ODBCCatalogClass& catalog = *on.catalog;
    const struct {
        const char* function;
        const char* value;
        bool caseInsensitive;
        std::vector<std::string> ids;
    } cases[] = {
        {"=", "O'Brien\\", false, {"1"}},
        {"=", "o'brien\\", true, {"1"}},
        {"=", "O'Brien", false, {"2"}},
        {"=", "tab\\tstop", false, {"3"}},
        {"LIKE", "O'Brien\\\\", false, {"1"}},
        {"LIKE", "%\\%", false, {}},
    };
    for (const auto& c : cases) {
        const RowTexts texts =
            buildCondition({"body", "", c.function, c.value, true, c.caseInsensitive}, catalog.IdentifierRules(),
                           catalog.StringLiterals());
        ASSERT_EQ(catalog.ExecuteSQL("SELECT id FROM notes WHERE " + texts.sql + " ORDER BY id"), 0)
            << texts.sql << ": " << catalog.LASTFILEERROR.str();
        platform::Queue<NoteId> rows;
        catalog.FetchResult(rows, 0, 1);
        std::vector<std::string> ids;
        for (std::size_t i = 1; i <= rows.records(); ++i) ids.push_back(std::to_string(rows.at(i).ID));
        EXPECT_THAT(ids, ElementsAreArray(c.ids)) << texts.sql;
    }
}

}  // namespace
