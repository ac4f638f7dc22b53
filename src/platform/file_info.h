#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pictavo {

// What the file system says about one path, following symbolic links.
struct FileInfo {
  bool isFolder = false;
  bool isRegular = false;  // a plain file (not a folder, device, pipe or socket)
  int64_t size = 0;
  uint64_t device = 0;  // with `inode`, identifies the file across different paths
  uint64_t inode = 0;
  int64_t mtimeSeconds = 0;  // modification time as the file system keeps it
  int64_t mtimeNanos = 0;
};

// Nothing when the path does not exist or cannot be looked at.
std::optional<FileInfo> StatPath(const std::string& path);

bool IsFolder(const std::string& path);

// The names in `folder` without "." and "..", sorted by byte value so that a
// walk over the same tree always visits it in the same order. Nothing when
// the folder cannot be read.
std::optional<std::vector<std::string>> ListFolder(const std::string& folder);

// Creates one folder (its parent must exist). False when it could not be made.
bool MakeFolder(const std::string& path);

// Sets only the modification time of `path`; the access time is left alone.
bool SetModificationTime(const std::string& path, int64_t seconds, int64_t nanos = 0);

// The current folder, ending in "/"; empty when it cannot be found.
std::string CurrentFolder();

}  // namespace pictavo
