#include "batch/interrupts.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace pictavo {
namespace {

volatile std::sig_atomic_t g_signal = 0;
volatile std::sig_atomic_t g_wake_fd = -1;
struct sigaction g_previous_int {};
struct sigaction g_previous_term {};

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
  sigaction(SIGINT, &action, &g_previous_int);
  sigaction(SIGTERM, &action, &g_previous_term);
  // A signal the process was started to ignore (nohup, a background job)
  // stays ignored.
  if (g_previous_int.sa_handler == SIG_IGN) sigaction(SIGINT, &g_previous_int, nullptr);
  if (g_previous_term.sa_handler == SIG_IGN) sigaction(SIGTERM, &g_previous_term, nullptr);
}

InterruptWatch::~InterruptWatch() {
  sigaction(SIGINT, &g_previous_int, nullptr);
  sigaction(SIGTERM, &g_previous_term, nullptr);
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
