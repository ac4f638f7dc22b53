#include "platform/files.h"

#include <sys/stat.h>

namespace pictavo {
namespace {

std::optional<struct stat> StatOf(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) return std::nullopt;
  return info;
}

}  // namespace

std::optional<int64_t> FileSize(const std::string& path) {
  auto info = StatOf(path);
  if (!info || !S_ISREG(info->st_mode)) return std::nullopt;
  return static_cast<int64_t>(info->st_size);
}

bool PathExists(const std::string& path) {
  return StatOf(path).has_value();
}

bool FileExists(const std::string& path) {
  auto info = StatOf(path);
  return info && S_ISREG(info->st_mode);
}

}  // namespace pictavo
