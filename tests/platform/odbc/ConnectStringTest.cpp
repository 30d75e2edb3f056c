#include "platform/odbc/ConnectString.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(ConnectValue, AValueWithSeparatorsOrBracesIsBracedAndReadBackWhole) {
    const struct {
        const char* value;
        const char* written;
    } cases[] = {
        {"secret", "secret"},
        {"", ""},
        {"ab;cd", "{ab;cd}"},
        {"{s;e}}c}", "{{s;e}}}}c}}}"},
        {"open{", "{open{}"},
        {"a b=c", "a b=c"},
    };
    for (const auto& c : cases) {
        const std::string written = connectValue(c.value);
        EXPECT_EQ(written, c.written) << c.value;
        const std::string attribute = "PWD=" + written + ";UID=u";
        EXPECT_EQ(connectValueEnd(attribute, 4), 4 + written.size()) << c.value;
    }
}

TEST(ConnectValue, EndsAtTheClosingBraceOrTheNextSeparator) {
    const struct {
        const char* text;
        std::size_t end;
    } cases[] = {
        {"PWD=abc;UID=u", 7},
        {"PWD=abc", 7},
        {"PWD= {a;b}' : file not found", 10},
        {"PWD={a}}b;c", 11},
        {"PWD={open;UID=u", 15},
        {"PWD=", 4},
    };
    for (const auto& c : cases) EXPECT_EQ(connectValueEnd(c.text, 4), c.end) << c.text;
}

TEST(DriverConnectString, KeywordsLoseTheirBlanksAndValuesStayAsWritten) {
    const struct {
        const char* given;
        const char* taken;
    } cases[] = {
        {"DSN=Sales; UID=admin; PWD=secret", "DSN=Sales;UID=admin;PWD=secret"},
        {" DSN = Sales ;UID=a", "DSN= Sales ;UID=a"},
        {"DSN=x; PWD={a; UID=b}}c}; UID=u", "DSN=x;PWD={a; UID=b}}c};UID=u"},
        {"DRIVER={PostgreSQL Unicode};SERVER=h;", "DRIVER={PostgreSQL Unicode};SERVER=h;"},
        {"DSN=x;; flag ;", "DSN=x;;flag;"},
        {"PWD={open; UID=u", "PWD={open; UID=u"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(driverConnectString(c.given), c.taken) << c.given;
}
