#include "batch/progress_line.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(ProgressLineText, ShowsNumberNameAndTimeLeft) {
  EXPECT_EQ(FormatProgress(3, 24, "a.psd", std::nullopt, 80), "file 3 of 24: a.psd");
  EXPECT_EQ(FormatProgress(3, 24, "a.psd", 65, 80), "file 3 of 24: a.psd, about 1 min 5 s left");
}

TEST(ProgressLineText, ALongNameIsShortenedFromTheFrontToFitTheTerminal) {
  const std::string name = "a-very-long-document-name-\xC3\xA9t\xC3\xA9.psd";
  const std::string line = FormatProgress(1, 2, name, 5, 40);
  EXPECT_EQ(line, "file 1 of 2: ...\xC3\xA9t\xC3\xA9.psd, about 5 s left");
  EXPECT_LE(line.size() - 2, 39u);  // two letters take two bytes each
  // Too narrow for any of the name: the counts come first.
  EXPECT_EQ(FormatProgress(1, 2, name, 5, 12), "file 1 of 2");
}

TEST(ProgressLineText, TimeLeftReadsInTheLargestUnitsThatFit) {
  const std::pair<int64_t, const char*> cases[] = {
      {0, "0 s"}, {59, "59 s"}, {60, "1 min 0 s"}, {3599, "59 min 59 s"}, {7380, "2 h 3 min"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(FormatTimeLeft(seconds), text) << seconds;
}

}  // namespace
}  // namespace pictavo
