#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace pictavo {

std::string InstanceLockPath(std::string_view title) {
  std::string name;
  for (char c : title) {
    if (c == ' ') {
      name.push_back('-');
    } else if (c >= 'A' && c <= 'Z') {
      name.push_back(static_cast<char>(c - 'A' + 'a'));
    } else {
      name.push_back(c);
    }
  }
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) {
    std::string folder = runtime;
    if (folder.back() != '/') folder.push_back('/');
    return folder + name + ".lock";
  }
  return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

std::optional<InstanceLock> InstanceLock::Acquire(std::string_view title) {
  std::string path = InstanceLockPath(title);
  // O_NOFOLLOW: in a shared /tmp a planted link must not redirect the open.
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return std::nullopt;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return std::nullopt;
  }
  return InstanceLock(fd);
}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = other.fd_;
    other.fd_ = -1;
  }
  return *this;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace pictavo
