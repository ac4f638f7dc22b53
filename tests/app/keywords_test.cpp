#include "app/keywords.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

struct ValueCase {
  KeywordList list;
  const char* word;
  int32_t expected;
};

TEST(KeywordValueTest, ReadsWordsIgnoringCaseAndSurroundingBlanks) {
  const ValueCase cases[] = {
      {KeywordList::Chroma, "medium", 2},
      {KeywordList::Chroma, "  Medium\t ", 2},
      {KeywordList::Chroma, "HIGH", 3},
      {KeywordList::RawLoad, "48hs", 4},
      {KeywordList::RawLoad, "48", 5},
      {KeywordList::Position, "BottomRight", 8},
      {KeywordList::FontEffect, "strikethrought", 2},
      {KeywordList::Timestamp, "custom", 2},
      {KeywordList::Dither, "cluster16", 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeywordValue(c.list, c.word), c.expected) << c.word;
  }
}

TEST(KeywordValueTest, UnknownWordsGiveTheFirstValue) {
  EXPECT_EQ(KeywordValue(KeywordList::ResizeAlgorithm, "nearest"), 0);
  EXPECT_EQ(KeywordValue(KeywordList::Chroma, ""), 0);
  EXPECT_EQ(KeywordValue(KeywordList::Chroma, "me dium"), 0);
  // A word of another list is not a word of this one.
  EXPECT_EQ(KeywordValue(KeywordList::Chroma, "bicubic"), 0);
}

TEST(KeywordValueTest, CompressionIsOneListWhateverTheFormat) {
  EXPECT_EQ(KeywordValue(KeywordList::Compression, "LZW"), 6);
  EXPECT_EQ(KeywordValue(KeywordList::Compression, "rle"), 1);
  EXPECT_EQ(KeywordValue(KeywordList::Compression, "pxr24"), 3);
  EXPECT_EQ(KeywordValue(KeywordList::Compression, "zlib9"), 3);
  EXPECT_EQ(KeywordValue(KeywordList::Compression, "logluv"), 8);
  EXPECT_EQ(KeywordValue(KeywordList::Compression, "none"), 0);
  EXPECT_EQ(KeywordValue(KeywordList::Compression, "gzip"), 0);
}

TEST(KeywordOfTest, GivesTheLowerCaseWord) {
  EXPECT_EQ(KeywordOf(KeywordList::ResizeAlgorithm, 5), "lanczos");
  EXPECT_EQ(KeywordOf(KeywordList::Position, 4), "middlecenter");
  EXPECT_EQ(KeywordOf(KeywordList::WatermarkType, 2), "image");
  EXPECT_EQ(KeywordOf(KeywordList::FrameType, 1), "solid");
  EXPECT_EQ(KeywordOf(KeywordList::RawLoad, 4), "48hs");
}

TEST(KeywordOfTest, NumbersWithoutAWordGiveAnEmptyText) {
  EXPECT_EQ(KeywordOf(KeywordList::Position, 9), "");
  EXPECT_EQ(KeywordOf(KeywordList::Position, -1), "");
  EXPECT_EQ(KeywordOf(KeywordList::Size, 1), "");
}

TEST(KeywordOfTest, CompressionIsReadPerFormat) {
  struct Case {
    const char* format;
    int32_t value;
    const char* expected;
  };
  const Case cases[] = {
      {"exr", 1, "zip"},           {"png", 1, "zlib1"}, {"tiff", 1, "ccittfax3"},
      {"bmp", 1, "rle"},           {"tga", 1, "rle"},   {"tiff", 6, "lzw"},
      {"exr", 4, "b44"},           {"png", 3, "zlib9"}, {"bmp", 0, "none"},
      {"tiff", 0, "none"},         {"png", 6, ""},      {"bmp", 2, ""},
      {"TIFF", 5, "adobedeflate"}, {"jpg", 1, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeywordOf(KeywordList::Compression, c.value, c.format), c.expected)
        << c.format << " " << c.value;
  }
}

}  // namespace
}  // namespace pictavo
