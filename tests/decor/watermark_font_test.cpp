#include <gtest/gtest.h>

#include "decor/decor_resources.h"
#include "decor/watermark_font.h"

namespace pictavo {
namespace {

TEST(WatermarkFontTest, PointsBecomePixelsAt96DotsPerInch) {
  EXPECT_EQ(FontPixelSize(14), 19);
  EXPECT_EQ(FontPixelSize(12), 16);
  EXPECT_EQ(FontPixelSize(30), 40);
  EXPECT_EQ(FontPixelSize(1), 1);
  EXPECT_EQ(FontPixelSize(0), 0);
}

TEST(WatermarkFontTest, ArialLoadsAsItsMetricAliasWithStyleAndEffect) {
  struct Case {
    int style, effect;
    bool bold, italic, underline, strikeout;
  };
  const Case cases[] = {
      {0, 0, false, false, false, false},
      {1, 0, true, false, false, false},
      {2, 1, false, true, true, false},
      {3, 2, true, true, false, true},
  };
  for (const Case& c : cases) {
    Settings s;
    s.FontStyle = static_cast<int8_t>(c.style);
    s.FontEffect = static_cast<int8_t>(c.effect);
    DecorResources decor;
    ASSERT_TRUE(LoadWatermarkFont(s, decor));
    ASSERT_TRUE(decor.font);
    const gfx::FontSpec& spec = decor.font->spec;
    EXPECT_EQ(spec.family, "Liberation Sans");
    EXPECT_EQ(spec.pixel_size, 19);
    EXPECT_EQ(spec.bold, c.bold) << c.style;
    EXPECT_EQ(spec.italic, c.italic) << c.style;
    EXPECT_EQ(spec.underline, c.underline) << c.effect;
    EXPECT_EQ(spec.strikeout, c.strikeout) << c.effect;
  }
}

TEST(WatermarkFontTest, UnknownFamiliesAndEmptySizesCannotBeLoaded) {
  DecorResources decor;
  Settings s;
  ASSERT_TRUE(LoadWatermarkFont(s, decor));
  s.WatermarkFont = "NoSuchFontFamily";
  EXPECT_FALSE(LoadWatermarkFont(s, decor));
  EXPECT_FALSE(decor.font);  // a failed load leaves no stale font behind
  s.WatermarkFont = "Arial";
  s.FontSize = 0;
  EXPECT_FALSE(LoadWatermarkFont(s, decor));
}

}  // namespace
}  // namespace pictavo
