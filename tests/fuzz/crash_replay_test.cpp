// Replays every input committed under fuzz/crashes/<target>/ through the
// target's own entry function, so an input that once crashed a parser keeps
// guarding its fix in the ordinary test run (and under the sanitizer build).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fuzz_target.h"

namespace pictavo::fuzz {
namespace {

namespace fs = std::filesystem;

struct FuzzTarget {
  const char* name;  // the target's file name without ".cpp", and its crash folder
  int (*run)(const uint8_t* data, size_t size);
};

void PrintTo(const FuzzTarget& target, std::ostream* out) {
  *out << target.name;
}

const FuzzTarget kTargets[] = {
    {"command_line_fuzz", FuzzCommandLine},   {"ini_file_fuzz", FuzzIniFile},
    {"list_file_fuzz", FuzzListFile},         {"psd_validator_fuzz", FuzzPsdValidator},
    {"settings_file_fuzz", FuzzSettingsFile},
};

const fs::path kFuzzFolder = PICTAVO_FUZZ_FOLDER;

std::vector<fs::path> SortedFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CrashReplay : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(CrashReplay, CommittedInputsRunCleanly) {
  const FuzzTarget& target = GetParam();
  // The empty input first, so a target is exercised even before it has a
  // crash folder.
  EXPECT_EQ(target.run(nullptr, 0), 0);
  for (const fs::path& path : SortedFiles(kFuzzFolder / "crashes" / target.name)) {
    SCOPED_TRACE(path.string());
    const std::vector<uint8_t> bytes = ReadBytes(path);
    EXPECT_EQ(target.run(bytes.data(), bytes.size()), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(FuzzTargets, CrashReplay, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

// A target missing from the table above would have its crash inputs skipped
// silently; so would a crash folder with a misspelt name.
TEST(CrashReplayTable, CoversEveryTargetAndCrashFolder) {
  std::set<std::string> known;
  for (const FuzzTarget& target : kTargets) known.insert(target.name);

  for (const fs::path& path : SortedFiles(kFuzzFolder)) {
    const std::string stem = path.stem().string();
    if (path.extension() == ".cpp" && stem.ends_with("_fuzz")) {
      EXPECT_TRUE(known.count(stem)) << "no replay row for " << path;
    }
  }
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kFuzzFolder / "crashes", error)) {
    if (!entry.is_directory()) continue;
    EXPECT_TRUE(known.count(entry.path().filename().string()))
        << "crash folder of no target: " << entry.path();
  }
}

}  // namespace
}  // namespace pictavo::fuzz
