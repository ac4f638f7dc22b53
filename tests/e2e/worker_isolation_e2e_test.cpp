// Conversions in worker processes, through the real executable: a worker
// that crashes, hangs or meets a full disk costs its own file only, and an
// interrupt ends the run at once without leaving temporary files.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/dispatcher.h"
#include "batch/batch_fixtures.h"
#include "support/psd_writer.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;
using testing::ExpectQuadrantJpeg;
using testing::WriteJpeg;
using testing::WriteQuadrantPsd;

// The lines a run prints after the banner.
std::vector<std::string> RunLines(const std::string& out) {
  std::vector<std::string> lines = SplitLines(out);
  const std::vector<std::string> banner = BannerLines();
  if (lines.size() >= banner.size() && std::equal(banner.begin(), banner.end(), lines.begin())) {
    lines.erase(lines.begin(), lines.begin() + static_cast<long>(banner.size()));
  }
  return lines;
}

// Every name in a folder tree, relative to it, sorted.
std::vector<std::string> TreeNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(fs::relative(entry.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The line that follows `line` in `lines`, or "" when there is none.
std::string LineAfter(const std::vector<std::string>& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  if (it == lines.end() || it + 1 == lines.end()) return "";
  return *(it + 1);
}

// A document of noise, whose JPEG is large.
bool WriteNoisePsd(const std::string& path, uint32_t side) {
  test_support::PsdSpec spec;
  spec.width = side;
  spec.height = side;
  return test_support::WritePsdFile(path, spec, [](uint32_t x, uint32_t y, uint32_t c) {
    uint32_t h = x * 73856093u ^ y * 19349663u ^ (c + 1) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return static_cast<double>((h >> 15) & 0xFF);
  });
}

// Worker processes still running that belong to runs in `scratch` (found by
// the runtime folder in their environment).
int WorkersLeft(const ScratchDir& scratch) {
  int left = 0;
  const std::string marker = "XDG_RUNTIME_DIR=" + scratch.RuntimeDir();
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string pid = entry.path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream cmdline(entry.path() / "cmdline", std::ios::binary);
    std::string args((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    if (args.find("--internal-worker") == std::string::npos) continue;
    std::ifstream environ_file(entry.path() / "environ", std::ios::binary);
    std::string env((std::istreambuf_iterator<char>(environ_file)),
                    std::istreambuf_iterator<char>());
    if (env.find(marker) != std::string::npos) ++left;
  }
  return left;
}

// A run that goes on while the test acts on it: standard output goes to a
// file of the scratch folder.
class BackgroundRun {
 public:
  BackgroundRun(const ScratchDir& scratch, const std::vector<std::string>& args,
                const RunOptions& options)
      : out_path_(scratch.Path("run/background.out")) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_path_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, scratch.path().c_str());
    std::vector<std::string> texts = {PICTAVO_EXE};
    texts.insert(texts.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& text : texts) argv.push_back(text.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = PictavoEnvironment(scratch, options);
    std::vector<char*> envp;
    for (std::string& text : environment) envp.push_back(text.data());
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, PICTAVO_EXE, &actions, nullptr, argv.data(), envp.data()) != 0) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
  }
  ~BackgroundRun() {
    if (pid_ > 0 && !ended_) {
      kill(pid_, SIGKILL);
      Wait(std::chrono::seconds(10));
    }
  }

  pid_t pid() const { return pid_; }
  // Waits for the end, at most `limit`; false when the run is still going.
  bool Wait(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ended_) {
      if (waitpid(pid_, &status_, WNOHANG) == pid_) {
        ended_ = true;
      } else if (std::chrono::steady_clock::now() > deadline) {
        return false;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    }
    return true;
  }
  int status() const { return status_; }
  std::string Output() const {
    std::ifstream in(out_path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string out_path_;
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
};

RunOptions WithEnv(std::vector<std::pair<std::string, std::string>> env) {
  RunOptions options;
  options.env = std::move(env);
  return options;
}

class WorkerIsolation : public ::testing::Test {
 protected:
  std::string Psd(const std::string& relative) {
    const std::string path = scratch.Path(relative);
    scratch.MakeFolder(relative.substr(0, relative.rfind('/') + 1));
    EXPECT_TRUE(WriteQuadrantPsd(path));
    return path;
  }

  RunResult Run(std::vector<std::string> args, const RunOptions& options = {}) {
    RunResult result = RunPictavo(scratch, args, options);
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err, "");
    return result;
  }

  ScratchDir scratch;
};

TEST_F(WorkerIsolation, ACrashedWorkerCostsItsFileOnly) {
  Psd("in/a.psd");
  Psd("in/b.psd");
  Psd("in/c.psd");
  Psd("in/d.psd");
  const std::string out = scratch.MakeFolder("out");
  for (const char* jobs : {"--jobs=1", "--jobs=2"}) {
    fs::remove_all(out);
    fs::create_directories(out);
    const RunResult result = Run({"-d", "-i", scratch.Path("in/"), "-o", out, jobs},
                                 WithEnv({{"PICTAVO_TEST_CRASH_ON", "b.psd"}}));
    const std::vector<std::string> lines = RunLines(result.out);
    EXPECT_EQ(LineAfter(lines, "File Format: PSD"), "[OK] Saving As: " + out + "a.jpg") << jobs;
    EXPECT_EQ(LineAfter(lines, "[ERROR] Unable to convert the file!"),
              "Reason: the worker process crashed (signal 11)")
        << jobs;
    EXPECT_EQ(lines.back(), "Files converted: 3 of 4") << jobs;
    EXPECT_EQ(TreeNames(out), (std::vector<std::string>{"a.jpg", "c.jpg", "d.jpg"})) << jobs;
    for (const char* name : {"a.jpg", "c.jpg", "d.jpg"}) ExpectQuadrantJpeg(out + name);
  }
  EXPECT_EQ(WorkersLeft(scratch), 0);
}

TEST_F(WorkerIsolation, AHungWorkerIsStoppedAtTheTimeLimitAndCostsItsFileOnly) {
  Psd("in/a.psd");
  Psd("in/b.psd");
  Psd("in/c.psd");
  const std::string out = scratch.MakeFolder("out");
  const RunResult result = Run(
      {"-d", "-i", scratch.Path("in/"), "-o", out, "--jobs=1"},
      WithEnv({{"PICTAVO_TEST_HANG_ON", "b.psd"}, {"PICTAVO_TEST_FILE_TIME_LIMIT_MS", "3000"}}));
  const std::vector<std::string> lines = RunLines(result.out);
  EXPECT_EQ(LineAfter(lines, "[ERROR] Unable to convert the file!"),
            "Reason: the conversion took longer than 3 seconds and was stopped");
  EXPECT_EQ(lines.back(), "Files converted: 2 of 3");
  EXPECT_EQ(TreeNames(out), (std::vector<std::string>{"a.jpg", "c.jpg"}));
  ExpectQuadrantJpeg(out + "c.jpg");
  EXPECT_EQ(WorkersLeft(scratch), 0);
}

TEST_F(WorkerIsolation, AFileThatCannotBeReadSaysWhyInDebugMode) {
  ASSERT_TRUE(WriteJpeg(scratch.MakeFolder("in") + "fake.psd"));
  const RunResult result = Run({"-d", "-i", scratch.Path("in/fake.psd")});
  const std::vector<std::string> lines = RunLines(result.out);
  EXPECT_EQ(LineAfter(lines, "[ERROR] Unable to convert the file!"),
            "Reason: the file does not start with the Photoshop signature");
  EXPECT_EQ(lines.back(), "Conversion stopped");
}

// Sets the file-size limit of this process (and so of the runs it starts)
// for the life of the object.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

 private:
  rlimit old_{};
};

