#include "batch/batch_driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_fixtures.h"
#include "platform/file_info.h"
#include "settings/defaults.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

using testing::ExpectQuadrantJpeg;
using testing::WriteQuadrantPsd;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(NormaliseFolderTest, ResolvesRelativeFoldersBelowTheProgramFolder) {
  ScratchDir scratch;
  const std::string program = scratch.MakeFolder("program");
  scratch.MakeFolder("program/sub");
  scratch.MakeFolder("abs");
  struct Case {
    std::string path;
    std::string expected;
    FolderProblem problem;
  };
  const Case cases[] = {
      {"sub", program + "sub/", FolderProblem::kNone},
      {"./sub/", program + "sub/", FolderProblem::kNone},
      {"", program, FolderProblem::kNone},
      {scratch.path() + "abs", scratch.path() + "abs/", FolderProblem::kNone},
      {"../sub", "", FolderProblem::kIncorrect},
      {"missing", program + "missing/", FolderProblem::kMissing},
      {scratch.path() + "program/sub/../sub", scratch.path() + "program/sub/../sub/",
       FolderProblem::kNone},
  };
  for (const Case& c : cases) {
    NormalisedFolder result = NormaliseFolder(c.path, program);
    EXPECT_EQ(result.problem, c.problem) << c.path;
    if (c.problem != FolderProblem::kIncorrect) {
      EXPECT_EQ(result.path, c.expected) << c.path;
    }
  }
}

// Prepares a context as the command-line dispatcher leaves it before the
// driver runs.
class BatchDriverTest : public ::testing::Test {
 protected:
  BatchDriverTest() {
    ResetRunState(context);
    ApplyDefaults(context.settings, context.formats, true);
    context.messages.Build();
    context.run.CommandLineInput = 1;
    out = scratch.MakeFolder("out");
  }

  std::vector<std::string> Run(const std::string& input, bool quiet = false) {
    context.run.InputPath = input;
    if (context.run.OutputFolder.empty()) context.run.OutputFolder = out;
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(RunBatch(context, quiet), 0);
    return Lines(::testing::internal::GetCapturedStdout());
  }

  std::string Psd(const std::string& relative) {
    std::string path = scratch.path() + relative;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    EXPECT_TRUE(WriteQuadrantPsd(path));
    return path;
  }

  ScratchDir scratch;
  Context context;
  std::string out;
};

TEST_F(BatchDriverTest, FolderRunMirrorsSubfoldersAndReportsTheCounts) {
  Psd("in/a.psd");
  Psd("in/x/y/b.psd");
  // Named .psd but really a JPEG: it fails and the run goes on.
  ASSERT_TRUE(testing::WriteJpeg(scratch.path() + "in/fake.psd"));

  EXPECT_EQ(Run(scratch.path() + "in/"),
            (std::vector<std::string>{"Preparing...", "Importing...",
                                      "Import complete, new files added: 3", "Converting...",
                                      "Conversion complete", "Files converted: 2 of 3"}));
  ExpectQuadrantJpeg(out + "a.jpg");
  ExpectQuadrantJpeg(out + "x/y/b.jpg");
  EXPECT_FALSE(StatPath(out + "fake.jpg"));
  // The run-wide output fields of a default JPEG run.
  EXPECT_EQ(context.run.OutputFif, FIF_JPEG);
  EXPECT_EQ(context.run.SaveFlags, 95 | JPEG_SUBSAMPLING_444);
  EXPECT_EQ(context.run.AutoBpp, 1);
}

TEST_F(BatchDriverTest, QuietRunPrintsOnlyTheFailureLines) {
  Psd("in/a.psd");
  EXPECT_EQ(Run(scratch.path() + "in/", true), std::vector<std::string>{});
  ExpectQuadrantJpeg(out + "a.jpg");

  ASSERT_TRUE(testing::WriteJpeg(scratch.MakeFolder("bad") + "fake.psd"));
  ResetRunState(context);
  context.run.CommandLineInput = 1;
  EXPECT_EQ(Run(scratch.path() + "bad/", true), std::vector<std::string>{"Conversion stopped"});
}

TEST_F(BatchDriverTest, InputThatCollectsNothingStopsWithTheEmptyInputLines) {
  ASSERT_TRUE(testing::WriteJpeg(scratch.path() + "photo.jpg"));
  const std::vector<std::string> stopped{
      "Conversion stopped", "No input file(s) found. Please, add valid file(s) and try again!"};
  std::vector<std::string> expected{"Preparing...", "Importing...",
                                    "Import complete, new files added: 0"};
  expected.insert(expected.end(), stopped.begin(), stopped.end());
  EXPECT_EQ(Run(scratch.path() + "photo.jpg"), expected);

  ResetRunState(context);
  context.run.CommandLineInput = 1;
  EXPECT_EQ(Run(scratch.path() + "photo.jpg", true), stopped);
}

TEST_F(BatchDriverTest, ListFileWithAnUpperCaseExtensionIsReadAsAList) {
  const std::string a = Psd("a.psd");
  const std::string list =
      scratch.WriteFile("LIST.TXT", "\n" + a + "\n  \n" + scratch.path() + "gone.psd\n");
  EXPECT_EQ(Run(list).back(), "Files converted: 1 of 1");
  ExpectQuadrantJpeg(out + "a.jpg");
}

