#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace pictavo {
namespace {

// The file a path finally names: a symbolic link is resolved, a missing file
// or a dangling link is named by the path itself.
std::string TargetOf(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

bool ReplaceFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return false;
  const std::string target = TargetOf(path);
  const std::string folder = FolderOf(target);
  const size_t slash = target.rfind('/');
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

  // A hidden name beside the target, unique per attempt.
  std::string pattern = folder + "/." + name + ".XXXXXX";
  std::vector<char> temp_name(pattern.begin(), pattern.end());
  temp_name.push_back('\0');
  const int fd = ::mkostemp(temp_name.data(), O_CLOEXEC);
  if (fd < 0) return false;

  struct stat old_info {};
  bool ok = true;
  if (::stat(target.c_str(), &old_info) == 0 && S_ISREG(old_info.st_mode)) {
    ok = ::fchmod(fd, old_info.st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(fd, bytes);
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp_name.data(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp_name.data());
    return false;
  }

  // Make the rename itself durable; the new file is in place either way.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
  return true;
}

}  // namespace pictavo
