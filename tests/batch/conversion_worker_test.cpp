#include "batch/conversion_worker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "batch/output_naming.h"
#include "platform/file_info.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

// Stands in for the pipeline: "saves" a small file under the name the mask
// gives, except for the inputs it is told to fail.
class FakeConverter : public FileConverter {
 public:
  FakeConverter(Context& context) : context_(context) {}

  bool Convert(FileJob& file) override {
    seen.push_back(file);
    durationsSeen.push_back(ReadProgress(context_.job).lastDuration);
    if (during) during(file);
    file.loadedBpp = 24;
    if (failing.count(file.inputPath)) return false;
    file.outputBpp = 24;
    file.resultWidth = 10 + static_cast<int>(seen.size());
    file.resultHeight = 20;
    file.outputPath = BuildOutputPath(context_.settings, context_.run, file);
    names.push_back(BuildOutputName(context_.settings, context_.run, file));
    FILE* out = std::fopen(file.outputPath.c_str(), "wb");
    if (out == nullptr) return false;
    std::fputs("jpeg", out);
    std::fclose(out);
    return true;
  }

  std::set<std::string> failing;
  std::function<void(const FileJob&)> during;
  std::vector<FileJob> seen;
  std::vector<int64_t> durationsSeen;
  std::vector<std::string> names;

 private:
  Context& context_;
};

class ConversionWorkerTest : public ::testing::Test {
 protected:
  ConversionWorkerTest() : converter(context) {
    context.run.OutputFolder = scratch.MakeFolder("out");
    context.run.OutputExtension = "jpg";
    context.run.CommandLineInput = 1;
    context.settings.FilenameMask = "%filename%_%n%.%ext%";
  }

  void AddInputs(std::initializer_list<const char*> names, const std::string& subfolder = "") {
    for (const char* name : names)
      context.inputs.Add(scratch.WriteFile(name, "not empty"), subfolder);
  }

  int32_t Run() {
    StartTask(context.job, [this] { ConversionWorker(context, converter); });
    return ReadProgress(context.job).count;
  }

  ScratchDir scratch;
  Context context;
  FakeConverter converter;
};

TEST_F(ConversionWorkerTest, AFailedFileIsSkippedAndDoesNotAdvanceTheCounter) {
  AddInputs({"a.psd", "b.psd", "c.psd"});
  converter.failing = {scratch.path() + "b.psd"};

  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(context.run.FileCounter, 3);
  EXPECT_EQ(converter.names, (std::vector<std::string>{"a_00001.jpg", "c_00002.jpg"}));
  EXPECT_TRUE(StatPath(context.run.OutputFolder + "c_00002.jpg"));
  // The run state describes the last file.
  EXPECT_EQ(context.run.CurrentInput, scratch.path() + "c.psd");
  EXPECT_EQ(context.run.CurrentOutput, context.run.OutputFolder + "c_00002.jpg");
  EXPECT_EQ(context.run.ResultWidth, 13);
  EXPECT_GE(context.run.RandomNumber, 1);
  EXPECT_LE(context.run.RandomNumber, 99999);
  // A success publishes at least a second, a failure nothing.
  ASSERT_EQ(converter.durationsSeen.size(), 3u);
  EXPECT_EQ(converter.durationsSeen[0], 0);
  EXPECT_GE(converter.durationsSeen[1], 1000);
  EXPECT_EQ(converter.durationsSeen[2], 0);
  EXPECT_EQ(ReadProgress(context.job).currentNumber, 3);
}

TEST_F(ConversionWorkerTest, EmptyListEndsAtOnce) {
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(converter.seen.empty());
  EXPECT_EQ(context.run.FileCounter, 1);
}

TEST_F(ConversionWorkerTest, ClearingTheStopFlagFinishesTheFileInHandOnly) {
  AddInputs({"1.psd", "2.psd", "3.psd", "4.psd"});
  converter.failing = {scratch.path() + "1.psd"};
  converter.during = [this](const FileJob& file) {
    if (file.inputPath == scratch.path() + "2.psd") context.job.running = false;
  };

  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(converter.seen.size(), 2u);
  EXPECT_EQ(converter.names, std::vector<std::string>{"2_00001.jpg"});
}

TEST_F(ConversionWorkerTest, DebugModePrintsThreeLinesPerFile) {
  AddInputs({"a.psd", "b.psd"});
  scratch.WriteFile("a.psd", "8BPS\x00\x01");  // begins like a Photoshop document
  converter.failing = {scratch.path() + "b.psd"};
  context.run.RunMode = "DEBUG";

  ::testing::internal::CaptureStdout();
  Run();
  std::string printed = ::testing::internal::GetCapturedStdout();

  const std::string in = scratch.path();
  EXPECT_EQ(printed, "Processing: " + in + "a.psd\n" + "File Format: PSD\n" +
                         "[OK] Saving As: " + context.run.OutputFolder + "a_00001.jpg\n" +
                         "Processing: " + in + "b.psd\n" + "File Format: [ERROR] UNRECOGNIZED\n" +
                         "[ERROR] Unable to convert the file!\n");
}

