#include "batch/worker_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace pictavo {
namespace {

std::string& WorkerExecutableText() {
  static std::string path;
  return path;
}

// How long a worker whose channel was closed may take to end by itself.
constexpr auto kFinishGrace = std::chrono::seconds(2);

bool SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

void SetWorkerExecutable(std::string path) {
  WorkerExecutableText() = std::move(path);
}

const std::string& WorkerExecutable() {
  return WorkerExecutableText();
}

std::unique_ptr<WorkerProcess> WorkerProcess::Start(const std::string& executable,
                                                    std::string_view setup_frame,
                                                    std::string& error) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    error = std::string("cannot create the worker's channel: ") + std::strerror(errno);
    return nullptr;
  }
  // Duplicating a descriptor onto itself would keep its close-on-exec flag,
  // so the worker's end must not already be the number it gets in the child.
  if (ends[1] == kWorkerChannelFd) {
    const int moved = fcntl(ends[1], F_DUPFD_CLOEXEC, kWorkerChannelFd + 1);
    close(ends[1]);
    ends[1] = moved;
    if (moved < 0) {
      close(ends[0]);
      error = std::string("cannot create the worker's channel: ") + std::strerror(errno);
      return nullptr;
    }
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, ends[1], kWorkerChannelFd);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  for (int signal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGPIPE}) sigaddset(&defaults, signal);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::string program = executable;
  std::string mode(kWorkerModeSwitch);
  char* argv[] = {program.data(), mode.data(), nullptr};
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(ends[1]);
  if (spawned != 0) {
    close(ends[0]);
    error = std::string("cannot start a worker process: ") + std::strerror(spawned);
    return nullptr;
  }

  std::unique_ptr<WorkerProcess> worker(new WorkerProcess(pid, ends[0]));
  if (!worker->Send(setup_frame)) {
    worker->Stop();
    error = "the worker process ended before it could take the run's settings";
    return nullptr;
  }
  return worker;
}

WorkerProcess::~WorkerProcess() {
  if (!reaped_) Stop();
  CloseChannel();
}

bool WorkerProcess::Send(std::string_view frame) {
  return fd_ >= 0 && SendAll(fd_, frame);
}

WorkerProcess::ReadState WorkerProcess::Read(WorkerMessage& message) {
  if (auto next = reader_.Next()) {
    message = std::move(*next);
    return ReadState::kMessage;
  }
  if (fd_ < 0 || reader_.broken()) return ReadState::kClosed;
  char buffer[4096];
  for (;;) {
    const ssize_t got = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
    if (got <= 0) return ReadState::kClosed;
    reader_.Append(buffer, static_cast<size_t>(got));
  }
  if (auto next = reader_.Next()) {
    message = std::move(*next);
    return ReadState::kMessage;
  }
  return reader_.broken() ? ReadState::kClosed : ReadState::kWaiting;
}

int WorkerProcess::Reap(bool block) {
  if (reaped_) return status_;
  int status = 0;
  for (;;) {
    const pid_t got = waitpid(pid_, &status, block ? 0 : WNOHANG);
    if (got < 0 && errno == EINTR) continue;
    if (got == pid_) {
      reaped_ = true;
      status_ = status;
    } else if (got < 0) {
      reaped_ = true;  // not our child any more; nothing left to wait for
    }
    return status_;
  }
}

int WorkerProcess::Stop() {
  if (reaped_) return status_;
  Reap(false);
  if (!reaped_) {
    kill(pid_, SIGKILL);
    Reap(true);
  }
  CloseChannel();
  return status_;
}

int WorkerProcess::Finish() {
  CloseChannel();
  const auto deadline = std::chrono::steady_clock::now() + kFinishGrace;
  while (!reaped_ && std::chrono::steady_clock::now() < deadline) {
    Reap(false);
    if (!reaped_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return Stop();
}

void WorkerProcess::CloseChannel() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

std::string DescribeWorkerEnd(int status) {
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    if (signal == SIGXCPU)
      return "the worker process used more processor time than one file may take";
    return "the worker process crashed (signal " + std::to_string(signal) + ")";
  }
  if (WIFEXITED(status)) {
    return "the worker process ended unexpectedly (exit code " +
           std::to_string(WEXITSTATUS(status)) + ")";
  }
  return "the worker process ended unexpectedly";
}

}  // namespace pictavo
