#include "batch/random_sequence.h"

#include <cstdlib>

namespace pictavo {

RandomSequence::RandomSequence(std::optional<int32_t> first, uint64_t seed) : engine_(seed) {
  if (first) values_.push_back(*first);
}

int32_t RandomSequence::At(size_t k) {
  std::uniform_int_distribution<int32_t> draw(1, 99999);
  while (values_.size() <= k) values_.push_back(draw(engine_));
  return values_[k];
}

std::optional<uint64_t> FixedRunSeed() {
  const char* text = std::getenv("PICTAVO_TEST_RANDOM_SEED");
  if (text == nullptr || *text == '\0') return std::nullopt;
  char* end = nullptr;
  const unsigned long long seed = std::strtoull(text, &end, 10);
  if (*end != '\0') return std::nullopt;
  return seed;
}

uint64_t DrawRunSeed() {
  std::random_device source;
  return (static_cast<uint64_t>(source()) << 32) ^ source();
}

}  // namespace pictavo