TEST_F(ConversionWorkerTest, PrintsNothingOutsideADebugCommandLineRun) {
  AddInputs({"a.psd"});
  for (auto [mode, command_line] : {std::pair{"", 1}, std::pair{"DEBUG", 0}}) {
    context.run.RunMode = mode;
    context.run.CommandLineInput = static_cast<int8_t>(command_line);
    ::testing::internal::CaptureStdout();
    Run();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  }
}

TEST_F(ConversionWorkerTest, SubfoldersAreMirroredWhenKept) {
  AddInputs({"in/x/y/a.psd"}, "x/y/");
  context.settings.KeepSubfolders = 1;
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(StatPath(context.run.OutputFolder + "x/y/a_00001.jpg"));

  context.settings.KeepSubfolders = 0;
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(StatPath(context.run.OutputFolder + "a_00002.jpg"));
}

TEST(EnsureOutputFolderTest, CreatesOnlyTheMissingPart) {
  ScratchDir scratch;
  const std::string out = scratch.MakeFolder("out");
  const std::string marker = scratch.WriteFile("out/a/keep.txt", "not empty");

  EnsureOutputFolder(out, "a/b/");
  EXPECT_TRUE(IsFolder(out + "a/b/"));
  EXPECT_TRUE(StatPath(marker));

  // The output folder itself is never made.
  EnsureOutputFolder(scratch.path() + "missing/", "a/");
  EXPECT_FALSE(StatPath(scratch.path() + "missing"));
}

// Local seconds (the local calendar time counted as if it were UTC) of a date.
int64_t LocalSecondsOf(int year, int month, int day, int hour, int minute, int second) {
  std::tm calendar{};
  calendar.tm_year = year - 1900;
  calendar.tm_mon = month - 1;
  calendar.tm_mday = day;
  calendar.tm_hour = hour;
  calendar.tm_min = minute;
  calendar.tm_sec = second;
  return static_cast<int64_t>(timegm(&calendar));
}

std::tm LocalModificationTime(const std::string& path) {
  auto info = StatPath(path);
  EXPECT_TRUE(info);
  std::time_t when = info ? static_cast<std::time_t>(info->mtimeSeconds) : 0;
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

TEST_F(ConversionWorkerTest, FileTimestampCopiesTheInputsTime) {
  AddInputs({"a.psd"});
  const std::string input = scratch.path() + "a.psd";
  ASSERT_TRUE(SetModificationTime(input, 1000000000, 123456789));
  context.settings.FileTimestamp = 1;
  EXPECT_EQ(Run(), 1);
  auto info = StatPath(context.run.CurrentOutput);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->mtimeSeconds, 1000000000);
  EXPECT_EQ(info->mtimeNanos, 123456789);
}

// Runs the test in a time zone away from UTC, so that local seconds and POSIX
// seconds differ; restores the zone afterwards.
class TimeZoneGuard {
 public:
  explicit TimeZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) saved_ = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~TimeZoneGuard() {
    if (saved_) {
      setenv("TZ", saved_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

TEST_F(ConversionWorkerTest, FileTimestampSetsTheCustomLocalTime) {
  TimeZoneGuard zone("XST-5:30");  // five and a half hours east of UTC
  AddInputs({"a.psd"});
  context.settings.FileTimestamp = 2;
  context.settings.CustomTimestamp = static_cast<int32_t>(LocalSecondsOf(2020, 1, 2, 3, 4, 5));
  EXPECT_EQ(Run(), 1);
  std::tm shown = LocalModificationTime(context.run.CurrentOutput);
  EXPECT_EQ(shown.tm_year + 1900, 2020);
  EXPECT_EQ(shown.tm_mon + 1, 1);
  EXPECT_EQ(shown.tm_mday, 2);
  EXPECT_EQ(shown.tm_hour, 3);
  EXPECT_EQ(shown.tm_min, 4);
  EXPECT_EQ(shown.tm_sec, 5);
}

TEST_F(ConversionWorkerTest, FileTimestampCurrentLeavesTheSavedTime) {
  const std::string output = scratch.WriteFile("out/x.jpg", "not empty");
  ASSERT_TRUE(SetModificationTime(output, 1234567890));
  context.settings.FileTimestamp = 0;
  EXPECT_TRUE(
      ApplyFileTimestamp(context.settings, scratch.WriteFile("a.psd", "not empty"), output));
  EXPECT_EQ(StatPath(output)->mtimeSeconds, 1234567890);
}

}  // namespace
}  // namespace pictavo
