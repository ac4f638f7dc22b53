#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <string_view>

#include "batch/worker_protocol.h"

namespace pictavo {

// The first argument that starts the executable as a conversion worker.
// Internal: never shown in the help text.
inline constexpr std::string_view kWorkerModeSwitch = "--internal-worker";
// The worker's end of its channel.
inline constexpr int kWorkerChannelFd = 3;

// The executable that conversion workers run. The program names itself
// when it starts; while this is empty (code of the batch driver run inside
// another program, such as its tests) conversions run in the calling
// process.
void SetWorkerExecutable(std::string path);
const std::string& WorkerExecutable();

// One conversion worker seen from the driver: a child process running the
// executable in worker mode in a process group of its own (so a terminal's
// Ctrl-C reaches only the driver), with a socket pair as its channel on
// kWorkerChannelFd, standard input and output on /dev/null and standard
// error shared. Every other descriptor of the driver is close-on-exec.
class WorkerProcess {
 public:
  // Starts a worker and sends it `setup_frame`. Nothing, with `error` set,
  // when the process cannot be started.
  static std::unique_ptr<WorkerProcess> Start(const std::string& executable,
                                              std::string_view setup_frame, std::string& error);
  // A worker still running is stopped and reaped.
  ~WorkerProcess();
  WorkerProcess(const WorkerProcess&) = delete;
  WorkerProcess& operator=(const WorkerProcess&) = delete;

  pid_t pid() const { return pid_; }
  // The driver's end of the channel, for poll.
  int fd() const { return fd_; }

  // Writes one frame; false when the worker is gone.
  bool Send(std::string_view frame);

  enum class ReadState { kMessage, kWaiting, kClosed };
  // Takes in what the channel holds without blocking. kMessage fills
  // `message`; kClosed means the worker closed its end, died or sent
  // garbage, and only Stop remains.
  ReadState Read(WorkerMessage& message);

  // Kills the worker (SIGKILL) unless it has ended already, reaps it and
  // returns its wait status. A second call returns the same status.
  int Stop();
  // Closes the channel, which asks an idle worker to end, and reaps it; a
  // worker that has not ended within a short grace time is killed.
  int Finish();

 private:
  WorkerProcess(pid_t pid, int fd) : pid_(pid), fd_(fd) {}
  int Reap(bool block);
  void CloseChannel();

  pid_t pid_ = -1;
  int fd_ = -1;
  bool reaped_ = false;
  int status_ = 0;
  MessageReader reader_;
};

// How a worker's end reads in a file's reason line: "the worker process
// crashed (signal 11)", "the worker process used more processor time than
// one file may take", "the worker process ended unexpectedly (exit code 2)".
std::string DescribeWorkerEnd(int wait_status);

}  // namespace pictavo
