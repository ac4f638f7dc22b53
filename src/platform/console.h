#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pictavo {

// Writes one console line (UTF-8, ending in "\n") to standard output and
// flushes it, so that lines from the program and from a child interleave in
// order. Safe to call from any thread.
void PrintLine(std::string_view text);

// True when standard output is a terminal (and no capture is installed).
bool StdoutIsTerminal();

// While an instance lives, PrintLine appends to it instead of writing to
// standard output, and the console title is left alone. Lets tests run the
// command-line code in process. Captures nest: the newest one collects, and
// the one before it collects again once it is gone.
class ConsoleCapture {
 public:
  ConsoleCapture();
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  // Everything printed so far, each line ending in "\n".
  std::string Text() const;
  // The printed lines without their line ends.
  std::vector<std::string> Lines() const;

 private:
  std::string buffer_;
  std::string* previous_ = nullptr;
};

}  // namespace pictavo