TEST_F(WorkerIsolation, FilesThatDoNotFitOnTheDiskFailAndLeaveNothingBehind) {
  Psd("in/a.psd");
  ASSERT_TRUE(WriteNoisePsd(scratch.Path("in/b.psd"), 256));
  Psd("in/c.psd");
  ASSERT_TRUE(WriteNoisePsd(scratch.Path("in/d.psd"), 256));
  const std::string out = scratch.MakeFolder("out");

  RunResult result;
  {
    // Room for a small result (about a kilobyte), not for a noisy one.
    FileSizeLimit limit(16 * 1024);
    result = RunPictavo(scratch, {"-d", "-i", scratch.Path("in/"), "-o", out});
  }
  EXPECT_EQ(result.exit_code, 0);
  const std::vector<std::string> lines = RunLines(result.out);
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "Reason: cannot write the output file: File too large"),
            2);
  EXPECT_EQ(lines.back(), "Files converted: 2 of 4");
  EXPECT_EQ(TreeNames(out), (std::vector<std::string>{"a.jpg", "c.jpg"}));
  ExpectQuadrantJpeg(out + "a.jpg");
  ExpectQuadrantJpeg(out + "c.jpg");
}

TEST_F(WorkerIsolation, AnInterruptEndsTheRunAtOnceAndLeavesNoTemporaryFiles) {
  constexpr int kFiles = 40;
  for (int i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "in/f%02d.psd", i);
    Psd(name);
  }
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal == SIGINT ? "SIGINT" : "SIGTERM");
    const std::string out = scratch.Path(signal == SIGINT ? "out-int/" : "out-term/");
    fs::create_directories(out);
    // The run stops making progress at f12, so the signal surely comes in
    // the middle of the batch.
    BackgroundRun run(scratch, {"-i", scratch.Path("in/"), "-o", out, "--jobs=2"},
                      WithEnv({{"PICTAVO_TEST_HANG_ON", "f12.psd"}}));
    ASSERT_GT(run.pid(), 0);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(out + "f00.jpg") && std::chrono::steady_clock::now() < give_up) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(fs::exists(out + "f00.jpg"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    if (signal == SIGINT) {
      // The single-instance rule holds while the run goes on: a second
      // start ends silently.
      const RunResult second = RunPictavo(scratch, {"-i", scratch.Path("in/"), "-o", out});
      EXPECT_EQ(second.exit_code, 0);
      EXPECT_EQ(second.out, "");
    }

    ASSERT_EQ(kill(run.pid(), signal), 0);
    ASSERT_TRUE(run.Wait(std::chrono::seconds(30))) << "the run did not end after the signal";
    EXPECT_TRUE(WIFSIGNALED(run.status()));
    if (WIFSIGNALED(run.status())) {
      EXPECT_EQ(WTERMSIG(run.status()), signal);
    }

    // What was committed stays, complete, as a prefix of the list; nothing
    // else is in the folder.
    const std::vector<std::string> names = TreeNames(out);
    ASSERT_FALSE(names.empty());
    ASSERT_LE(names.size(), 12u);
    for (size_t i = 0; i < names.size(); ++i) {
      char expected[32];
      std::snprintf(expected, sizeof expected, "f%02zu.jpg", i);
      EXPECT_EQ(names[i], expected);
      ExpectQuadrantJpeg(out + names[i]);
    }
    const std::vector<std::string> lines = RunLines(run.Output());
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Conversion complete");
    EXPECT_EQ(lines.back(),
              "Files converted: " + std::to_string(names.size()) + " of " + std::to_string(kFiles));
    EXPECT_EQ(WorkersLeft(scratch), 0);
  }
}

