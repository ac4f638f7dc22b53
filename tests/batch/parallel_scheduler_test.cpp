#include "batch/parallel_scheduler.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace pictavo {
namespace {

constexpr uint64_t kMB = 1024 * 1024;

ParallelScheduler::Options Jobs(int jobs, bool values_matter = false, uint64_t budget = 0) {
  ParallelScheduler::Options options;
  options.jobs = jobs;
  options.valuesMatter = values_matter;
  options.budgetBytes = budget;
  return options;
}

// Starts files until the scheduler says no; their indexes.
std::vector<size_t> StartAll(ParallelScheduler& scheduler) {
  std::vector<size_t> started;
  while (auto assignment = scheduler.NextToStart()) started.push_back(assignment->index);
  return started;
}

TEST(ParallelScheduler, MemoryBudgetLowersTheNumberInFlight) {
  struct Case {
    const char* what;
    std::vector<uint64_t> sizes;
    uint64_t budget;
    std::vector<size_t> first_wave;
  };
  const Case cases[] = {
      {"small documents fill every slot",
       {100 * kMB, 100 * kMB, 100 * kMB, 100 * kMB, 100 * kMB},
       1024 * kMB,
       {0, 1, 2, 3}},
      {"large documents go two at a time",
       {400 * kMB, 400 * kMB, 400 * kMB, 400 * kMB},
       1024 * kMB,
       {0, 1}},
      {"a document above the budget runs alone", {2048 * kMB, 10 * kMB, 10 * kMB}, 1024 * kMB, {0}},
      {"a large one waits for room; smaller ones after it do not overtake it",
       {600 * kMB, 600 * kMB, 1 * kMB},
       1024 * kMB,
       {0}},
      {"unknown sizes count as nothing", {0, 0, 0, 0, 0}, 1, {0, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    ParallelScheduler scheduler(c.sizes, Jobs(4, false, c.budget));
    EXPECT_EQ(StartAll(scheduler), c.first_wave) << c.what;
  }
}

TEST(ParallelScheduler, RoomFreedByAFinishedFileLetsTheNextOneStart) {
  ParallelScheduler scheduler({400 * kMB, 400 * kMB, 400 * kMB}, Jobs(4, false, 1024 * kMB));
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{0, 1}));
  EXPECT_EQ(scheduler.bytesInFlight(), 800 * kMB);
  EXPECT_TRUE(scheduler.Finished(1, true));
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{2}));
  EXPECT_EQ(scheduler.running(), 2u);
}

TEST(ParallelScheduler, CommitsStrictlyInListOrder) {
  ParallelScheduler scheduler(std::vector<uint64_t>(3, 0), Jobs(3));
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{0, 1, 2}));
  EXPECT_TRUE(scheduler.Finished(2, true));
  EXPECT_TRUE(scheduler.Finished(1, false));
  EXPECT_FALSE(scheduler.NextToCommit());  // file 0 is still running
  EXPECT_TRUE(scheduler.Finished(0, true));
  for (size_t expected : {0u, 1u, 2u}) {
    ASSERT_EQ(scheduler.NextToCommit(), expected);
    scheduler.Committed(expected, expected != 1);
  }
  EXPECT_TRUE(scheduler.Done());
  EXPECT_EQ(scheduler.committedSuccesses(), 2);
}

// A whole run against a fixed set of failing files, finishing the files in
// the order `finish_order` picks among those running; returns the successes
// each committed file saw before it.
std::vector<int32_t> SimulateRun(size_t count, int jobs, bool values_matter,
                                 const std::vector<bool>& fails, bool finish_newest_first,
                                 int* conversions) {
  ParallelScheduler scheduler(std::vector<uint64_t>(count, 0), Jobs(jobs, values_matter));
  std::map<size_t, int32_t> running;  // index -> successes handed out
  std::map<size_t, int32_t> held;
  std::vector<int32_t> committed_with;
  *conversions = 0;
  for (int rounds = 0; !scheduler.Done(); ++rounds) {
    if (rounds > 10000) {
      ADD_FAILURE() << "the run does not end";
      break;
    }
    while (auto a = scheduler.NextToStart()) {
      running[a->index] = a->successesBefore;
      ++*conversions;
    }
    while (auto next = scheduler.NextToCommit()) {
      committed_with.push_back(held.at(*next));
      scheduler.Committed(*next, !fails[*next]);
    }
    if (running.empty()) continue;
    auto it = finish_newest_first ? std::prev(running.end()) : running.begin();
    const size_t index = it->first;
    const int32_t values = it->second;
    running.erase(it);
    if (scheduler.Finished(index, !fails[index])) held[index] = values;
    for (size_t dropped : scheduler.TakeDropped()) held.erase(dropped);
  }
  return committed_with;
}

