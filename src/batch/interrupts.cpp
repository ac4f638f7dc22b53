#include "batch/interrupts.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace pictavo {
namespace {

volatile std::sig_atomic_t g_signal = 0;
volatile std::sig_atomic_t g_wake_fd = -1;
// The signals that stop a run: interrupt, termination, and the hang-up of
// a terminal that went away.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[std::size(kSignals)];

void NoteSignal(int signal) {
  const int saved_errno = errno;
  if (g_signal == 0) g_signal = signal;
  const int fd = g_wake_fd;
  if (fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] ssize_t ignored = write(fd, &byte, 1);
  }
  errno = saved_errno;
}

}  // namespace

InterruptWatch::InterruptWatch() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
    read_fd_ = ends[0];
    write_fd_ = ends[1];
  }
  g_signal = 0;
  g_wake_fd = write_fd_;
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &action, &g_previous[i]);
    // A signal the process was started to ignore (nohup, a background job)
    // stays ignored.
    if (g_previous[i].sa_handler == SIG_IGN) sigaction(kSignals[i], &g_previous[i], nullptr);
  }
}

InterruptWatch::~InterruptWatch() {
  for (size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &g_previous[i], nullptr);
  g_wake_fd = -1;
  if (read_fd_ >= 0) close(read_fd_);
  if (write_fd_ >= 0) close(write_fd_);
}

int InterruptWatch::Pending() const {
  return g_signal;
}

void InterruptWatch::RaisePending() {
  const int signal = g_signal;
  if (signal == 0) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  raise(signal);
  _exit(128 + signal);  // not reached: the default action ends the process
}

}  // namespace pictavo
