#include "batch/conversion_job.h"

#include <thread>

namespace pictavo {

JobProgress ReadProgress(ConversionJob& job) {
  std::lock_guard<std::mutex> guard(job.lock);
  return {job.currentNumber, job.currentFile, job.lastDuration, job.count};
}

void StartTask(ConversionJob& job, const std::function<void()>& task) {
  {
    std::lock_guard<std::mutex> guard(job.lock);
    job.currentNumber = 0;
    job.currentFile.clear();
    job.count = 0;
  }
  job.running = true;
  std::thread worker(task);
  worker.join();
}

}  // namespace pictavo
