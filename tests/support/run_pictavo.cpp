#include "support/run_pictavo.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace pictavo {
namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = (tmp && *tmp) ? tmp : "/tmp";
  if (base.back() != '/') base.push_back('/');
  std::string pattern = base + "pictavo-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create scratch folder");
  root_ = pattern + "/";
  fs::create_directories(RuntimeDir());
  fs::permissions(RuntimeDir(), fs::perms::owner_all, fs::perm_options::replace);
  fs::create_directories(ConfigDir());
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

std::string ScratchDir::Path(std::string_view relative) const {
  return root_ + std::string(relative);
}

std::string ScratchDir::MakeFolder(std::string_view relative) const {
  std::string folder = Path(relative);
  fs::create_directories(folder);
  if (folder.back() != '/') folder.push_back('/');
  return folder;
}

std::string ScratchDir::WriteFile(std::string_view relative, std::string_view bytes) const {
  std::string file = Path(relative);
  fs::path parent = fs::path(file).parent_path();
  if (!parent.empty()) fs::create_directories(parent);
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::string ScratchDir::ReadFile(std::string_view relative) const {
  std::ifstream stream(Path(relative), std::ios::binary);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> RunResult::Lines() const {
  return SplitLines(out);
}

std::vector<std::string> PictavoEnvironment(const ScratchDir& scratch, const RunOptions& options) {
  std::vector<std::pair<std::string, std::string>> overrides = {
      {"XDG_RUNTIME_DIR", scratch.RuntimeDir()},
      {"XDG_CONFIG_HOME", scratch.ConfigDir()},
  };
  overrides.insert(overrides.end(), options.env.begin(), options.env.end());
  std::vector<std::string> entries;
  for (char** entry = environ; *entry; ++entry) {
    std::string_view text(*entry);
    bool replaced = false;
    for (const auto& [key, value] : overrides) {
      if (text.substr(0, key.size() + 1) == key + "=") replaced = true;
    }
    if (!replaced) entries.emplace_back(text);
  }
  for (const auto& [key, value] : overrides) entries.push_back(key + "=" + value);
  return entries;
}

namespace {

// Reads both pipes to their ends without letting either fill up.
void Drain(int out_fd, int err_fd, std::string& out, std::string& err) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* sinks[2] = {&out, &err};
  int open_count = 2;
  char buffer[4096];
  while (open_count > 0) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

}  // namespace

RunResult RunPictavo(const ScratchDir& scratch, const std::vector<std::string>& args,
                     const RunOptions& options) {
  RunResult result;
  std::string input = "/dev/null";
  if (!options.stdin_text.empty()) input = scratch.WriteFile("run/stdin", options.stdin_text);
  const std::string working_dir =
      options.working_dir.empty() ? scratch.path() : options.working_dir;

  int out_pipe[2], err_pipe[2];
  if (pipe2(out_pipe, O_CLOEXEC) != 0) return result;
  if (pipe2(err_pipe, O_CLOEXEC) != 0) {
    close(out_pipe[0]);
    close(out_pipe[1]);
    return result;
  }

  if (options.stdout_closed) {
    close(out_pipe[0]);
    out_pipe[0] = open("/dev/null", O_RDONLY | O_CLOEXEC);
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, working_dir.c_str());

  std::vector<std::string> argument_texts = {PICTAVO_EXE};
  argument_texts.insert(argument_texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& text : argument_texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = PictavoEnvironment(scratch, options);
  std::vector<char*> envp;
  for (std::string& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);

  pid_t pid = -1;
  int spawned = posix_spawn(&pid, PICTAVO_EXE, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out_pipe[1]);
  close(err_pipe[1]);
  if (spawned == 0) Drain(out_pipe[0], err_pipe[0], result.out, result.err);
  close(out_pipe[0]);
  close(err_pipe[0]);
  if (spawned != 0) return result;

  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}

}  // namespace pictavo
