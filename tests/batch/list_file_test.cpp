#include "batch/list_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pictavo {
namespace {

using namespace std::string_literals;

TEST(DecodeListTextTest, ByteOrderMarksChooseTheDecoding) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"no mark", "a\xC3\xA9\n", "a\xC3\xA9\n"},
      {"UTF-8 mark",
       "\xEF\xBB\xBF"
       "a\n",
       "a\n"},
      {"UTF-16 LE",
       "\xFF\xFE"
       "a\0\xE9\0"s,
       "a\xC3\xA9"},
      {"UTF-16 BE",
       "\xFE\xFF"
       "\0a\0\xE9"s,
       "a\xC3\xA9"},
      {"UTF-16 LE surrogate pair",
       "\xFF\xFE"
       "\x3D\xD8\x00\xDE"s,
       "\xF0\x9F\x98\x80"},
      {"UTF-16 lone surrogate",
       "\xFF\xFE"
       "\x3D\xD8"
       "a\0"s,
       "\xEF\xBF\xBD"
       "a"},
      {"UTF-16 odd last byte",
       "\xFE\xFF"
       "\0a!"s,
       "a\xEF\xBF\xBD"},
      // A UTF-32 mark is dropped and the rest read as UTF-8.
      {"UTF-32 LE mark",
       "\xFF\xFE\0\0"
       "b"s,
       "b"},
      {"UTF-32 BE mark",
       "\0\0\xFE\xFF"
       "b"s,
       "b"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeListText(c.bytes), c.text) << c.what;
}

TEST(SplitListLinesTest, TrimsBlanksAndUnderstandsBothLineEnds) {
  EXPECT_EQ(SplitListLines("  a.psd \r\n\r\n \t \nb c.psd\nlast"),
            (std::vector<std::string>{"a.psd", "", "", "b c.psd", "last"}));
  EXPECT_EQ(SplitListLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitListLines("one\n"), std::vector<std::string>{"one"});
}

}  // namespace
}  // namespace pictavo
