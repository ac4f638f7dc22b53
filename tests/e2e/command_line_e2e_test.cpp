// The command-line face as a user meets it: the real executable, its output
// and its exit code.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "support/run_pictavo.h"
#include "support/terminal_session.h"

namespace pictavo {
namespace {

constexpr const char* kWindowLine =
    "The window face is not part of this build yet; run pictavo -h for the command line.";
constexpr const char* kParameterError = "Error: Incorrect number of parameters";

const std::vector<std::string> kHelp = {
    " ",
    "Usage: pictavo -i <filename> [options]",
    " ",
    "  pictavo -i example.psd",
    "  pictavo -i /tmp/example.psd",
    "  pictavo -i /tmp/example.psd -o /tmp/converted",
    "  pictavo -i /tmp/filelist.txt",
    "  pictavo -i /tmp/ -o /tmp/converted --jpg-quality=95",
    "  pictavo -i /tmp/ -o /tmp/converted -c jpg --jpg-quality=95",
    " ",
    "Options:",
    " ",
    "  -h, -?, --help            Display this help and exit",
    "  -i FILE, --input=FILE     Set input file/list/folder",
    "  -o PATH, --output=PATH    Set output folder",
    "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)",
    " ",
    "Advanced options:",
    " ",
    "  --width=NUM               Set output image width",
    "  --height=NUM              Set output image height",
    "  --filename-mask=STR       Define output filename format",
    "  --flip-horizontal         Flip output image horizontally",
    "  --flip-vertical           Flip output image vertically",
    "  --brightness=NUM          Set output image brightness, NUM = -100..100",
    "  --contrast=NUM            Set output image contrast, NUM = -100..100",
    "  --gamma=NUM               Set output image gamma, NUM = 0.01..9.99",
    "  --invert                  Invert output image",
    "  --greyscale               Greyscale output image",
    "  --profile=FILE            Set configuration file with required settings",
    "    ...                     Refer documentation for all available options",
    " ",
    "Other options:",
    " ",
    "  -q, --quiet               Don't print status messages to stdout",
    "  -d, --debug               Print debug information to stdout",
    "  -p, --pause               Pause at exit",
    "  -v, --version             Display version information and exit",
};

TEST(CommandLineEndToEnd, VersionPrintsThreePointOne) {
  ScratchDir scratch;
  RunResult run = RunPictavo(scratch, {"-v"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "3.1\n");  // no title escape when the output is not a terminal
  EXPECT_EQ(run.err, "");
}

TEST(CommandLineEndToEnd, HelpPrintsTheThirtyEightLinesExactly) {
  ScratchDir scratch;
  RunResult run = RunPictavo(scratch, {"-h"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.Lines(), kHelp);
  EXPECT_EQ(run.out.back(), '\n');
}

TEST(CommandLineEndToEnd, AMissingInputValueIsReportedEvenWhenQuiet) {
  ScratchDir scratch;
  for (std::vector<std::string> args : {std::vector<std::string>{"-i"}, {"-q", "-i"}}) {
    RunResult run = RunPictavo(scratch, args);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.Lines(), std::vector<std::string>{kParameterError});
  }
}

TEST(CommandLineEndToEnd, WithoutAnInputTheWindowModeIsAnnounced) {
  ScratchDir scratch;
  for (std::vector<std::string> args :
       {std::vector<std::string>{}, {"--jpg-quality=80"}, {"-o", "/tmp/"}, {"-U"}, {"-T", "x"}}) {
    RunResult run = RunPictavo(scratch, args);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.Lines(), std::vector<std::string>{kWindowLine});
  }
}

TEST(CommandLineEndToEnd, EveryOutcomeExitsWithZero) {
  ScratchDir scratch;
  const std::vector<std::vector<std::string>> cases = {
      {"-v"},
      {"-h"},
      {"-i"},
      {"--width="},
      {"--profile=missing.ini", "-i", "a.psd"},
      {"-i", "missing.psd"},
      {"-q", "-i", "missing/"},
      {"-i", "a.psd", "-o", "missing/", "-c", "png"},
      {"stray"},
  };
  for (const auto& args : cases) {
    RunResult run = RunPictavo(scratch, args);
    EXPECT_EQ(run.exit_code, 0) << args[0];
  }
}

TEST(CommandLineEndToEnd, AClosedOutputPipeDoesNotKillTheProcess) {
  ScratchDir scratch;
  RunOptions closed;
  closed.stdout_closed = true;
  for (std::vector<std::string> args :
       {std::vector<std::string>{"-h"}, {"-i"}, {"-i", "missing.psd"}}) {
    EXPECT_EQ(RunPictavo(scratch, args, closed).exit_code, 0) << args.back();
  }
}

TEST(CommandLineEndToEnd, AnErrorAfterPauseDoesNotWaitWhenInputIsNotATerminal) {
  ScratchDir scratch;
  // Standard input holds a byte: a wait that read it anyway would still end,
  // so the check is that nothing is read and no prompt appears.
  RunOptions options;
  options.stdin_text = "k";
  RunResult run = RunPictavo(scratch, {"-p", "-i"}, options);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.Lines(), std::vector<std::string>{kParameterError});
}

TEST(CommandLineEndToEnd, ASecondInstanceEndsSilentlyWhileTheLockIsHeld) {
  ScratchDir scratch;
  // Hold the lock as a running instance would.
  const std::string lock_path = scratch.RuntimeDir() + "pictavo-3.1.lock";
  int fd = open(lock_path.c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
  for (std::vector<std::string> args :
       {std::vector<std::string>{"-v"}, {"-i"}, {"-h"}, {}, {"-i", "a.psd"}}) {
    RunResult run = RunPictavo(scratch, args);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
  }
  close(fd);
  EXPECT_EQ(RunPictavo(scratch, {"-v"}).out, "3.1\n");
}

TEST(CommandLineOnATerminal, AnErrorAfterPauseWaitsForOneKeyWithoutEchoAndRestoresTheTerminal) {
  ScratchDir scratch;
  TerminalSession session(scratch, {"-p", "-i"});
  ASSERT_TRUE(session.started());
  ASSERT_TRUE(session.ReadUntil(kParameterError));
  ASSERT_TRUE(session.WaitForKeyWait()) << "ended without waiting: " << session.output();
  EXPECT_FALSE(session.HasEnded());
  session.Type("x");
  session.ReadToEnd();
  EXPECT_EQ(session.Wait(), 0);
  EXPECT_TRUE(session.InCanonicalEchoMode());
  // The title is set on a terminal; the key is not echoed and no prompt shows.
  EXPECT_NE(session.output().find("\x1b]0;Pictavo 3.1\a"), std::string::npos);
  EXPECT_EQ(session.output().find('x'), std::string::npos) << session.output();
  EXPECT_EQ(session.output().find("Press any key"), std::string::npos);
}

TEST(CommandLineOnATerminal, AnErrorBeforePauseEndsWithoutWaiting) {
  ScratchDir scratch;
  TerminalSession session(scratch, {"-i", "-p"});
  ASSERT_TRUE(session.started());
  ASSERT_TRUE(session.ReadUntil(kParameterError));
  EXPECT_FALSE(session.WaitForKeyWait()) << "waited for a key";
  EXPECT_EQ(session.Wait(), 0);
}

TEST(CommandLineOnATerminal, APausedRunAsksForAKeyAtTheEnd) {
  ScratchDir scratch;
  TerminalSession session(scratch, {"-p", "-i", "missing.psd"});
  ASSERT_TRUE(session.started());
  ASSERT_TRUE(session.ReadUntil("Press any key to exit."));
  ASSERT_TRUE(session.WaitForKeyWait());
  session.Type(" ");
  session.ReadToEnd();
  EXPECT_EQ(session.Wait(), 0);
}

}  // namespace
}  // namespace pictavo
