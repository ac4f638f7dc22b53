#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/run_pictavo.h"

namespace pictavo {

// Runs the executable under test on a pseudo-terminal, so that standard
// input and output are a terminal as they are for a user at a console.
class TerminalSession {
 public:
  TerminalSession(const ScratchDir& scratch, const std::vector<std::string>& args);
  ~TerminalSession();
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  bool started() const { return pid_ > 0; }

  // Reads the terminal output until it contains `text`; false when the
  // program closed the terminal first.
  bool ReadUntil(std::string_view text);
  // Reads everything up to the program's end.
  void ReadToEnd();
  // All output read so far.
  const std::string& output() const { return output_; }

  // Waits until the terminal is in non-canonical mode without echo (true) or
  // until the program has ended without switching it (false).
  bool WaitForKeyWait();
  // Whether the terminal reads line by line with echo, as a shell leaves it.
  bool InCanonicalEchoMode() const;

  // Sends bytes as if typed.
  void Type(std::string_view bytes);
  // Waits for the program to end; its exit code, or -1.
  int Wait();
  // True when the program has already ended (its exit code is then kept).
  bool HasEnded();

 private:
  pid_t pid_ = -1;
  int master_ = -1;
  int exit_code_ = -1;
  bool ended_ = false;
  std::string output_;
};

}  // namespace pictavo
