#include "platform/fiber/Clock.h"

#include <cstdint>
#include <ctime>

namespace platform {
namespace {

constexpr Long kHundredthsPerDay = 24 * 60 * 60 * 100;

struct FakeTime {
    bool on = false;
    Clock::TimePoint now;
    Long startOfDay = 0;  // hundredths since midnight when the fake clock started
    Long startDate = 0;   // TODAY() when the fake clock started
    Clock::TimePoint started;
};

FakeTime& fakeTime() {
    static FakeTime f;
    return f;
}

std::tm localNow() {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

Long realToday() {
    using namespace std::chrono;
    const std::tm local = localNow();
    const year_month_day date{year(local.tm_year + 1900), month(static_cast<unsigned>(local.tm_mon + 1)),
                              day(static_cast<unsigned>(local.tm_mday))};
    constexpr sys_days dayOne = year(1800) / December / 28;
    return static_cast<Long>((sys_days(date) - dayOne).count()) + 1;
}

// Hundredths of the fake day since it started, midnights included.
std::int64_t fakeHundredths(const FakeTime& f) {
    return f.startOfDay + std::chrono::duration_cast<std::chrono::milliseconds>(f.now - f.started).count() / 10;
}

Long realHundredthsSinceMidnight() {
    const auto wall = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(wall);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceSecond = wall - std::chrono::system_clock::from_time_t(seconds);
    const auto hundredths = std::chrono::duration_cast<std::chrono::milliseconds>(sinceSecond).count() / 10;
    return ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 100 + static_cast<Long>(hundredths);
}

}  // namespace

Clock::TimePoint Clock::now() {
    const FakeTime& f = fakeTime();
    return f.on ? f.now : std::chrono::steady_clock::now();
}

bool Clock::fake() { return fakeTime().on; }

void Clock::useFake(Long hundredthsSinceMidnight) {
    FakeTime& f = fakeTime();
    f.now = f.started = std::chrono::steady_clock::now();
    f.startOfDay = hundredthsSinceMidnight;
    f.startDate = realToday();
    f.on = true;
}

void Clock::useReal() { fakeTime().on = false; }

void Clock::advance(std::chrono::milliseconds by) {
    if (fakeTime().on) fakeTime().now += by;
}

Long CLOCK() {
    const FakeTime& f = fakeTime();
    if (!f.on) return realHundredthsSinceMidnight() + 1;
    return static_cast<Long>(fakeHundredths(f) % kHundredthsPerDay) + 1;
}

Long TODAY() {
    const FakeTime& f = fakeTime();
    return f.on ? f.startDate + static_cast<Long>(fakeHundredths(f) / kHundredthsPerDay) : realToday();
}

Long clockDifference(Long later, Long earlier) {
    const Long difference = later - earlier;
    return difference < 0 ? difference + kHundredthsPerDay : difference;
}

}  // namespace platform
