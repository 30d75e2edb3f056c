// The long date and time pictures, and TODAY().
#include "support/DutchLocale.h"

#include "platform/fiber/Clock.h"
#include "platform/text/Format.h"

#include <gtest/gtest.h>

#include <ctime>
#include <stdexcept>

using namespace platform;

namespace {

const struct {
    Long value;
    const char* picture;
    const char* text;
} kCases[] = {
    {1, "@D18", "Sunday, December 28, 1800"},
    {5, "@D18", "Thursday, January 1, 1801"},
    {72688, "@D18", "Saturday, January 1, 2000"},
    {81513, "@D18", "Thursday, February 29, 2024"},
    {82164, "@D18", "Thursday, December 11, 2025"},
    {1, "@T8", "12:00:00 AM"},
    {(14 * 3600 + 5 * 60 + 9) * 100 + 1, "@T8", "2:05:09 PM"},
    {(12 * 3600) * 100 + 1, "@T8", "12:00:00 PM"},
    {(23 * 3600 + 59 * 60 + 59) * 100 + 99 + 1, "@T8", "11:59:59 PM"},
    {(9 * 3600 + 30 * 60) * 100 + 1, "@T8", "9:30:00 AM"},
};

void expectEveryCase() {
    for (const auto& c : kCases) EXPECT_EQ(FORMAT(c.value, c.picture), c.text) << c.value << " " << c.picture;
}

}  // namespace

TEST(Format, LongDatesAndTimesAreWrittenAsAnEnglishWindowsWritesThem) {
    expectEveryCase();
    EXPECT_THROW(FORMAT(1, "@D1"), std::invalid_argument);
}

TEST(Format, TheLocaleChangesNothing) {
    DutchLocale dutch;
    if (!dutch.active()) GTEST_SKIP() << DutchLocale::kMissing;
    expectEveryCase();
}

TEST(Today, IsTheLocalDateAndTheFakeClockCarriesItOverMidnight) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string year = std::to_string(local.tm_year + 1900);
    EXPECT_TRUE(FORMAT(TODAY(), "@D18").ends_with(", " + year)) << FORMAT(TODAY(), "@D18");

    Clock::useFake(8'640'000 - 100);
    const Long before = TODAY();
    Clock::advance(std::chrono::milliseconds(1500));
    const Long after = TODAY();
    Clock::advance(std::chrono::hours(24));
    const Long dayAfter = TODAY();
    Clock::useReal();
    EXPECT_EQ(after, before + 1);
    EXPECT_EQ(dayAfter, before + 2);
}
