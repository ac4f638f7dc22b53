#include "batch/parallel_scheduler.h"

#include <algorithm>

namespace pictavo {

ParallelScheduler::ParallelScheduler(std::vector<uint64_t> decodedBytes, Options options)
    : options_(options) {
  options_.jobs = std::max(options_.jobs, 1);
  files_.resize(decodedBytes.size());
  for (size_t i = 0; i < files_.size(); ++i) files_[i].bytes = decodedBytes[i];
}

int32_t ParallelScheduler::EstimateBefore(size_t index) const {
  int32_t successes = committedSuccesses_;
  for (size_t i = commitPoint_; i < index; ++i) {
    const File& file = files_[i];
    successes += file.state == State::kHeld ? (file.ok ? 1 : 0) : 1;
  }
  return successes;
}

std::optional<ParallelScheduler::Assignment> ParallelScheduler::NextToStart() {
  if (running_ >= static_cast<size_t>(options_.jobs)) return std::nullopt;
  size_t candidate = 0;
  if (!requeued_.empty()) {
    candidate = *requeued_.begin();
  } else if (frontier_ < Limit() &&
             (options_.maxAhead == 0 || frontier_ < commitPoint_ + options_.maxAhead)) {
    candidate = frontier_;
  } else {
    return std::nullopt;
  }
  File& file = files_[candidate];
  // The budget is kept strictly in list order: a large file waits for room
  // rather than letting smaller ones after it overtake it for good.
  if (running_ > 0 && options_.budgetBytes > 0 &&
      bytesInFlight_ + file.bytes > options_.budgetBytes) {
    return std::nullopt;
  }

  if (candidate == frontier_) {
    ++frontier_;
  } else {
    requeued_.erase(candidate);
  }
  file.state = State::kRunning;
  file.assumed = EstimateBefore(candidate);
  file.inputReplaced = false;
  ++running_;
  bytesInFlight_ += file.bytes;
  return Assignment{candidate, file.assumed};
}

bool ParallelScheduler::Finished(size_t index, bool ok) {
  File& file = files_[index];
  if (file.state != State::kRunning) return false;
  --running_;
  bytesInFlight_ -= file.bytes;
  const bool wrong_values = options_.valuesMatter && file.assumed != EstimateBefore(index);
  if (file.inputReplaced || wrong_values) {
    file.state = State::kWaiting;
    file.inputReplaced = false;
    requeued_.insert(index);
    return false;
  }
  file.state = State::kHeld;
  file.ok = ok;
  Reconcile();
  return true;
}

std::vector<size_t> ParallelScheduler::TakeDropped() {
  std::vector<size_t> dropped;
  dropped.swap(dropped_);
  return dropped;
}

std::optional<size_t> ParallelScheduler::NextToCommit() const {
  if (commitPoint_ < Limit() && files_[commitPoint_].state == State::kHeld) return commitPoint_;
  return std::nullopt;
}

void ParallelScheduler::Committed(size_t index, bool ok) {
  if (index != commitPoint_ || files_[index].state != State::kHeld) return;
  files_[index].state = State::kCommitted;
  files_[index].ok = ok;
  if (ok) ++committedSuccesses_;
  ++commitPoint_;
  Reconcile();
}

void ParallelScheduler::InputReplaced(size_t index) {
  if (index < commitPoint_ || index >= files_.size()) return;
  File& file = files_[index];
  if (file.state == State::kRunning) {
    file.inputReplaced = true;
  } else if (file.state == State::kHeld) {
    Drop(index);
    Reconcile();
  }
}

void ParallelScheduler::StopStarting() {
  if (stopped_) return;
  stopped_ = true;
  stopAt_ = frontier_;
}

bool ParallelScheduler::Done() const {
  return commitPoint_ >= Limit();
}

void ParallelScheduler::Reconcile() {
  if (!options_.valuesMatter) return;
  int32_t successes = committedSuccesses_;
  for (size_t i = commitPoint_; i < frontier_; ++i) {
    File& file = files_[i];
    if (file.state == State::kHeld && file.assumed != successes) Drop(i);
    successes += file.state == State::kHeld ? (file.ok ? 1 : 0) : 1;
  }
}

void ParallelScheduler::Drop(size_t index) {
  files_[index].state = State::kWaiting;
  requeued_.insert(index);
  dropped_.push_back(index);
}

}  // namespace pictavo
