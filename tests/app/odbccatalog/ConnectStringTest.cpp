#include "app/odbccatalog/ConnectString.h"

#include <gtest/gtest.h>

TEST(MaskPassword, HidesEveryPasswordValueAndKeepsTheRest) {
    const struct {
        const char* given;
        const char* shown;
    } cases[] = {
        {"DSN=x; UID=u; PWD=secret", "DSN=x; UID=u; PWD=********"},
        {"pwd=secret;DSN=x;", "pwd=********;DSN=x;"},
        {"DSN=x; Pwd = se;cret", "DSN=x; Pwd =********;cret"},
        {"DRIVER={SQL Server};PWD={a;b}}c};UID=u", "DRIVER={SQL Server};PWD=********;UID=u"},
        {"DRIVER={PostgreSQL Unicode};Password=secret;UID=u", "DRIVER={PostgreSQL Unicode};Password=********;UID=u"},
        {"DSN=x;PWDX=keep;MYPWD=keep;PASSWORDS=keep", "DSN=x;PWDX=keep;MYPWD=keep;PASSWORDS=keep"},
        {"DSN=x;PWD=", "DSN=x;PWD=********"},
        {"DSN=x;;flag;", "DSN=x;;flag;"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(maskPassword(c.given), c.shown) << c.given;
}

TEST(MaskPasswords, HidesThePasswordsOfTheConnectStringWhereverATextQuotesThem) {
    const struct {
        const char* connectString;
        const char* text;
        const char* shown;
    } cases[] = {
        {"DSN=x;PWD=secret", "login as x with secret failed", "login as x with ******** failed"},
        {"DRIVER={PostgreSQL Unicode;PWD=secret", "Can't open lib 'PostgreSQL Unicode;PWD=secret'",
         "Can't open lib 'PostgreSQL Unicode;PWD=********'"},
        {"PWD={se;cret};Password=pass", "se;cret pass secret", "******** ******** secret"},
        {"PWD={open;DSN=x", "open DSN=x", "******** DSN=x"},
        {"DSN=x;UID=secret", "secret", "secret"},
        {"DSN=x;PWD=", "nothing to hide", "nothing to hide"},
    };
    for (const auto& c : cases) EXPECT_EQ(maskPasswords(c.text, c.connectString), c.shown) << c.connectString;
}
