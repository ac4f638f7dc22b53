#include "support/terminal_session.h"

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace pictavo {

TerminalSession::TerminalSession(const ScratchDir& scratch, const std::vector<std::string>& args) {
  // Everything the child needs is built before the fork: after it, only
  // async-signal-safe calls are allowed.
  std::vector<std::string> argument_texts = {PICTAVO_EXE};
  argument_texts.insert(argument_texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& text : argument_texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = PictavoEnvironment(scratch, {});
  std::vector<char*> envp;
  for (std::string& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);
  const std::string folder = scratch.path();

  pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
  if (pid_ == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    execve(PICTAVO_EXE, argv.data(), envp.data());
    _exit(127);
  }
}

TerminalSession::~TerminalSession() {
  if (pid_ > 0 && !HasEnded()) {
    kill(pid_, SIGKILL);
    Wait();
  }
  if (master_ >= 0) close(master_);
}

bool TerminalSession::ReadUntil(std::string_view text) {
  char buffer[1024];
  while (output_.find(text) == std::string::npos) {
    ssize_t n = read(master_, buffer, sizeof buffer);
    if (n > 0) {
      output_.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return false;  // EIO once the program has closed its side
    }
  }
  return true;
}

void TerminalSession::ReadToEnd() {
  ReadUntil(std::string_view("\0never\0", 7));
}

bool TerminalSession::InCanonicalEchoMode() const {
  termios mode{};
  // On Linux the master reports the terminal side's mode.
  if (tcgetattr(master_, &mode) != 0) return false;
  return (mode.c_lflag & ICANON) && (mode.c_lflag & ECHO);
}

bool TerminalSession::WaitForKeyWait() {
  for (;;) {
    termios mode{};
    if (tcgetattr(master_, &mode) == 0 && !(mode.c_lflag & ICANON) && !(mode.c_lflag & ECHO)) {
      return true;
    }
    if (HasEnded()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void TerminalSession::Type(std::string_view bytes) {
  ssize_t written = write(master_, bytes.data(), bytes.size());
  (void)written;
}

bool TerminalSession::HasEnded() {
  if (ended_) return true;
  int status = 0;
  pid_t done = waitpid(pid_, &status, WNOHANG);
  if (done == pid_) {
    ended_ = true;
    exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return ended_;
}

int TerminalSession::Wait() {
  if (ended_ || pid_ <= 0) return exit_code_;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  ended_ = true;
  exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return exit_code_;
}

}  // namespace pictavo
