#include "app/dispatcher.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/help_text.h"
#include "platform/console.h"

namespace pictavo {
namespace {

class DispatcherTest : public ::testing::Test {
 protected:
  DispatchResult Run(const std::vector<std::string>& parameters) {
    return Dispatch(*context_, parameters);
  }
  std::unique_ptr<Context> context_ = std::make_unique<Context>();
  ConsoleCapture console_;
};

TEST_F(DispatcherTest, WithoutParametersTheWindowFollowsAndNothingIsPrinted) {
  EXPECT_EQ(Run({}).outcome, DispatchOutcome::WindowMode);
  EXPECT_EQ(console_.Text(), "");
}

TEST_F(DispatcherTest, ParametersWithoutAnInputHandOverToTheWindow) {
  for (std::vector<std::string> parameters :
       {std::vector<std::string>{"--jpg-quality=80"}, {"-o", "/tmp/"}, {"--no-such"}, {"x"}}) {
    EXPECT_EQ(Run(parameters).outcome, DispatchOutcome::WindowMode) << parameters[0];
  }
  EXPECT_EQ(console_.Text(), "");
}

TEST_F(DispatcherTest, AnEmptyLongValueIsAnErrorEvenWithoutAnInput) {
  EXPECT_EQ(Run({"--jpg-quality="}).outcome, DispatchOutcome::Done);
  EXPECT_EQ(console_.Lines(), std::vector<std::string>{"Error: Incorrect number of parameters"});
}

TEST_F(DispatcherTest, QuietDoesNotHideTheErrorLine) {
  Run({"-q", "-i"});
  EXPECT_EQ(console_.Lines(), std::vector<std::string>{"Error: Incorrect number of parameters"});
}

TEST_F(DispatcherTest, VersionAnswersOnlyAsTheFirstParameter) {
  for (const char* first : {"-v", "-V", "--version", "--Version=yes"}) {
    ConsoleCapture console;
    EXPECT_EQ(Run({first, "-i", "a.psd"}).outcome, DispatchOutcome::Done);
    EXPECT_EQ(console.Lines(), std::vector<std::string>{"3.1"}) << first;
  }
  ConsoleCapture console;
  Run({"--jpg-quality=80", "-v"});
  EXPECT_EQ(console.Text(), "");
}

TEST_F(DispatcherTest, HelpAnswersToEachOfItsNames) {
  for (const char* first : {"-h", "-H", "-?", "--help", "--HELP=1"}) {
    ConsoleCapture console;
    Run({first});
    auto lines = console.Lines();
    ASSERT_EQ(lines.size(), 38u) << first;
    EXPECT_EQ(lines[1], "Usage: " + ProgramName() + " -i <filename> [options]");
  }
}

TEST_F(DispatcherTest, ARunPrintsTheBannerUnlessQuiet) {
  Run({"-i", "/nonexistent/a.psd"});
  auto lines = console_.Lines();
  ASSERT_GE(lines.size(), 4u);
  const std::vector<std::string> banner(lines.begin(), lines.begin() + 4);
  EXPECT_EQ(banner, (std::vector<std::string>{"Pictavo 3.1",
                                              "Copyright (c) 2026 Quorvane. All rights reserved.",
                                              "https://quorvane.example/pictavo/", " "}));

  ConsoleCapture quiet;
  Run({"-q", "-i", "/nonexistent/a.psd"});
  EXPECT_EQ(quiet.Text().find("Pictavo 3.1"), std::string::npos);
}

TEST_F(DispatcherTest, HelpAfterTheInputIsIgnoredAndTheRunGoesOn) {
  Run({"-i", "/nonexistent/a.psd", "--help"});
  auto lines = console_.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Pictavo 3.1");
  EXPECT_EQ(console_.Text().find("Usage:"), std::string::npos);
}

TEST_F(DispatcherTest, EachDispatchStartsFromTheCommandLineDefaults) {
  context_->settings.JPGQuality = 5;
  context_->settings.KeepAspectRatio = 1;
  context_->run.InputPath = "/old/";
  context_->run.CommandLineInput = 1;
  EXPECT_EQ(Run({"--width=100"}).outcome, DispatchOutcome::WindowMode);
  EXPECT_EQ(context_->settings.JPGQuality, 95);
  EXPECT_EQ(context_->settings.KeepAspectRatio, 0);
  EXPECT_EQ(context_->settings.ImageWidth, 100);
  EXPECT_EQ(context_->run.InputPath, "");
  EXPECT_EQ(context_->run.OutputExtension, "");
  EXPECT_EQ(context_->messages.Text("General", "Preparing"), "Preparing...");
}

TEST_F(DispatcherTest, TheTwoSpecialSwitchesAreHandedBack) {
  EXPECT_EQ(Run({"-U"}).outcome, DispatchOutcome::UninstallPage);
  auto demo = Run({"-t", "/tmp/shots/"});
  EXPECT_EQ(demo.outcome, DispatchOutcome::Demonstration);
  EXPECT_EQ(demo.folder, "/tmp/shots/");
  EXPECT_EQ(context_->run.RunMode, "T");
  EXPECT_EQ(Run({"-T"}).folder, "");
  EXPECT_EQ(console_.Text(), "");
}

TEST(HelpTextTest, FillsTheProgramAndFormatPlaceholders) {
  FormatTables formats;
  formats.EnabledInputFormats = {"psd", "tiff"};
  formats.EnabledOutputFormats = {"png", "jpg"};
  auto lines = HelpLines("conv", formats);
  ASSERT_EQ(lines.size(), 38u);
  for (int i : {3, 4, 5}) {
    const bool psd = lines[i].find("example.psd") != std::string::npos;
    const bool tiff = lines[i].find("example.tiff") != std::string::npos;
    EXPECT_TRUE(psd != tiff) << lines[i];
    EXPECT_EQ(lines[i].rfind("  conv -i ", 0), 0u) << lines[i];
  }
  EXPECT_EQ(lines[6], "  conv -i /tmp/filelist.txt");
  EXPECT_EQ(lines[8], "  conv -i /tmp/ -o /tmp/converted -c png --jpg-quality=95");
  for (const std::string& line : lines) EXPECT_EQ(line.find('%'), std::string::npos) << line;
}

}  // namespace
}  // namespace pictavo
