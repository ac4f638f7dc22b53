#include "gfx/path_text.h"

#include <gtest/gtest.h>

namespace pictavo::gfx {
namespace {

TEST(PathTextTest, BuilderWritesSpaceSeparatedTokensWithSingleSigns) {
  PathText path;
  path.MoveTo(0, 0).LineBy(100, 0).LineBy(-10, 10).LineBy(-80, 0).Close();
  EXPECT_EQ(path.Text(), "M 0 0 l 100 0 l -10 10 l -80 0 Z");
}

TEST(PathTextTest, ParserReadsMovesLinesAndCloses) {
  auto segments = ParsePathText("M 100 0 l 0 80 l -10 -10 l 0 -60 Z");
  ASSERT_TRUE(segments);
  std::vector<PathSegment> expected = {{PathSegment::kMoveTo, 100, 0},
                                       {PathSegment::kLineBy, 0, 80},
                                       {PathSegment::kLineBy, -10, -10},
                                       {PathSegment::kLineBy, 0, -60},
                                       {PathSegment::kClose}};
  EXPECT_EQ(*segments, expected);
}

TEST(PathTextTest, ParserRefusesMalformedTexts) {
  for (const char* text : {"M 0", "l -- 5", "M 0 0 l --5 3 Z", "M 1x 2", "Q 1 2", "M 0 0 l 5"})
    EXPECT_FALSE(ParsePathText(text)) << text;
}

}  // namespace
}  // namespace pictavo::gfx
