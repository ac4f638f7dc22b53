#pragma once

#include <cstdint>

namespace pictavo {

// "Local seconds": the local calendar time counted as if it were UTC.
int64_t LocalSecondsNow();

// Converts local seconds to a POSIX time (seconds since the epoch in UTC),
// reading the calendar time as local time.
int64_t LocalSecondsToPosix(int64_t local_seconds);

// Milliseconds on a monotonic clock, for durations.
int64_t MonotonicMillis();

}  // namespace pictavo