// Runs the executable with standard error on a pseudo-terminal and standard
// output on a pipe; what each of them received.
struct TerminalRun {
  std::string out;
  std::string terminal;
};
TerminalRun RunWithTerminalStderr(const ScratchDir& scratch, const std::vector<std::string>& args) {
  TerminalRun result;
  int master = -1, slave = -1;
  if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return result;
  int out_pipe[2];
  if (pipe2(out_pipe, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, slave, STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, master);
  std::vector<std::string> texts = {PICTAVO_EXE};
  texts.insert(texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = PictavoEnvironment(scratch, {});
  std::vector<char*> envp;
  for (std::string& text : environment) envp.push_back(text.data());
  envp.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, PICTAVO_EXE, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out_pipe[1]);
  close(slave);
  if (spawned == 0) {
    // Both ends are read until the program closes them.
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {master, POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.terminal};
    int open_count = 2;
    char buffer[4096];
    while (open_count > 0 && poll(fds, 2, -1) >= 0) {
      for (int i = 0; i < 2; ++i) {
        if (fds[i].fd < 0 || fds[i].revents == 0) continue;
        const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        if (n > 0) {
          sinks[i]->append(buffer, static_cast<size_t>(n));
        } else {
          fds[i].fd = -1;
          --open_count;
        }
      }
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }
  close(out_pipe[0]);
  close(master);
  return result;
}

TEST_F(WorkerIsolation, AProgressLineOnATerminalIsErasedAndLeavesStandardOutputAlone) {
  Psd("in/a.psd");
  Psd("in/b.psd");
  Psd("in/c.psd");
  const std::string out = scratch.MakeFolder("out");
  const std::vector<std::string> args = {"-i", scratch.Path("in/"), "-o", out};

  const TerminalRun shown = RunWithTerminalStderr(scratch, args);
  EXPECT_TRUE(
      std::regex_search(shown.terminal, std::regex(R"(\x1b\[Kfile [123] of 3: [abc]\.psd)")))
      << shown.terminal;
  // The line was taken back: the last thing on the terminal is the erase.
  const std::string erase = "\r\x1b[K";
  ASSERT_GE(shown.terminal.size(), erase.size());
  EXPECT_EQ(shown.terminal.substr(shown.terminal.size() - erase.size()), erase);
  EXPECT_EQ(shown.terminal.find('\n'), std::string::npos);
  // Standard output is what it is without a terminal.
  EXPECT_EQ(shown.out, Run(args).out);

  // Quiet and debug runs show no progress line.
  for (const char* mode : {"-q", "-d"}) {
    std::vector<std::string> with_mode = args;
    with_mode.insert(with_mode.begin(), mode);
    EXPECT_EQ(RunWithTerminalStderr(scratch, with_mode).terminal, "") << mode;
  }
}

TEST_F(WorkerIsolation, TheWorkerModeIsNotInTheHelpText) {
  const RunResult result = Run({"-h"});
  EXPECT_EQ(result.out.find("internal"), std::string::npos);
}

}  // namespace
}  // namespace pictavo
