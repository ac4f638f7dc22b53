#include "platform/console.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace pictavo {
namespace {

// The capture is process-wide because the console is; the lock keeps lines
// of the worker thread and the main thread whole.
std::mutex& ConsoleLock() {
  static std::mutex lock;
  return lock;
}
std::string* g_capture = nullptr;

}  // namespace

void PrintLine(std::string_view text) {
  std::lock_guard<std::mutex> guard(ConsoleLock());
  if (g_capture) {
    g_capture->append(text);
    g_capture->push_back('\n');
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool StdoutIsTerminal() {
  {
    std::lock_guard<std::mutex> guard(ConsoleLock());
    if (g_capture) return false;
  }
  return isatty(STDOUT_FILENO) == 1;
}

ConsoleCapture::ConsoleCapture() {
  std::lock_guard<std::mutex> guard(ConsoleLock());
  previous_ = g_capture;
  g_capture = &buffer_;
}

ConsoleCapture::~ConsoleCapture() {
  std::lock_guard<std::mutex> guard(ConsoleLock());
  g_capture = previous_;
}

std::string ConsoleCapture::Text() const {
  std::lock_guard<std::mutex> guard(ConsoleLock());
  return buffer_;
}

std::vector<std::string> ConsoleCapture::Lines() const {
  std::string text = Text();
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace pictavo
