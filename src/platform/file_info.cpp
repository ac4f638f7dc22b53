#include "platform/file_info.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace pictavo {

std::optional<FileInfo> StatPath(const std::string& path) {
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0) return std::nullopt;
  FileInfo info;
  info.isFolder = S_ISDIR(st.st_mode);
  info.isRegular = S_ISREG(st.st_mode);
  info.size = static_cast<int64_t>(st.st_size);
  info.device = static_cast<uint64_t>(st.st_dev);
  info.inode = static_cast<uint64_t>(st.st_ino);
  info.mtimeSeconds = static_cast<int64_t>(st.st_mtim.tv_sec);
  info.mtimeNanos = static_cast<int64_t>(st.st_mtim.tv_nsec);
  return info;
}

bool IsFolder(const std::string& path) {
  auto info = StatPath(path);
  return info && info->isFolder;
}

std::optional<std::vector<std::string>> ListFolder(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::string> names;
  while (dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  closedir(dir);
  // std::string compares as unsigned bytes, which is the byte order wanted.
  std::sort(names.begin(), names.end());
  return names;
}

bool MakeFolder(const std::string& path) {
  return mkdir(path.c_str(), 0777) == 0;
}

bool SetModificationTime(const std::string& path, int64_t seconds, int64_t nanos) {
  timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(seconds);
  times[1].tv_nsec = static_cast<long>(nanos);
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) return {};
  std::string folder(buffer);
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace pictavo
