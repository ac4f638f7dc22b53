#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pictavo {

// The lock file that keeps a second instance from running: the title
// ("Pictavo 3.1") in lower case with blanks as dashes, in $XDG_RUNTIME_DIR
// ("pictavo-3.1.lock"), or in /tmp with the user id in the name
// ("pictavo-3.1-1000.lock") when that variable is unset or empty.
std::string InstanceLockPath(std::string_view title);

// An exclusive flock on the lock file, held while the object lives. The lock
// goes with the process, so a crashed instance never blocks the next start.
class InstanceLock {
 public:
  // Takes the lock without waiting; nothing when another process (or another
  // open of the file in this one) holds it, or when the file cannot be opened.
  static std::optional<InstanceLock> Acquire(std::string_view title);

  InstanceLock(InstanceLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  InstanceLock& operator=(InstanceLock&& other) noexcept;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace pictavo
