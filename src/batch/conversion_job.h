#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace pictavo {

// The progress record shared by a task and the thread that started it.
// currentNumber, currentFile, lastDuration and count are touched only under
// `lock`; `running` is read by the task without it.
struct ConversionJob {
  std::mutex lock;
  int32_t currentNumber = 0;
  std::string currentFile;
  int64_t lastDuration = 0;  // milliseconds
  int32_t count = 0;
  std::atomic<bool> running{false};
};

// A snapshot of the locked fields, copied out under the lock.
struct JobProgress {
  int32_t currentNumber = 0;
  std::string currentFile;
  int64_t lastDuration = 0;
  int32_t count = 0;
};

JobProgress ReadProgress(ConversionJob& job);

// Resets the record, runs `task` on a new thread and waits for it to end.
void StartTask(ConversionJob& job, const std::function<void()>& task);

}  // namespace pictavo
