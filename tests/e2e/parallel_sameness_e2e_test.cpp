// Several conversions at once give what one conversion at a time gives:
// the same files, names, bytes, counters and debug lines, also when files
// in the middle fail and the names and watermark use %n% and %rnd%.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/dispatcher.h"
#include "batch/batch_fixtures.h"
#include "support/psd_writer.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> TreeNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(fs::relative(entry.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The printed lines with the run's own output folder written as "<out>/".
std::vector<std::string> NeutralLines(const RunResult& result, const std::string& out) {
  std::vector<std::string> lines;
  for (std::string line : result.Lines()) {
    for (size_t at = line.find(out); at != std::string::npos; at = line.find(out, at)) {
      line.replace(at, out.size(), "<out>/");
    }
    lines.push_back(line);
  }
  return lines;
}

TEST(ParallelSameness, FourAtOnceGiveWhatOneAtATimeGives) {
  ScratchDir scratch;
  const std::string in = scratch.MakeFolder("in");
  // Documents that differ from each other, so a result under the wrong
  // name would show.
  for (int i = 0; i < 8; ++i) {
    test_support::PsdSpec spec;
    spec.width = 64 + 8 * static_cast<uint32_t>(i);
    spec.height = 48;
    const double shade = 30.0 * i;
    ASSERT_TRUE(
        test_support::WritePsdFile(in + "f" + std::to_string(i) + ".psd", spec,
                                   test_support::QuadrantPixels(spec, {shade, 0, 0}, {0, shade, 0},
                                                                {0, 0, shade}, {255, 255, 255})));
  }
  // f2 hangs until the time limit, f4 crashes its worker, f5 is no document.
  ASSERT_TRUE(testing::WriteJpeg(in + "f5.psd"));
  RunOptions options;
  options.env = {{"PICTAVO_TEST_RANDOM_SEED", "20260101"},
                 {"PICTAVO_TEST_HANG_ON", "f2.psd"},
                 {"PICTAVO_TEST_CRASH_ON", "f4.psd"},
                 {"PICTAVO_TEST_FILE_TIME_LIMIT_MS", "4000"}};

  std::vector<std::vector<std::string>> printed;
  std::vector<std::string> outs;
  for (const char* jobs : {"--jobs=1", "--jobs=4"}) {
    const std::string out = scratch.MakeFolder(std::string("out") + (jobs + 7));
    const RunResult result =
        RunPictavo(scratch,
                   {"-d", "-i", in, "-o", out, jobs, "--filename-mask=%filename%_%n%_%RND%.%ext%",
                    "--wm-text=No. %N% of run %rnd%"},
                   options);
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.err, "");
    printed.push_back(NeutralLines(result, out));
    outs.push_back(out);
  }

  EXPECT_EQ(printed[0], printed[1]);
  const std::vector<std::string> names = TreeNames(outs[0]);
  ASSERT_EQ(names, TreeNames(outs[1]));
  for (const std::string& name : names) {
    EXPECT_EQ(ReadAll(outs[0] + name), ReadAll(outs[1] + name)) << name;
  }

  // The counter skips no number for the failed files, as in a run one file
  // at a time, and every success drew a new random number.
  ASSERT_EQ(names.size(), 5u);
  const std::regex pattern(R"((f\d)_(\d{5})_(\d{5})\.jpg)");
  std::vector<std::string> files, counters, randoms;
  for (const std::string& name : names) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(name, match, pattern)) << name;
    files.push_back(match[1]);
    counters.push_back(match[2]);
    randoms.push_back(match[3]);
  }
  EXPECT_EQ(files, (std::vector<std::string>{"f0", "f1", "f3", "f6", "f7"}));
  EXPECT_EQ(counters, (std::vector<std::string>{"00001", "00002", "00003", "00004", "00005"}));
  std::sort(randoms.begin(), randoms.end());
  EXPECT_EQ(std::unique(randoms.begin(), randoms.end()), randoms.end());
  EXPECT_EQ(printed[0].back(), "Files converted: 5 of 8");
}

}  // namespace
}  // namespace pictavo
