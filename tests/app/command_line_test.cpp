#include "app/command_line.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/parameters.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

// Runs the option loop over parameters given as the shell would hand them
// over (quotes still in place where a user typed them literally).
class CommandLineTest : public ::testing::Test {
 protected:
  ParsedCommandLine Apply(std::vector<std::string> args) {
    std::vector<char*> argv = {program_};
    for (std::string& arg : args) argv.push_back(arg.data());
    return ApplyParameters(*context_,
                           ParametersFromArgv(static_cast<int>(argv.size()), argv.data()));
  }
  const RunState& run() const { return context_->run; }
  const Settings& settings() const { return context_->settings; }

  std::unique_ptr<Context> context_ = std::make_unique<Context>();
  char program_[8] = "pictavo";
};

constexpr const char* kIncorrect = "Incorrect number of parameters";

TEST_F(CommandLineTest, AQuotedPathWithBlanksIsOneValueAndTheOptionAfterItStillCounts) {
  auto parsed = Apply({"-i", "\"/tmp/my pictures/\"", "-o", "/tmp/out/"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(run().InputPath, "/tmp/my pictures/");
  EXPECT_EQ(run().OutputFolder, "/tmp/out/");
  EXPECT_EQ(run().CommandLineInput, 1);
}

TEST_F(CommandLineTest, AQuotedLongOptionValueKeepsItsBlanksWithoutTheQuotes) {
  auto parsed = Apply({"--wm-text=\"Hello world\"", "--output=\"/tmp/a b/\""});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(settings().WatermarkText, "Hello world");
  EXPECT_EQ(run().OutputFolder, "/tmp/a b/");
}

TEST_F(CommandLineTest, NamesAreMatchedInAnyCase) {
  auto parsed = Apply({"-I", "a.psd", "--OutPut=/tmp/o/", "-C", "jpg", "--jPg-QuAlItY=70", "-D"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(run().InputPath, "a.psd");
  EXPECT_EQ(run().OutputFolder, "/tmp/o/");
  EXPECT_EQ(run().OutputExtension, "jpg");
  EXPECT_EQ(settings().JPGQuality, 70);
  EXPECT_EQ(run().RunMode, "DEBUG");
}

TEST_F(CommandLineTest, MissingPathValuesAreParameterErrors) {
  struct Case {
    std::vector<std::string> args;
    const char* why;
  };
  const Case cases[] = {
      {{"-i"}, "-i as the last parameter"},
      {{"-i", "-o", "/tmp/out/"}, "-i followed by -o"},
      {{"-i", "--output=/tmp/out/"}, "-i followed by a long option"},
      {{"--INPUT", "/tmp/in/"}, "--INPUT without '=' has itself as value"},
      {{"--input="}, "empty long value"},
      {{"--input=-x"}, "long value beginning with '-'"},
      {{"-i", "a.psd", "-o"}, "-o as the last parameter"},
      {{"-i", "a.psd", "-c", "-q"}, "-c followed by a switch"},
      {{"-i", "a.psd", "--conversion="}, "empty conversion"},
  };
  for (const Case& c : cases) {
    Context context;
    std::vector<std::string> parameters = c.args;
    EXPECT_EQ(ApplyParameters(context, parameters).error, kIncorrect) << c.why;
  }
}

TEST_F(CommandLineTest, TheInputFlagIsSetEvenWhenItsValueIsRefused) {
  Apply({"--INPUT", "/tmp/in/"});
  EXPECT_EQ(run().CommandLineInput, 1);
  EXPECT_EQ(run().InputPath, "");
}

TEST_F(CommandLineTest, NegativeNumbersPassButValuesBeginningWithTwoDashesDoNot) {
  EXPECT_EQ(Apply({"--brightness=-50"}).error, "");
  EXPECT_EQ(settings().ImageBrightness, -50);
  EXPECT_EQ(settings().DoImageColorCorrection, 1);
  EXPECT_EQ(Apply({"--contrast=--50"}).error, kIncorrect);
  EXPECT_EQ(settings().ImageContrast, 0);
  EXPECT_EQ(Apply({"--jpg-quality"}).error, kIncorrect);
}

TEST_F(CommandLineTest, SwitchesIgnoreAnyEqualsPart) {
  auto parsed = Apply({"--invert=no", "--quiet=0", "--pause=", "--debug=off", "--greyscale=x"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(settings().ImageInvert, 1);
  EXPECT_EQ(settings().DoImageGreyscale, 1);
  EXPECT_TRUE(parsed.quiet);
  EXPECT_TRUE(parsed.pause);
  EXPECT_EQ(run().RunMode, "DEBUG");
}

TEST_F(CommandLineTest, InformationalSwitchesAndUnknownParametersAreSkippedInTheLoop) {
  auto parsed = Apply({"-i", "a.psd", "--help", "-v", "--version", "-?", "-h", "-U", "-T", "stray",
                       "-x", "--no-such-option=", "-q=1", "-iother.psd"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_FALSE(parsed.quiet);
  EXPECT_EQ(run().InputPath, "a.psd");
}

TEST_F(CommandLineTest, TheFirstErrorEndsTheLoopAndKeepsWhatCameBefore) {
  auto parsed = Apply({"--jpg-quality=70", "-p", "--width=", "--height=5", "-q"});
  EXPECT_EQ(parsed.error, kIncorrect);
  EXPECT_EQ(settings().JPGQuality, 70);
  EXPECT_TRUE(parsed.pause);
  EXPECT_EQ(settings().DoImageResize, 0);
  EXPECT_EQ(settings().ImageHeight, 0);
  EXPECT_FALSE(parsed.quiet);
}

TEST_F(CommandLineTest, APauseAfterTheErrorIsNeverReached) {
  auto parsed = Apply({"-i", "-p"});
  EXPECT_EQ(parsed.error, kIncorrect);
  EXPECT_FALSE(parsed.pause);
}

TEST_F(CommandLineTest, LaterOptionsOverrideEarlierOnes) {
  Apply({"-i", "a.psd", "--jpg-quality=70", "-i", "b.psd", "--JPG-QUALITY=60"});
  EXPECT_EQ(run().InputPath, "b.psd");
  EXPECT_EQ(settings().JPGQuality, 60);
}

TEST_F(CommandLineTest, AProfileOverridesWhatCameBeforeItAndIsOverriddenByWhatFollows) {
  ScratchDir scratch;
  const std::string profile =
      scratch.WriteFile("p.ini", "[CLI]\n--JPG-QUALITY = 80\n--WIDTH = 10\n");
  auto parsed = Apply({"--profile=" + profile, "--jpg-quality=50"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(settings().JPGQuality, 50);
  EXPECT_EQ(settings().ImageWidth, 10);

  Apply({"--jpg-quality=50", "--PROFILE=" + profile});
  EXPECT_EQ(settings().JPGQuality, 80);
}

TEST_F(CommandLineTest, AProfileNeedsANameThatOpens) {
  EXPECT_EQ(Apply({"--profile="}).error, kIncorrect);
  EXPECT_EQ(Apply({"--profile"}).error, kIncorrect);
  EXPECT_EQ(Apply({"--profile=/nonexistent/p.ini"}).error, "Invalid profile file");
}

}  // namespace
}  // namespace pictavo
