#include "batch/parallel_conversion.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "batch/batch_fixtures.h"
#include "batch/random_sequence.h"
#include "batch/worker_process.h"
#include "support/run_pictavo.h"
#include "support/scoped_env.h"

namespace pictavo {
namespace {

// The conversion driven from this process, with the real executable as the
// workers.
class ParallelConversionTest : public ::testing::Test {
 protected:
  ParallelConversionTest() {
    SetWorkerExecutable(PICTAVO_EXE);
    context.run.OutputFolder = scratch.MakeFolder("out");
    context.run.OutputExtension = "jpg";
    context.run.OutputFif = FIF_JPEG;
    context.run.SaveFlags = 95;
    context.run.AutoBpp = 1;
    context.run.CommandLineInput = 1;
    context.run.FileCounter = 7;  // a run in the window keeps counting
    context.settings.FilenameMask = "%filename%_%n%.%ext%";
  }
  ~ParallelConversionTest() override { SetWorkerExecutable(""); }

  void AddDocument(const std::string& name) {
    const std::string path = scratch.Path("in/" + name);
    scratch.MakeFolder("in");
    ASSERT_TRUE(testing::WriteQuadrantPsd(path));
    context.inputs.Add(path, "");
  }

  int32_t Run(int jobs) {
    context.settings.Jobs = jobs;
    StartTask(context.job, [this] { ParallelConversionWorker(context, nullptr, false); });
    return ReadProgress(context.job).count;
  }

  ScratchDir scratch;
  Context context;
  ScopedEnv seed{"PICTAVO_TEST_RANDOM_SEED", "77"};
};

TEST_F(ParallelConversionTest, LeavesTheRunStateAndProgressRecordAsOneAtATimeWould) {
  AddDocument("a.psd");
  context.inputs.Add(scratch.WriteFile("in/b.psd", "not a document"), "");
  AddDocument("c.psd");

  EXPECT_EQ(Run(3), 2);
  const JobProgress progress = ReadProgress(context.job);
  EXPECT_EQ(progress.currentNumber, 3);
  EXPECT_EQ(progress.currentFile, scratch.Path("in/c.psd"));
  EXPECT_GE(progress.lastDuration, 1000);  // the last file succeeded
  // Two successes: the counter moved on twice from where it stood, and the
  // random number is the sequence's third value.
  EXPECT_EQ(context.run.FileCounter, 9);
  EXPECT_EQ(context.run.RandomNumber, RandomSequence(std::nullopt, 77).At(2));
  EXPECT_EQ(context.run.CurrentInput, scratch.Path("in/c.psd"));
  EXPECT_EQ(context.run.CurrentOutput, context.run.OutputFolder + "c_00008.jpg");
  EXPECT_EQ(context.run.ResultWidth, 16);
  testing::ExpectQuadrantJpeg(context.run.OutputFolder + "a_00007.jpg");
  testing::ExpectQuadrantJpeg(context.run.OutputFolder + "c_00008.jpg");
}

TEST_F(ParallelConversionTest, AFailedLastFilePublishesNoDuration) {
  AddDocument("a.psd");
  context.inputs.Add(scratch.WriteFile("in/b.psd", "not a document"), "");
  EXPECT_EQ(Run(2), 1);
  EXPECT_EQ(ReadProgress(context.job).lastDuration, 0);
}

TEST_F(ParallelConversionTest, AClearedStopFlagStartsNothing) {
  AddDocument("a.psd");
  AddDocument("b.psd");
  context.settings.Jobs = 2;
  StartTask(context.job, [this] {
    context.job.running = false;
    ParallelConversionWorker(context, nullptr, false);
  });
  EXPECT_EQ(ReadProgress(context.job).count, 0);
  EXPECT_EQ(ReadProgress(context.job).currentNumber, 0);
  EXPECT_EQ(context.run.FileCounter, 7);
}

TEST_F(ParallelConversionTest, ClearingTheStopFlagFinishesTheFileInHandOnly) {
  for (int i = 0; i < 10; ++i) AddDocument("f" + std::to_string(i) + ".psd");
  // f1 is in hand for two seconds: long enough for the flag to be seen.
  ScopedEnv hang("PICTAVO_TEST_HANG_ON", "f1.psd");
  ScopedEnv limit("PICTAVO_TEST_FILE_TIME_LIMIT_MS", "2000");
  context.settings.Jobs = 1;
  StartTask(context.job, [this] {
    std::thread watcher([this] {
      while (ReadProgress(context.job).currentNumber < 2) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      context.job.running = false;
    });
    ParallelConversionWorker(context, nullptr, false);
    watcher.join();
  });
  EXPECT_EQ(ReadProgress(context.job).count, 1);
  EXPECT_EQ(ReadProgress(context.job).currentNumber, 2);
  EXPECT_EQ(context.run.CurrentInput, scratch.Path("in/f1.psd"));
  EXPECT_TRUE(std::filesystem::exists(context.run.OutputFolder + "f0_00007.jpg"));
  EXPECT_FALSE(std::filesystem::exists(context.run.OutputFolder + "f2_00008.jpg"));
}

TEST(ResolveJobs, TakesTheSettingOrOnePerAvailableCore) {
  Settings settings;
  settings.Jobs = 3;
  EXPECT_EQ(ResolveJobs(settings), 3);
  settings.Jobs = 1000;
  EXPECT_EQ(ResolveJobs(settings), kMaxJobs);
  for (int jobs : {0, -2}) {
    settings.Jobs = jobs;
    EXPECT_GE(ResolveJobs(settings), 1) << jobs;
  }
}

}  // namespace
}  // namespace pictavo
