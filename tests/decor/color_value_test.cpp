#include "decor/color_value.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(ColorValueTest, ParsesRedFirstWithAlphaOnTop) {
  ColorValue orange = ParseHexColor("FF8000");
  EXPECT_EQ(RedOf(orange), 255);
  EXPECT_EQ(GreenOf(orange), 128);
  EXPECT_EQ(BlueOf(orange), 0);
  EXPECT_EQ(AlphaOf(orange), 0);
  EXPECT_EQ(orange, 0x000080FFu);
  EXPECT_EQ(ParseHexColorAlpha("FF8000", 255), 0xFF0080FFu);
  EXPECT_EQ(ParseHexColor("ff8000"), orange);
}

TEST(ColorValueTest, MalformedTextsGiveBlackOrAPartlyReadValue) {
  struct Case {
    const char* text;
    ColorValue expected;
  };
  const Case cases[] = {
      {"#FF8000", 0}, {"FFF", 0}, {"", 0}, {"GG0000", 0}, {"1G0000", 1}, {"AGFF00", 0xFF0A},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHexColor(c.text), c.expected) << c.text;
  EXPECT_EQ(ParseHexColorAlpha("FFF", 200), 200u << 24);
}

TEST(ColorValueTest, HexTextRoundTripsAndIgnoresAlpha) {
  ColorValue value = 10 | (0 << 8) | (255 << 16) | (77u << 24);
  EXPECT_EQ(ColorToHex(value), "0A00FF");
  EXPECT_EQ(ParseHexColor("0A00FF"), value & 0xFFFFFF);
  EXPECT_EQ(ColorToHex(0), "000000");
}

TEST(ColorValueTest, DisplayNamesComeFromTheMessageTable) {
  MessageTable messages;
  messages.Build();
  EXPECT_EQ(ColorDisplayName("ff8000", messages), "Orange");
  EXPECT_EQ(ColorDisplayName("C0C0C0", messages), "Silver");
  EXPECT_EQ(ColorDisplayName("123abc", messages),
            messages.Text("Preferences", "Color") + " #123ABC");
  for (const NamedColor& named : NamedColors)
    EXPECT_EQ(ColorDisplayName(named.text, messages), named.name);
}

}  // namespace
}  // namespace pictavo
