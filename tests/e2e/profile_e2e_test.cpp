// Profiles named on the command line, through the real executable.

#include <gtest/gtest.h>

#include "support/run_pictavo.h"

namespace pictavo {
namespace {

TEST(ProfileEndToEnd, AMissingOrUnnamedProfileEndsWithItsErrorLine) {
  ScratchDir scratch;
  scratch.MakeFolder("in");
  scratch.MakeFolder("out");
  for (const char* option : {"--profile=missing.ini", "--profile=in/"}) {
    RunResult run = RunPictavo(scratch, {"-i", "in/", "-o", "out/", option});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.Lines(), std::vector<std::string>{"Error: Invalid profile file"}) << option;
  }
  RunResult empty = RunPictavo(scratch, {"-i", "in/", "--profile="});
  EXPECT_EQ(empty.Lines(), std::vector<std::string>{"Error: Incorrect number of parameters"});
}

TEST(ProfileEndToEnd, AProfileIsReadFromTheCurrentFolder) {
  ScratchDir scratch;
  scratch.WriteFile("work/p.ini", "[CLI]\n--JPG-QUALITY = 80\n");
  RunOptions in_work;
  in_work.working_dir = scratch.Path("work");
  RunResult run = RunPictavo(scratch, {"-q", "-i", "missing.psd", "--profile=p.ini"}, in_work);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out.find("Invalid profile file"), std::string::npos) << run.out;
}

// The debug echo shows the settings a run ends up with.
std::vector<std::string> EchoLines(const RunResult& run, std::string_view label) {
  std::vector<std::string> found;
  for (const std::string& line : run.Lines()) {
    if (line.rfind(label, 0) == 0) found.push_back(line);
  }
  return found;
}

class ProfileOrderEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    in_ = scratch_.MakeFolder("in");
    out_ = scratch_.MakeFolder("out");
    profile_ = scratch_.WriteFile("p.ini", "[CLI]\n--JPG-QUALITY = 80\n");
  }
  RunResult Run(std::vector<std::string> options) {
    std::vector<std::string> args = {"-d", "-i", in_, "-o", out_};
    args.insert(args.end(), options.begin(), options.end());
    return RunPictavo(scratch_, args);
  }
  ScratchDir scratch_;
  std::string in_, out_, profile_;
};

TEST_F(ProfileOrderEndToEnd, AnOptionAfterTheProfileOverridesIt) {
  RunResult run = Run({"--profile=" + profile_, "--jpg-quality=50"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(EchoLines(run, "JPG Quality: "), std::vector<std::string>{"JPG Quality: 50"})
      << run.out;
}

TEST_F(ProfileOrderEndToEnd, TheProfileOverridesAnOptionBeforeIt) {
  RunResult run = Run({"--jpg-quality=50", "--profile=" + profile_});
  EXPECT_EQ(EchoLines(run, "JPG Quality: "), std::vector<std::string>{"JPG Quality: 80"})
      << run.out;
}

TEST_F(ProfileOrderEndToEnd, KeysAProfileMayNotHoldAreSkipped) {
  scratch_.MakeFolder("elsewhere");
  const std::string profile = scratch_.WriteFile(
      "skip.ini", "[CLI]\n--INPUT = " + scratch_.Path("elsewhere/") +
                      "\n--DEBUG\n--FR-SOLID-OPACITY = 10\n--FR-SOLID-LEFT = 4\n");
  // Without -d: a profile cannot switch the debug echo on.
  RunResult quiet_run = RunPictavo(scratch_, {"-i", in_, "-o", out_, "--profile=" + profile});
  EXPECT_TRUE(EchoLines(quiet_run, "Input: ").empty()) << quiet_run.out;

  RunResult run = Run({"--profile=" + profile});
  EXPECT_EQ(EchoLines(run, "Input: "), std::vector<std::string>{"Input: " + in_});
  EXPECT_EQ(EchoLines(run, "Frame left: "), std::vector<std::string>{"Frame left: 4"});
  EXPECT_EQ(EchoLines(run, "Frame opacity: "), std::vector<std::string>{"Frame opacity: 255"});
}

}  // namespace
}  // namespace pictavo