TEST(ParallelScheduler, HandedOutValuesEndAsInAOneAtATimeRun) {
  const std::vector<bool> fails = {false, false, true, false, true, true, false, false};
  // One file at a time: file k sees the successes among files 0..k-1.
  std::vector<int32_t> sequential;
  int32_t successes = 0;
  for (bool failed : fails) {
    sequential.push_back(successes);
    if (!failed) ++successes;
  }
  for (bool newest_first : {false, true}) {
    int conversions = 0;
    EXPECT_EQ(SimulateRun(fails.size(), 4, true, fails, newest_first, &conversions), sequential)
        << "newest first: " << newest_first;
    // Files after a failure were converted again with the right values.
    EXPECT_GT(conversions, static_cast<int>(fails.size()));
  }
}

TEST(ParallelScheduler, ValuesThatNoOutputUsesAreNeverRedone) {
  const std::vector<bool> fails = {false, true, false, true, false, false};
  int conversions = 0;
  SimulateRun(fails.size(), 3, false, fails, true, &conversions);
  EXPECT_EQ(conversions, static_cast<int>(fails.size()));
}

TEST(ParallelScheduler, AKeptResultIsDroppedWhenAnEarlierFileFails) {
  ParallelScheduler scheduler(std::vector<uint64_t>(3, 0), Jobs(3, true));
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{0, 1, 2}));
  EXPECT_TRUE(scheduler.Finished(2, true));  // made with 2 successes before it
  EXPECT_TRUE(scheduler.Finished(1, false));
  EXPECT_EQ(scheduler.TakeDropped(), std::vector<size_t>{2});
  auto again = scheduler.NextToStart();
  ASSERT_TRUE(again);
  EXPECT_EQ(again->index, 2u);
  EXPECT_EQ(again->successesBefore, 1);  // file 0 still counted as a success
}

TEST(ParallelScheduler, ALaterFileWhoseInputWasReplacedIsConvertedAgain) {
  ParallelScheduler scheduler(std::vector<uint64_t>(3, 0), Jobs(3));
  StartAll(scheduler);
  EXPECT_TRUE(scheduler.Finished(2, true));
  scheduler.InputReplaced(2);
  EXPECT_EQ(scheduler.TakeDropped(), std::vector<size_t>{2});
  scheduler.InputReplaced(1);  // still running: its result will not be kept
  EXPECT_FALSE(scheduler.Finished(1, true));
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{1, 2}));
}

TEST(ParallelScheduler, StoppingFinishesTheFilesInHandOnly) {
  ParallelScheduler scheduler(std::vector<uint64_t>(10, 0), Jobs(2));
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{0, 1}));
  scheduler.StopStarting();
  EXPECT_FALSE(scheduler.NextToStart());
  scheduler.Finished(0, true);
  scheduler.Finished(1, true);
  EXPECT_FALSE(scheduler.NextToStart());
  scheduler.Committed(0, true);
  EXPECT_FALSE(scheduler.Done());
  scheduler.Committed(1, true);
  EXPECT_TRUE(scheduler.Done());
}

TEST(ParallelScheduler, StartsNoFurtherThanItsLookAheadBeyondTheOldestUncommitted) {
  ParallelScheduler::Options options = Jobs(8);
  options.maxAhead = 3;
  ParallelScheduler scheduler(std::vector<uint64_t>(10, 0), options);
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{0, 1, 2}));
  scheduler.Finished(1, true);
  scheduler.Finished(2, true);
  EXPECT_FALSE(scheduler.NextToStart());  // file 0 holds the window
  scheduler.Finished(0, true);
  scheduler.Committed(0, true);
  EXPECT_EQ(StartAll(scheduler), (std::vector<size_t>{3}));
}

}  // namespace
}  // namespace pictavo
