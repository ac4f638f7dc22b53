#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace pictavo {

// Decides, for a run that converts several files at once, which file a free
// slot takes next and when a result may be committed, so that the run ends
// exactly as converting the files one after another would.
//
// Results are committed strictly in list order. A file's %n% and %rnd%
// values depend on how many files before it succeeded; they are handed out
// assuming that every earlier file whose outcome is not known yet succeeds.
// When an outcome proves an assumption wrong and the values matter (the
// file-name mask or the watermark text uses them), the results computed with
// the wrong values are dropped and those files are converted again with the
// right ones. The sum of the decoded sizes in flight stays within the memory
// budget; a file larger than the whole budget runs alone.
class ParallelScheduler {
 public:
  struct Options {
    int jobs = 1;               // conversions at once, at least 1
    uint64_t budgetBytes = 0;   // decoded bytes in flight at most (0: no limit)
    bool valuesMatter = false;  // outputs depend on the handed-out values
    size_t maxAhead = 0;        // files started beyond the oldest uncommitted one (0: no limit)
  };

  // `decodedBytes` holds each file's estimated decoded size (0 when unknown).
  ParallelScheduler(std::vector<uint64_t> decodedBytes, Options options);

  struct Assignment {
    size_t index = 0;
    // Successes assumed before the file: its counter is the run's first
    // counter plus this, its random number the sequence's value at this.
    int32_t successesBefore = 0;
  };

  // The file to start now, or nothing when the slots are full, the memory
  // budget has no room for the next file, or no file is waiting. Marks the
  // file as running.
  std::optional<Assignment> NextToStart();

  // A running file has its result. True when the result is kept for its
  // commit; false when it was computed with values that are now known to be
  // wrong (or from an input that has changed since), in which case the
  // caller drops it and the file waits to be started again.
  bool Finished(size_t index, bool ok);

  // Files whose kept results an outcome has since made stale; the caller
  // drops them (they wait to be started again). Emptied by the call.
  std::vector<size_t> TakeDropped();

  // The file whose result is next in list order, when it is ready.
  std::optional<size_t> NextToCommit() const;

  // The file returned by NextToCommit has been committed; `ok` is false
  // when the commit itself failed, which counts the file as failed.
  void Committed(size_t index, bool ok);

  // An earlier file's output has replaced this file's input: a result
  // computed before is dropped and the file converted again.
  void InputReplaced(size_t index);

  // No file that has not been started yet will be; those started are still
  // converted (again, if need be) and committed.
  void StopStarting();

  // Every file that is to be converted has been committed.
  bool Done() const;

  size_t running() const { return running_; }
  uint64_t bytesInFlight() const { return bytesInFlight_; }
  size_t committed() const { return commitPoint_; }
  int32_t committedSuccesses() const { return committedSuccesses_; }
  // One past the highest file started so far.
  size_t frontier() const { return frontier_; }

 private:
  enum class State { kWaiting, kRunning, kHeld, kCommitted };
  struct File {
    State state = State::kWaiting;
    uint64_t bytes = 0;
    int32_t assumed = 0;         // successes assumed when it was started
    bool inputReplaced = false;  // running, and its input has changed since it started
    bool ok = false;             // held or committed: the outcome
  };

  // Successes before `index` as far as they are known, counting each file
  // whose outcome is not known yet as a success.
  int32_t EstimateBefore(size_t index) const;
  // Drops the kept results whose values no longer match what is now known,
  // in list order, so that each drop is seen by the files after it. Running
  // files are checked when they finish.
  void Reconcile();
  void Drop(size_t index);
  size_t Limit() const { return stopped_ ? stopAt_ : files_.size(); }

  std::vector<File> files_;
  Options options_;
  std::set<size_t> requeued_;  // dropped files waiting to be started again
  std::vector<size_t> dropped_;
  size_t frontier_ = 0;
  size_t commitPoint_ = 0;
  int32_t committedSuccesses_ = 0;
  size_t running_ = 0;
  uint64_t bytesInFlight_ = 0;
  bool stopped_ = false;
  size_t stopAt_ = 0;
};

}  // namespace pictavo