TEST_F(BatchDriverTest, WithoutAnOutputFolderResultsGoBesideTheInput) {
  Psd("in/sub/a.psd");
  context.run.OutputFolder = "";
  context.run.InputPath = scratch.path() + "in/sub/a.psd";
  ::testing::internal::CaptureStdout();
  RunBatch(context, true);
  ::testing::internal::GetCapturedStdout();
  ExpectQuadrantJpeg(scratch.path() + "in/sub/a.jpg");
}

TEST_F(BatchDriverTest, RelativeInputFileWithoutAnOutputFolderIsSavedBesideIt) {
  Psd("in/sub/a.psd");
  const std::string previous = CurrentFolder();
  ASSERT_EQ(chdir((scratch.path() + "in").c_str()), 0);
  context.run.InputPath = "sub/a.psd";
  context.run.OutputFolder = "";
  ::testing::internal::CaptureStdout();
  RunBatch(context, true);
  ::testing::internal::GetCapturedStdout();
  ASSERT_EQ(chdir(previous.c_str()), 0);
  ExpectQuadrantJpeg(scratch.path() + "in/sub/a.jpg");
}

TEST_F(BatchDriverTest, DebugRunEchoesTheSettingsAndEveryFile) {
  const std::string a = Psd("in/a.psd");
  context.run.RunMode = "DEBUG";
  std::vector<std::string> lines = Run(scratch.path() + "in/");
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "Preparing...",
                       "Input: " + scratch.path() + "in/",
                       "Output: " + out,
                       "Conversion: jpg",
                       "PSD Color Mode: rgb",
                       "JPG BPP: 0",
                       "JPG Quality: 95",
                       "JPG Chroma Subsampling: none",
                       "JPG Save As: standard",
                       "Flip Horizontal: 0",
                       "Flip Vertical: 0",
                       "Greyscale: 0",
                       "Frame: none",
                       "Watermark: none",
                       "Filename Mask: %filename%.%ext%",
                       "File Timestamp: current",
                       "Keep Subfolders: 1",
                       "Importing...",
                       "Import complete, new files added: 1",
                       "Converting...",
                       "Processing: " + a,
                       "File Format: PSD",
                       "[OK] Saving As: " + out + "a.jpg",
                       "Conversion complete",
                       "Files converted: 1 of 1",
                   }));
}

TEST_F(BatchDriverTest, DebugEchoOfTheOptionalSections) {
  Psd("in/a.psd");
  Settings& s = context.settings;
  s.DoImageRotation = 1;
  s.TransformImageRotation = 90;
  s.DoImageResize = 1;
  s.ImageWidth = 50;
  s.ImageWidthUnit = 1;
  s.ImageHeight = 8;
  s.DoImageColorCorrection = 1;
  s.ImageBrightness = -5;
  s.ImageGamma = 1.5f;
  s.DoImageThreshold = 1;
  s.ImageThreshold = 128;
  s.DoImageDither = 1;
  s.ImageDitherAlgorithm = 2;
  s.DoFrame = 1;
  s.SolidLeft = 3;
  s.FileTimestamp = 2;
  s.CustomTimestamp = 1577934245;
  context.run.RunMode = "DEBUG";
  std::vector<std::string> lines = Run(scratch.path() + "in/");
  auto from = std::find(lines.begin(), lines.end(), "JPG Save As: standard");
  auto to = std::find(lines.begin(), lines.end(), "Importing...");
  ASSERT_NE(from, lines.end());
  EXPECT_EQ(std::vector<std::string>(from + 1, to),
            (std::vector<std::string>{"Image Rotation Type: simple",
                                      "Image Rotation: 90",
                                      "Image Rotation Back Color: 000000",
                                      "Width: 50 percent",
                                      "Height: 8 pixels",
                                      "Keep Aspect Ratio: 0",
                                      "Image Resize Type: allimages",
                                      "Image Resize Algorithm: bicubic",
                                      "Flip Horizontal: 0",
                                      "Flip Vertical: 0",
                                      "Brightness: -5",
                                      "Contrast: 0",
                                      "Gamma: 1.50",
                                      "Invert: 0",
                                      "Greyscale: 0",
                                      "Image Threshold: 128",
                                      "Image Dithering Algorithm: bayer8",
                                      "Frame: solid",
                                      "Frame left: 3",
                                      "Frame right: 0",
                                      "Frame top: 0",
                                      "Frame bottom: 0",
                                      "Frame left color: 000000",
                                      "Frame right color: 000000",
                                      "Frame top color: 000000",
                                      "Frame bottom color: 000000",
                                      "Frame opacity: 255",
                                      "Watermark: none",
                                      "Filename Mask: %filename%.%ext%",
                                      "File Timestamp: custom",
                                      "Custom Timestamp: 1577934245",
                                      "Keep Subfolders: 1"}));
}

TEST_F(BatchDriverTest, FixedDepthClearsAutomaticDepth) {
  Psd("in/a.psd");
  context.settings.JPGBPP = 8;
  Run(scratch.path() + "in/", true);
  EXPECT_EQ(context.run.OutputBpp, 8);
  EXPECT_EQ(context.run.AutoBpp, 0);
  FIBITMAP* dib = FreeImage_Load(FIF_JPEG, (out + "a.jpg").c_str(), 0);
  ASSERT_NE(dib, nullptr);
  EXPECT_EQ(FreeImage_GetBPP(dib), 8u);
  FreeImage_Unload(dib);
}

}  // namespace
}  // namespace pictavo
