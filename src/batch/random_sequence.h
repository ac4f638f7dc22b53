#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace pictavo {

// The values of a run's %rnd% macro in the order successes use them: value
// k is the number a file gets when k files before it succeeded. All values
// come from one engine seeded once per run, so they do not depend on the
// order in which parallel conversions finish.
class RandomSequence {
 public:
  // Value 0 is `first` (the number the run state holds already) unless it
  // is not given, in which case it is drawn too.
  RandomSequence(std::optional<int32_t> first, uint64_t seed);

  // Value k, drawn on first use, uniformly from 1 to 99999.
  int32_t At(size_t k);

 private:
  std::vector<int32_t> values_;
  std::mt19937_64 engine_;
};

// The seed a test fixes with PICTAVO_TEST_RANDOM_SEED, so that two runs can
// be compared; nothing in an ordinary run.
std::optional<uint64_t> FixedRunSeed();

// A fresh seed from the system's random source.
uint64_t DrawRunSeed();

}  // namespace pictavo
