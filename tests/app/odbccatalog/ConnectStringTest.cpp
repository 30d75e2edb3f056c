#include "app/odbccatalog/ConnectString.h"

#include "platform/odbc/ConnectString.h"

#include <gtest/gtest.h>

namespace {

std::string replaced(std::string text, std::string_view placeholder, std::string_view by) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + by.size()))
        text.replace(at, placeholder.size(), by);
    return text;
}

// Passwords that spell parts of the other words, one equal to the user name,
// and ones that need braces.
constexpr const char* kPasswords[] = {"s", "p", "tabloom", "ab;cd", "{s;e}}c}"};

TEST(MaskPassword, HidesEveryPasswordValueAndKeepsTheRest) {
    const struct {
        const char* given;
        const char* shown;
    } cases[] = {
        {"DSN=x; UID=u; PWD=secret", "DSN=x; UID=u; PWD=********"},
        {"pwd=secret;DSN=x;", "pwd=********;DSN=x;"},
        {"DSN=x; Pwd = se;cret", "DSN=x; Pwd = ********;cret"},
        {"DRIVER={SQL Server};PWD={a;b}}c};UID=u", "DRIVER={SQL Server};PWD=********;UID=u"},
        {"DRIVER={PostgreSQL Unicode};Password=secret;UID=u", "DRIVER={PostgreSQL Unicode};Password=********;UID=u"},
        {"DSN=x;PWDX=keep;MYPWD=keep;PASSWORDS=keep", "DSN=x;PWDX=keep;MYPWD=keep;PASSWORDS=keep"},
        {"DSN=x;PWD=", "DSN=x;PWD=********"},
        {"DRIVER={x;PWD=inside", "DRIVER={x;PWD=********"},
        {"DSN=x;;flag;", "DSN=x;;flag;"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(maskPassword(c.given), c.shown) << c.given;
}

// Each message as a driver writes it, {pwd} standing for the password as the
// connect string writes it: only that is masked.
TEST(MaskPasswords, OnlyThePasswordValuesOfAMessageAreMasked) {
    const char* messages[] = {
        "[unixODBC][Driver Manager]Data source name not found and no default driver specified",
        "timeout expired",
        "Access denied for user 'tabloom'@'localhost' (using password: YES)",
        "[unixODBC][Driver Manager]Can't open lib 'NoSuch;UID=tabloom;PWD={pwd}' : file not found",
        "connect string DATABASE=tabloom_test;UID=tabloom;PWD={pwd};PORT=1 refused",
        "first Password = {pwd}; then pwd={pwd}",
    };
    for (const char* password : kPasswords) {
        const std::string written = platform::connectValue(password);
        const std::string connectString = "DRIVER={MariaDB Unicode};DATABASE=tabloom_test;UID=tabloom;PWD=" + written;
        for (const char* message : messages)
            EXPECT_EQ(maskPasswords(replaced(message, "{pwd}", written), connectString),
                      replaced(message, "{pwd}", "********"))
                << password << " in " << message;
    }
}

TEST(MaskPasswords, AValueNotOfTheConnectStringIsMaskedToItsEnd) {
    const struct {
        const char* connectString;
        const char* text;
        const char* shown;
    } cases[] = {
        {"DSN=x;PWD=secret", "login as x with secret failed", "login as x with secret failed"},
        {"DSN=x;PWD=secret", "PWD=other' refused", "PWD=********"},
        {"DSN=x;PWD=secret", "PWD=other; UID=u", "PWD=********; UID=u"},
        {"DSN=x;PWD=secret", "PWD={a;b}' refused", "PWD=********' refused"},
        {"DSN=x;PWD=", "nothing to hide", "nothing to hide"},
    };
    for (const auto& c : cases) EXPECT_EQ(maskPasswords(c.text, c.connectString), c.shown) << c.text;
}

// Masks hold stars, so a star password must not be found again in them.
TEST(MaskPasswords, StarPasswordsGiveOneMaskEach) {
    std::string connectString = "DSN=nothere", shown = "DSN=nothere";
    for (int i = 0; i < 20; ++i) {
        connectString += ";PWD=*";
        shown += ";PWD=********";
    }
    EXPECT_EQ(maskPassword(connectString), shown);
    EXPECT_EQ(maskPasswords("Owner:" + connectString, connectString), "Owner:" + shown);
}

}  // namespace
