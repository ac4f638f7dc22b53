// Batch runs through the real executable: inputs from folders, list files
// and single files, checked by decoding the JPEG results.

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "app/dispatcher.h"
#include "batch/batch_fixtures.h"
#include "platform/file_info.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

using testing::ExpectQuadrantJpeg;
using testing::WriteJpeg;
using testing::WriteQuadrantPsd;

// The lines a run prints after the banner.
std::vector<std::string> RunLines(const RunResult& result) {
  std::vector<std::string> lines = result.Lines();
  const std::vector<std::string> banner = BannerLines();
  if (lines.size() >= banner.size() && std::equal(banner.begin(), banner.end(), lines.begin())) {
    lines.erase(lines.begin(), lines.begin() + static_cast<long>(banner.size()));
  }
  return lines;
}

std::vector<std::string> Summary(int found, int converted) {
  return {"Preparing...",
          "Importing...",
          "Import complete, new files added: " + std::to_string(found),
          "Converting...",
          "Conversion complete",
          "Files converted: " + std::to_string(converted) + " of " + std::to_string(found)};
}

class BatchEndToEnd : public ::testing::Test {
 protected:
  std::string Psd(const std::string& relative) {
    const std::string path = scratch.Path(relative);
    scratch.MakeFolder(relative.substr(0, relative.rfind('/') + 1));
    EXPECT_TRUE(WriteQuadrantPsd(path));
    return path;
  }

  RunResult Run(std::vector<std::string> args, RunOptions options = {}) {
    // fontconfig keeps allocations of its own until the process ends, which
    // LeakSanitizer (in sanitizer builds) reports when a run looks up the
    // watermark font; leaks anywhere else are still reported.
    const std::string suppressions = scratch.WriteFile("lsan.supp", "leak:libfontconfig.so\n");
    options.env.emplace_back("LSAN_OPTIONS",
                             "suppressions=" + suppressions + ":print_suppressions=0");
    RunResult result = RunPictavo(scratch, args, options);
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err, "");
    return result;
  }

  ScratchDir scratch;
};

TEST_F(BatchEndToEnd, FolderTreeIsMirroredBelowTheOutputFolder) {
  Psd("in/a.psd");
  Psd("in/x/b.psd");
  Psd("in/x/y/c.PSD");
  const std::string out = scratch.MakeFolder("out");

  EXPECT_EQ(RunLines(Run({"-i", scratch.Path("in/"), "-o", out})), Summary(3, 3));
  ExpectQuadrantJpeg(out + "a.jpg");
  ExpectQuadrantJpeg(out + "x/b.jpg");
  ExpectQuadrantJpeg(out + "x/y/c.jpg");
}

TEST_F(BatchEndToEnd, NoSubfoldersPutsEveryResultInTheOutputFolder) {
  Psd("in/a.psd");
  Psd("in/x/y/b.psd");
  const std::string out = scratch.MakeFolder("out");

  EXPECT_EQ(RunLines(Run({"-i", scratch.Path("in/"), "-o", out, "--no-subfolders"})),
            Summary(2, 2));
  ExpectQuadrantJpeg(out + "a.jpg");
  ExpectQuadrantJpeg(out + "b.jpg");
  EXPECT_FALSE(StatPath(out + "x"));
}

TEST_F(BatchEndToEnd, FolderRunWithoutAnOutputFolderSavesIntoTheInputFolder) {
  Psd("in/a.psd");
  Run({"-q", "-i", scratch.Path("in/")});
  ExpectQuadrantJpeg(scratch.Path("in/a.jpg"));
}

TEST_F(BatchEndToEnd, ListFileImportsItsExistingEntries) {
  const std::string a = Psd("docs/a.psd");
  Psd("tree/b.psd");
  Psd("tree/deep/c.psd");
  const std::string list = scratch.WriteFile(
      "lists/files.lst", "\r\n" + a + "\r\n    \r\n" + scratch.Path("docs/missing.psd") + "\r\n  " +
                             scratch.Path("tree") + "  \r\n");

  // Without -o the results go into the list file's folder, flat: a list run
  // has no sub-folders to mirror.
  EXPECT_EQ(RunLines(Run({"-i", list})), Summary(3, 3));
  ExpectQuadrantJpeg(scratch.Path("lists/a.jpg"));
  ExpectQuadrantJpeg(scratch.Path("lists/b.jpg"));
  ExpectQuadrantJpeg(scratch.Path("lists/c.jpg"));
}

TEST_F(BatchEndToEnd, SingleFileIsSavedBesideItOrInTheOutputFolder) {
  const std::string a = Psd("in/Holiday Photo.psd");
  EXPECT_EQ(RunLines(Run({"-i", a})), Summary(1, 1));
  ExpectQuadrantJpeg(scratch.Path("in/Holiday Photo.jpg"));

  // A relative input names a file below the current folder.
  const std::string out = scratch.MakeFolder("out");
  RunOptions in_folder;
  in_folder.working_dir = scratch.Path("in");
  EXPECT_EQ(RunLines(Run({"-i", "Holiday Photo.psd", "-o", out}, in_folder)), Summary(1, 1));
  ExpectQuadrantJpeg(out + "Holiday Photo.jpg");
}

