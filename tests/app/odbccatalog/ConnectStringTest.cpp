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
