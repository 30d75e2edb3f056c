// The layer's clock: a monotonic clock for its timers and timed waits, and
// CLOCK() and TODAY(), the time of day and the date as the runtime gives them.
//
// Rules:
// - now() is monotonic; window timers, sleeps and the scheduler's timed
//   waits all read it, never the system clock.
// - Tests switch to the fake clock (useFake) and move it with advance():
//   timers, sleeps, CLOCK() and timed waits then follow the fake time and
//   nothing waits in real time. useReal() goes back.
// - CLOCK() is hundredths of a second since midnight plus one (1 is
//   midnight), from the local time of day; under the fake clock it starts at
//   the time of day the test gives and moves with advance().
// - TODAY() is the local date as the runtime counts it: days since
//   28 December 1800 (that day is 1). Under the fake clock it is the date the
//   fake clock started on, a day on each time CLOCK() passes midnight.
// - Two CLOCK() readings are subtracted with clockDifference only: a reading
//   taken after midnight is a day on from one taken before it.
#pragma once

#include "platform/text/Text.h"

#include <chrono>

namespace platform {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    static TimePoint now();
    static bool fake();
    // Fake time starting now, the time of day at `hundredthsSinceMidnight`.
    static void useFake(Long hundredthsSinceMidnight = 0);
    static void useReal();
    static void advance(std::chrono::milliseconds by);
};

// The runtime's CLOCK().
Long CLOCK();

// The runtime's TODAY().
Long TODAY();

// Hundredths from `earlier` to `later`, two CLOCK() readings less than a day
// apart: a negative difference has crossed midnight and gains a day.
Long clockDifference(Long later, Long earlier);

}  // namespace platform