TEST_F(BatchEndToEnd, MasksNameTheResults) {
  Psd("in/first.psd");
  Psd("in/Second.psd");
  const std::string out = scratch.MakeFolder("out");
  struct Case {
    std::vector<std::string> options;
    std::vector<std::string> names;
  };
  // Names are listed in byte order, so "Second" is numbered before "first".
  const Case cases[] = {
      {{"--filename-mask=%filename[u]%_%n%.%ext%"}, {"SECOND_00001.jpg", "FIRST_00002.jpg"}},
      {{"--filename-mask=Copy of %FILENAME%.%EXT[U]%"},
       {"copy of first.JPG", "copy of Second.JPG"}},
      {{"--filename-mask=%filename[t]%-%width%x%height%.%ext%", "--width=8", "--height=4"},
       {"First-8x4.jpg", "Second-8x4.jpg"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"-q", "-i", scratch.Path("in/"), "-o", out};
    args.insert(args.end(), c.options.begin(), c.options.end());
    Run(args);
    for (const std::string& name : c.names) {
      EXPECT_TRUE(StatPath(out + name)) << name << " missing after " << c.options[0];
    }
  }
  ExpectQuadrantJpeg(out + "FIRST_00002.jpg");
}

TEST_F(BatchEndToEnd, DebugModeEchoesTheRunAndEveryFile) {
  const std::string a = Psd("in/a.psd");
  ASSERT_TRUE(WriteJpeg(scratch.Path("in/b.psd")));
  const std::string out = scratch.MakeFolder("out");

  const std::vector<std::string> lines =
      RunLines(Run({"-d", "-i", scratch.Path("in/"), "-o", out}));
  const std::vector<std::string> expected{
      "Preparing...",
      "Input: " + scratch.Path("in/"),
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
      "Import complete, new files added: 2",
      "Converting...",
      "Processing: " + a,
      "File Format: PSD",
      "[OK] Saving As: " + out + "a.jpg",
      "Processing: " + scratch.Path("in/b.psd"),
      "File Format: JPEG/JFIF",
      "[ERROR] Unable to convert the file!",
      "Reason: the file does not start with the Photoshop signature",
      "Conversion complete",
      "Files converted: 1 of 2",
  };
  EXPECT_EQ(lines, expected);
}

TEST_F(BatchEndToEnd, QuietModePrintsOnlyWhatWentWrong) {
  Psd("good/a.psd");
  EXPECT_EQ(Run({"-q", "-i", scratch.Path("good/")}).out, "");
  ExpectQuadrantJpeg(scratch.Path("good/a.jpg"));

  ASSERT_TRUE(WriteJpeg(scratch.MakeFolder("bad") + "fake.psd"));
  EXPECT_EQ(Run({"-q", "-i", scratch.Path("bad/")}).Lines(),
            std::vector<std::string>{"Conversion stopped"});

  EXPECT_EQ(Run({"-q", "-i", scratch.WriteFile("empty/list.txt", "\n")}).Lines(),
            (std::vector<std::string>{
                "Conversion stopped",
                "No input file(s) found. Please, add valid file(s) and try again!"}));
}

TEST_F(BatchEndToEnd, FakeAndEmptyDocumentsDoNotStopTheRun) {
  Psd("in/a.psd");
  ASSERT_TRUE(WriteJpeg(scratch.Path("in/b.psd")));
  scratch.WriteFile("in/c.psd", "");
  Psd("in/d.psd");
  const std::string out = scratch.MakeFolder("out");

  // The empty one is never collected; the JPEG in disguise fails to load.
  EXPECT_EQ(RunLines(Run({"-i", scratch.Path("in/"), "-o", out})), Summary(3, 2));
  ExpectQuadrantJpeg(out + "a.jpg");
  ExpectQuadrantJpeg(out + "d.jpg");
  EXPECT_FALSE(StatPath(out + "b.jpg"));
}

TEST_F(BatchEndToEnd, AnUnsupportedInputCollectsNothing) {
  ASSERT_TRUE(WriteJpeg(scratch.Path("photo.jpg")));
  EXPECT_EQ(RunLines(Run({"-i", scratch.Path("photo.jpg")})),
            (std::vector<std::string>{
                "Preparing...", "Importing...", "Import complete, new files added: 0",
                "Conversion stopped",
                "No input file(s) found. Please, add valid file(s) and try again!"}));
}

TEST_F(BatchEndToEnd, FileTimestampOriginalCopiesTheInputsTime) {
  const std::string a = Psd("in/a.psd");
  ASSERT_TRUE(SetModificationTime(a, 1000000000));
  const std::string out = scratch.MakeFolder("out");
  Run({"-q", "-i", a, "-o", out, "--file-timestamp=original"});
  auto info = StatPath(out + "a.jpg");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->mtimeSeconds, 1000000000);
}

