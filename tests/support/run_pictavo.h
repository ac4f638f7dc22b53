#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pictavo {

// A scratch folder for one test, created empty under $TMPDIR (or /tmp) and
// removed with all it holds when the object goes. Runs of the executable get
// its "run/" as XDG_RUNTIME_DIR (so their instance lock is their own) and its
// "config/" as XDG_CONFIG_HOME.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The scratch folder itself, ending in "/".
  const std::string& path() const { return root_; }
  // The full path of `relative` below the scratch folder.
  std::string Path(std::string_view relative) const;
  std::string RuntimeDir() const { return root_ + "run/"; }
  std::string ConfigDir() const { return root_ + "config/"; }

  // Creates the folder and any missing parents; returns its path ending in "/".
  std::string MakeFolder(std::string_view relative) const;
  // Writes `bytes` to the file, creating missing folders; returns its path.
  std::string WriteFile(std::string_view relative, std::string_view bytes) const;
  // The whole file, or "" when it cannot be read.
  std::string ReadFile(std::string_view relative) const;

 private:
  std::string root_;
};

struct RunOptions {
  // Folder the process starts in; the scratch folder when empty.
  std::string working_dir;
  // Environment entries added to (or replacing) the test's own environment.
  std::vector<std::pair<std::string, std::string>> env;
  // Standard input is this text, read from a file (so it is never a
  // terminal); empty text means /dev/null.
  std::string stdin_text;
  // Standard output is a pipe whose reading end is already closed, as when
  // the output goes to a program that has ended; `out` stays empty.
  bool stdout_closed = false;
};

struct RunResult {
  int exit_code = -1;  // -1 when the process did not exit normally
  std::string out;     // everything written to standard output
  std::string err;     // everything written to standard error
  // Standard output split into lines, without their "\n".
  std::vector<std::string> Lines() const;
};

// Runs the executable under test (PICTAVO_EXE) with `args` and waits for it
// to end, with the scratch folder's XDG_RUNTIME_DIR and XDG_CONFIG_HOME.
RunResult RunPictavo(const ScratchDir& scratch, const std::vector<std::string>& args,
                     const RunOptions& options = {});

// The environment a run gets: the test's own with XDG_RUNTIME_DIR and
// XDG_CONFIG_HOME pointing into the scratch folder, then `options.env`.
std::vector<std::string> PictavoEnvironment(const ScratchDir& scratch, const RunOptions& options);

// Splits text at "\n" into lines (a final line end adds no empty line).
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace pictavo
