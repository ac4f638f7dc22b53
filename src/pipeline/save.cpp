#include "pipeline/save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string_view>

namespace pictavo {
namespace {

struct MemoryCloser {
  void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};
using Memory = std::unique_ptr<FIMEMORY, MemoryCloser>;

std::string WriteFailure(int error) {
  return std::string("cannot write the output file: ") + std::strerror(error);
}

// The mode a newly created file gets, read without changing the process's
// umask (umask() itself would race with other threads creating files).
mode_t NewFileMode() {
  mode_t mask = 022;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) {
      mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
      break;
    }
  }
  return 0666 & ~mask;
}

// ".name.XXXXXX" in the target's folder; a long name is shortened so that
// the temporary name still fits where the target's name fits.
std::string TemporaryTemplate(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  constexpr size_t kMaxName = 255 - 8;  // room for "." and ".XXXXXX"
  if (name.size() > kMaxName) name.resize(kMaxName);
  return folder + "." + name + ".XXXXXX";
}

bool WriteAll(int fd, const BYTE* data, size_t size, int& error) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    if (written == 0) {  // no progress and no error: treat as a full disk
      error = ENOSPC;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// Makes the rename itself durable. A failure here changes nothing on disk
// that the caller could mend, so it is not reported.
void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Writes, flushes and closes the temporary file; false with `error` set on
// the first failure.
bool FillTemporary(int fd, const BYTE* data, size_t size, int& error) {
  bool ok = true;
  if (fchmod(fd, NewFileMode()) != 0) {
    error = errno;
    ok = false;
  }
  if (ok) ok = WriteAll(fd, data, size, error);
  // A full disk may show only when the data reaches it.
  if (ok && fsync(fd) != 0) {
    error = errno;
    ok = false;
  }
  if (close(fd) != 0 && ok) {
    error = errno;
    ok = false;
  }
  return ok;
}

bool WriteNew(const std::string& path, const BYTE* data, size_t size, std::string& failure) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    failure = WriteFailure(errno);
    return false;
  }
  int error = 0;
  if (!FillTemporary(fd, data, size, error)) {
    unlink(path.c_str());
    failure = WriteFailure(error);
    return false;
  }
  return true;
}

bool WriteReplacing(const std::string& path, const BYTE* data, size_t size, std::string& failure) {
  std::string temporary = TemporaryTemplate(path);
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    failure = WriteFailure(errno);
    return false;
  }
  int error = 0;
  bool ok = FillTemporary(fd, data, size, error);
  if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
    error = errno;
    ok = false;
  }
  if (!ok) {
    unlink(temporary.c_str());
    failure = WriteFailure(error);
    return false;
  }
  SyncFolderOf(path);
  return true;
}

std::string FormatName(int fif) {
  const char* name = FreeImage_GetFormatFromFIF(static_cast<FREE_IMAGE_FORMAT>(fif));
  return name ? name : "the output format";
}

using FileWriter = bool (*)(const std::string& path, const BYTE* data, size_t size,
                            std::string& failure);

bool EncodeAndWrite(const Bitmap& image, int fif, int flags, const std::string& path,
                    FileWriter write, std::string& failure) {
  if (!image) {
    if (failure.empty()) failure = "no image to save";
    return false;
  }
  Memory memory(FreeImage_OpenMemory());
  if (!memory) {
    failure = "not enough memory to encode the image";
    return false;
  }
  if (!FreeImage_SaveToMemory(static_cast<FREE_IMAGE_FORMAT>(fif), image.get(), memory.get(),
                              flags)) {
    failure = "FreeImage could not encode the image as " + FormatName(fif);
    return false;
  }
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!FreeImage_AcquireMemory(memory.get(), &data, &size) || size == 0) {
    failure = "FreeImage could not encode the image as " + FormatName(fif);
    return false;
  }
  return write(path, data, size, failure);
}

}  // namespace

bool SaveImage(const Bitmap& image, int fif, int flags, const std::string& path,
               std::string& failure) {
  return EncodeAndWrite(image, fif, flags, path, WriteReplacing, failure);
}

bool WriteImageFile(const Bitmap& image, int fif, int flags, const std::string& path,
                    std::string& failure) {
  return EncodeAndWrite(image, fif, flags, path, WriteNew, failure);
}

void SyncFolderOfFile(const std::string& path) {
  SyncFolderOf(path);
}

}  // namespace pictavo
