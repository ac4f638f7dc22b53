#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_info.h"  // IsFolder, StatPath and the folder services

namespace pictavo {

// Paths are UTF-8 byte strings; a trailing "/" on a folder is allowed.

// The size in bytes of the regular file at `path` (links followed); nothing
// when there is no such file or it is a folder or other special file.
std::optional<int64_t> FileSize(const std::string& path);

// True when something (file, folder or other) exists at `path`.
bool PathExists(const std::string& path);

// True when a regular file exists at `path`.
bool FileExists(const std::string& path);

}  // namespace pictavo
