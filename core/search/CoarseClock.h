#pragma once
// A monotonic clock read without a system call and cheaper than steady_clock, at the price of
// a few milliseconds' resolution: enough for a 50 ms budget and a 150 ms publish interval,
// and read once or twice for every item of a walk.

#include <chrono>
#include <time.h>

namespace qb {

struct CoarseClock {
    using duration = std::chrono::nanoseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<CoarseClock>;
    static constexpr bool is_steady = true;

    static time_point now() noexcept {
        timespec ts{};
        ::clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
        return time_point(std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec));
    }
};

} // namespace qb
