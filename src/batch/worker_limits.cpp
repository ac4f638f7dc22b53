#include "batch/worker_limits.h"

#include <sys/resource.h>

#include <algorithm>

namespace pictavo {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr uint64_t kMegabyte = 1024 * 1024;
// The libraries, their caches and the encoded output beside the pixels.
constexpr uint64_t kHeadroomBytes = 1024 * kMegabyte;
// A document's pixels exist up to this many times at once while the steps
// hand the image from one bitmap to the next.
constexpr uint64_t kPixelCopies = 4;

// Sets the soft limit, never above the hard one; with `lower_only` never
// above the soft limit either, so that a tighter limit set from outside stays.
bool SetSoftLimit(int resource, rlim_t value, bool lower_only) {
  rlimit limit{};
  if (getrlimit(resource, &limit) != 0) return false;
  if (limit.rlim_max != RLIM_INFINITY) value = std::min(value, limit.rlim_max);
  if (lower_only && limit.rlim_cur != RLIM_INFINITY) value = std::min(value, limit.rlim_cur);
  limit.rlim_cur = value;
  return setrlimit(resource, &limit) == 0;
}

}  // namespace

bool LimitAddressSpace(const Settings& settings) {
  if (kSanitized) return true;
  const uint64_t budget =
      static_cast<uint64_t>(settings.MaxMemory > 0 ? settings.MaxMemory : 1024) * kMegabyte;
  return SetSoftLimit(RLIMIT_AS, static_cast<rlim_t>(kPixelCopies * budget + kHeadroomBytes),
                      /*lower_only=*/true);
}

bool AllowCpuSeconds(int64_t seconds) {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return false;
  const int64_t used = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + 1;
  return SetSoftLimit(RLIMIT_CPU, static_cast<rlim_t>(used + seconds), /*lower_only=*/false);
}

}  // namespace pictavo
