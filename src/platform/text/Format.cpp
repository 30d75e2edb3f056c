#include "platform/text/Format.h"

#include <array>
#include <chrono>
#include <stdexcept>

namespace platform {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",
                                                      "May",     "June",     "July",      "August",
                                                      "September", "October", "November", "December"};

std::string twoDigits(int n) { return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10); }

std::string longDate(Long date) {
    using namespace std::chrono;
    constexpr sys_days dayOne = year(1800) / December / 28;
    const sys_days day = dayOne + days(date - 1);
    const year_month_day ymd(day);
    return std::string(kWeekdays[weekday(day).c_encoding()]) + ", " +
           std::string(kMonths[static_cast<unsigned>(ymd.month()) - 1]) + " " +
           std::to_string(static_cast<unsigned>(ymd.day())) + ", " + std::to_string(static_cast<int>(ymd.year()));
}

std::string longTime(Long time) {
    const int seconds = static_cast<int>(((time - 1) / 100) % (24 * 60 * 60));
    const int hours = seconds / 3600, minutes = seconds / 60 % 60;
    const int onClock = hours % 12 == 0 ? 12 : hours % 12;
    return std::to_string(onClock) + ":" + twoDigits(minutes) + ":" + twoDigits(seconds % 60) +
           (hours < 12 ? " AM" : " PM");
}

}  // namespace

std::string FORMAT(Long value, std::string_view picture) {
    if (picture == "@D18") return longDate(value);
    if (picture == "@T8") return longTime(value);
    throw std::invalid_argument("FORMAT: no picture " + std::string(picture));
}

}  // namespace platform
