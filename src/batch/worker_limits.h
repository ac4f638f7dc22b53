#pragma once

#include <cstdint>

#include "settings/settings.h"

namespace pictavo {

// Processor seconds one file may take in a worker before the system stops
// the worker (SIGXCPU).
inline constexpr int64_t kCpuSecondsPerFile = 300;

// Caps the worker's address space at a few times the pixel budget of one
// document plus room for the libraries, so that a document that asks for
// more than it declared fails its own conversion instead of exhausting the
// machine. Left out in sanitizer builds, whose shadow memory reserves far
// more address space than any limit could allow. False when the limit could
// not be set.
bool LimitAddressSpace(const Settings& settings);

// Lets the worker use `seconds` of processor time more than it has used so
// far; called before each file.
bool AllowCpuSeconds(int64_t seconds);

}  // namespace pictavo