TEST_F(BatchEndToEnd, FileTimestampCustomIsReadAsLocalTime) {
  const std::string a = Psd("in/a.psd");
  const std::string out = scratch.MakeFolder("out");
  // 2020-01-02 03:04:05 as local seconds (that calendar time counted as UTC).
  std::tm calendar{};
  calendar.tm_year = 120;
  calendar.tm_mon = 0;
  calendar.tm_mday = 2;
  calendar.tm_hour = 3;
  calendar.tm_min = 4;
  calendar.tm_sec = 5;
  const int64_t local_seconds = timegm(&calendar);
  RunOptions zone;
  zone.env = {{"TZ", "XST-5:30"}};  // five and a half hours east of UTC
  Run({"-q", "-i", a, "-o", out, "--file-timestamp=custom",
       "--file-timestamp-custom=" + std::to_string(local_seconds)},
      zone);
  auto info = StatPath(out + "a.jpg");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->mtimeSeconds, local_seconds - (5 * 3600 + 30 * 60));
}

TEST_F(BatchEndToEnd, EveryFailedCheckPrintsItsErrorLineAndConvertsNothing) {
  const std::string a = Psd("in/a.psd");
  const std::string in = scratch.Path("in/");
  const std::string out = scratch.MakeFolder("out");
  const std::string empty_picture = scratch.WriteFile("empty.png", "");
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"-i", scratch.Path("in")}, "Error: Invalid input file"},
      {{"-i", scratch.Path("in/missing.psd")}, "Error: Invalid input file"},
      {{"-i", scratch.WriteFile("zero.psd", "")}, "Error: Invalid input file"},
      {{"-i", "../in/"}, "Error: Incorrect input folder"},
      {{"-i", scratch.Path("missing/")}, "Error: Invalid input folder"},
      {{"-i", in, "-o", "../out"}, "Error: Incorrect output folder"},
      {{"-i", in, "-o", scratch.Path("missing")}, "Error: Invalid output folder"},
      {{"-i", in, "-o", out, "-c", "png"}, "Error: Invalid conversion type"},
      {{"-i", in, "-o", out, "-c", "JPG"}, "Error: Invalid conversion type"},
      {{"-i", in, "-o", out, "--jpg-bpp=32"}, "Error: Invalid jpg-bpp value"},
      {{"-i", in, "-o", out, "--jpg-quality=0"}, "Error: Invalid jpg-quality value"},
      {{"-i", in, "-o", out, "--jpg-quality=101"}, "Error: Invalid jpg-quality value"},
      {{"-i", in, "-o", out, "--width=0", "--height=10"}, "Error: Invalid width value"},
      {{"-i", in, "-o", out, "--width=10", "--keep-aspect-ratio"}, "Error: Invalid height value"},
      {{"-i", in, "-o", out, "--brightness=101"}, "Error: Invalid brightness value"},
      {{"-i", in, "-o", out, "--contrast=-101"}, "Error: Invalid contrast value"},
      {{"-i", in, "-o", out, "--gamma=0.0"}, "Error: Invalid gamma value"},
      {{"-i", in, "-o", out, "--gamma=10.0"}, "Error: Invalid gamma value"},
      {{"-i", in, "-o", out, "--wm-text=x", "--wm-font=No Such Family Anywhere"},
       "Error: Invalid watermark font"},
      {{"-i", in, "-o", out, "--wm-image=" + scratch.Path("missing.png")},
       "Error: Invalid watermark image"},
      {{"-i", in, "-o", out, "--wm-image=" + empty_picture}, "Error: Invalid watermark image"},
  };
  for (const Case& c : cases) {
    for (bool quiet : {false, true}) {
      std::vector<std::string> args = c.args;
      if (quiet) args.insert(args.begin(), "-q");
      std::vector<std::string> lines = RunLines(Run(args));
      ASSERT_FALSE(lines.empty()) << c.error;
      EXPECT_EQ(lines.back(), c.error) << args[args.size() - 1];
      EXPECT_EQ(lines.size(), quiet ? 1u : 2u) << c.error;  // "Preparing..." and the error
    }
  }
  EXPECT_TRUE(ListFolder(out)->empty());
  EXPECT_FALSE(StatPath(scratch.Path("in/a.jpg")));
}

TEST_F(BatchEndToEnd, ValuesAtTheEdgesOfTheChecksPass) {
  Psd("in/a.psd");
  const std::string out = scratch.MakeFolder("out");
  const std::vector<std::vector<std::string>> cases = {
      {"--jpg-bpp=0"},       {"--jpg-bpp=8"},
      {"--jpg-bpp=24"},      {"--jpg-quality=1"},
      {"--jpg-quality=100"}, {"--gamma=0.01"},
      {"--gamma=9.99"},      {"--brightness=-100"},
      {"--contrast=100"},    {"--wm-text=Hi", "--wm-font=Arial"},
  };
  for (const auto& options : cases) {
    std::vector<std::string> args{"-i", scratch.Path("in/"), "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    EXPECT_EQ(RunLines(Run(args)).back(), "Files converted: 1 of 1") << options[0];
  }
}

}  // namespace
}  // namespace pictavo
