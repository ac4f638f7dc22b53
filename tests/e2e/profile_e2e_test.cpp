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

}  // namespace
}  // namespace pictavo
