#include "batch/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/clock.h"

namespace pictavo {
namespace {

constexpr int64_t kRedrawMillis = 100;
constexpr size_t kFallbackWidth = 80;
constexpr std::string_view kEraseLine = "\r\x1b[K";

// Characters of UTF-8 text (continuation bytes do not count).
size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

// The last `keep` characters of a UTF-8 text.
std::string_view LastCharacters(std::string_view text, size_t keep) {
  size_t count = 0;
  size_t at = text.size();
  while (at > 0 && count < keep) {
    --at;
    if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) ++count;
  }
  return text.substr(at);
}

size_t TerminalWidth() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return kFallbackWidth;
}

void WriteAll(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(STDERR_FILENO, text.data(), text.size());
    if (n <= 0) return;
    text.remove_prefix(static_cast<size_t>(n));
  }
}

std::string_view FileName(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string FormatTimeLeft(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  if (seconds < 60) return std::to_string(seconds) + " s";
  if (seconds < 3600) {
    return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
  }
  return std::to_string(seconds / 3600) + " h " + std::to_string(seconds % 3600 / 60) + " min";
}

std::string FormatProgress(int32_t number, int32_t total, std::string_view name,
                           std::optional<int64_t> seconds_left, size_t width) {
  const std::string head = "file " + std::to_string(number) + " of " + std::to_string(total);
  const std::string tail = seconds_left ? ", about " + FormatTimeLeft(*seconds_left) + " left" : "";
  // Leave the last column free: writing into it would wrap on some
  // terminals, and the carriage return would then miss the line's start.
  const size_t room = width > 1 ? width - 1 : 0;
  const size_t fixed = head.size() + 2 + tail.size();
  if (fixed + CharacterCount(name) <= room) return head + ": " + std::string(name) + tail;
  if (fixed + 4 <= room) {
    return head + ": ..." + std::string(LastCharacters(name, room - fixed - 3)) + tail;
  }
  return (head + tail).substr(0, room);
}

ProgressLine::ProgressLine(bool wanted, int32_t total)
    : active_(wanted && isatty(STDERR_FILENO) == 1), total_(total), started_(MonotonicMillis()) {}

ProgressLine::~ProgressLine() {
  Erase();
}

void ProgressLine::Update(int32_t number, std::string_view path, int32_t done, int64_t now) {
  if (!active_ || number <= 0) return;
  if (drawn_ && now - last_draw_ < kRedrawMillis) return;
  std::optional<int64_t> left;
  if (done > 0) {
    const int64_t elapsed = now - started_;
    left = (elapsed * (total_ - done) / done + 999) / 1000;
  }
  WriteAll(std::string(kEraseLine) +
           FormatProgress(number, total_, FileName(path), left, TerminalWidth()));
  drawn_ = true;
  last_draw_ = now;
}

void ProgressLine::Erase() {
  if (active_ && drawn_) WriteAll(kEraseLine);
  active_ = false;
}

}  // namespace pictavo
