#include "gfx/text.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "gfx/shapes.h"

namespace pictavo::gfx {
namespace {

FontSpec Sans(int pixels = 19) {
  return FontSpec{"Liberation Sans", pixels};
}

TEST(FontLookupTest, FamiliesResolveToThemselvesOrToMetricAliases) {
  EXPECT_EQ(ResolveFontFamily("Liberation Sans"), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("liberation sans"), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(ResolveFontFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(ResolveFontFamily("DejaVu Sans"), "DejaVu Sans");
}

TEST(FontLookupTest, FamiliesThatOnlyReachAFallbackCannotBeLoaded) {
  EXPECT_EQ(ResolveFontFamily("NoSuchFontFamily"), std::nullopt);
  EXPECT_EQ(ResolveFontFamily(""), std::nullopt);
}

TEST(TextMeasureTest, EmptyTextMeasuresNothingAndLongerTextIsWider) {
  TextExtent empty = MeasureRasterText(Sans(), "");
  EXPECT_EQ(empty.width, 0);
  EXPECT_EQ(empty.height, 0);
  TextExtent one = MeasureRasterText(Sans(), "Hello");
  TextExtent two = MeasureRasterText(Sans(), "Hello Hello");
  EXPECT_GT(one.width, 20);
  EXPECT_GT(two.width, one.width);
  EXPECT_EQ(two.height, one.height);
  // The logical height of a 19-pixel font is its line height.
  EXPECT_GE(one.height, 19);
  EXPECT_LE(one.height, 25);
  EXPECT_GT(MeasureRasterText(Sans(38), "Hello").height, one.height);
  EXPECT_NEAR(MeasureVectorWidth(Sans(), "Hello"), one.width, 3.0);
  EXPECT_EQ(MeasureVectorWidth(Sans(), ""), 0.0);
}

TEST(TextMeasureTest, BoldTextIsWiderThanRegular) {
  FontSpec bold = Sans();
  bold.bold = true;
  EXPECT_GT(MeasureRasterText(bold, "Wide words here").width,
            MeasureRasterText(Sans(), "Wide words here").width);
}

// The set of distinct pixels of a raster.
std::set<uint32_t> Colours(const Raster& raster) {
  std::set<uint32_t> colours;
  for (int y = 0; y < raster.Height(); ++y)
    for (int x = 0; x < raster.Width(); ++x) colours.insert(raster.Row(y)[x]);
  return colours;
}

TEST(TextDrawTest, RasterTextHasNoIntermediateCoverage) {
  Raster raster = Raster::Create(120, 30);
  Rgba back{0, 0, 0, 255};
  FillAll(raster, back);
  DrawRasterText(raster, Sans(), "Raster Ag", 2, 2, {255, 255, 255, 255}, back);
  std::set<uint32_t> colours = Colours(raster);
  EXPECT_EQ(colours, (std::set<uint32_t>{0xFF000000u, 0xFFFFFFFFu}));
}

TEST(TextDrawTest, RasterTextCombinesTextOpacityOverTheBackground) {
  Raster raster = Raster::Create(120, 30);
  Rgba back{0, 0, 255, 255};
  FillAll(raster, back);
  DrawRasterText(raster, Sans(), "Raster Ag", 2, 2, {255, 0, 0, 128}, back);
  // Covered pixels are an even mix and stay opaque.
  std::set<uint32_t> colours = Colours(raster);
  ASSERT_EQ(colours.size(), 2u);
  Rgba mixed =
      Unpremultiply(*colours.begin() == Premultiply(back) ? *colours.rbegin() : *colours.begin());
  EXPECT_NEAR(mixed.r, 128, 1);
  EXPECT_NEAR(mixed.b, 127, 1);
  EXPECT_EQ(mixed.a, 255);
}

TEST(TextDrawTest, TextIsDrawnBelowAndRightOfItsTopLeftCorner) {
  Raster raster = Raster::Create(100, 60);
  DrawRasterText(raster, Sans(), "XXXX", 40, 30, {255, 255, 255, 255}, {0, 0, 0, 0});
  int min_x = 1000, min_y = 1000, max_y = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x)
      if (raster.Pixel(x, y).a != 0) {
        min_x = std::min(min_x, x);
        min_y = std::min(min_y, y);
        max_y = std::max(max_y, y);
      }
  EXPECT_GE(min_x, 40);
  EXPECT_LE(min_x, 43);
  EXPECT_GE(min_y, 30);
  EXPECT_LE(max_y, 30 + MeasureRasterText(Sans(), "XXXX").height);
}

TEST(TextDrawTest, UnderlineAddsPixelsBelowTheGlyphs) {
  FontSpec underlined = Sans();
  underlined.underline = true;
  Raster plain = Raster::Create(80, 30);
  Raster lined = Raster::Create(80, 30);
  DrawRasterText(plain, Sans(), "ooo", 0, 0, {255, 255, 255, 255}, {0, 0, 0, 0});
  DrawRasterText(lined, underlined, "ooo", 0, 0, {255, 255, 255, 255}, {0, 0, 0, 0});
  auto count = [](const Raster& r) {
    int n = 0;
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x) n += r.Pixel(x, y).a != 0;
    return n;
  };
  EXPECT_GT(count(lined), count(plain) + 10);
}

TEST(TextDrawTest, VectorTextIsAntialiased) {
  Raster raster = Raster::Create(120, 30);
  DrawVectorText(raster, Sans(), "Vector Ag", 2.0, 2.0, {255, 255, 255, 255});
  bool partial = false;
  for (int y = 0; y < 30 && !partial; ++y)
    for (int x = 0; x < 120 && !partial; ++x) {
      uint8_t a = raster.Pixel(x, y).a;
      partial = a > 0 && a < 255;
    }
  EXPECT_TRUE(partial);
}

TEST(TextMeasureTest, MeasuringFromTwoThreadsAtOnceGivesTheSameResults) {
  TextExtent expected = MeasureRasterText(Sans(), "Thread safe");
  TextExtent results[2];
  auto work = [&](TextExtent* out) {
    for (int i = 0; i < 50; ++i) {
      *out = MeasureRasterText(Sans(), "Thread safe");
      Raster raster = Raster::Create(100, 30);
      DrawRasterText(raster, Sans(), "Thread safe", 0, 0, {255, 255, 255, 255}, {});
    }
  };
  std::thread a(work, &results[0]);
  std::thread b(work, &results[1]);
  a.join();
  b.join();
  for (const TextExtent& r : results) {
    EXPECT_EQ(r.width, expected.width);
    EXPECT_EQ(r.height, expected.height);
  }
}

}  // namespace
}  // namespace pictavo::gfx
