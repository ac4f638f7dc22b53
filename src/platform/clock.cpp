#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace pictavo {

int64_t LocalSecondsNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<int64_t>(now) + local.tm_gmtoff;
}

int64_t LocalSecondsToPosix(int64_t local_seconds) {
  std::time_t as_utc = static_cast<std::time_t>(local_seconds);
  std::tm calendar{};
  gmtime_r(&as_utc, &calendar);
  calendar.tm_isdst = -1;  // let mktime decide whether summer time applies
  return static_cast<int64_t>(std::mktime(&calendar));
}

int64_t MonotonicMillis() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace pictavo
