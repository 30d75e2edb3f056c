#include "app/connection/BuildConnectString.h"

#include <gtest/gtest.h>

namespace {

TEST(BuildConnectString, JoinsTheEntriesThatCount) {
    const std::string d80(80, 'd'), u80(80, 'u'), p80(80, 'p');
    const struct {
        const char* name;
        std::string dsn, username, password, expected;
    } cases[] = {
        {"dsn only", "Sales", "", "", "DSN=Sales"},
        {"a password without a user name is dropped", "Sales", "", "secret", "DSN=Sales"},
        {"a blank user name counts as none", "Sales", "   ", "secret", "DSN=Sales"},
        {"user only", "Sales", "admin", "", "DSN=Sales; UID=admin"},
        {"user and password", "Sales", "admin", "secret", "DSN=Sales; UID=admin; PWD=secret"},
        {"all empty", "", "", "", "DSN="},
        {"trailing blanks go, leading ones stay", " Sales  ", " admin ", " secret  ",
         "DSN= Sales; UID= admin; PWD= secret"},
        {"80-character values", d80, u80, p80, "DSN=" + d80 + "; UID=" + u80 + "; PWD=" + p80},
        {"separators and braces go in braces", "Sales", "a;b", "{s;e}}c}", "DSN=Sales; UID={a;b}; PWD={{s;e}}}}c}}}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildConnectString(c.dsn, c.username, c.password), c.expected) << c.name;
}

TEST(BuildConnectString, LineBreaksAreRemovedFromATypedString) {
    EXPECT_EQ(withoutLineBreaks("DSN=a;\r\nUID=b\n;PWD=c\r"), "DSN=a;UID=b;PWD=c");
    EXPECT_EQ(withoutLineBreaks("DRIVER=x; DBQ=y"), "DRIVER=x; DBQ=y");
}

}  // namespace
