#pragma once

namespace pictavo {

// While an instance lives, SIGINT and SIGTERM no longer end the process at
// once: the handler only notes the signal and makes a pipe readable, so
// that a loop waiting in poll wakes up, stops its work cleanly and then
// lets the signal take its course. The handling before comes back when the
// instance goes. One instance at a time.
class InterruptWatch {
 public:
  InterruptWatch();
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  // The signal that arrived first, 0 while none has.
  int Pending() const;
  // Readable once a signal has arrived; -1 when the pipe could not be made
  // (the signal is still noted).
  int WakeFd() const { return read_fd_; }

  // When a signal has arrived: restores its default handling and raises it
  // again, so that the process ends by that signal and a calling shell sees
  // it. Returns only when none has arrived.
  void RaisePending();

 private:
  int read_fd_ = -1;
  int write_fd_ = -1;
};

}  // namespace pictavo
