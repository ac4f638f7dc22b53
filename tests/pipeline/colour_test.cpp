#include "pipeline/colour.h"

#include <gtest/gtest.h>

#include "pipeline/test_images.h"

namespace pictavo {
namespace {

using testing::GreyRamp;
using testing::PixelAt;
using testing::Rgb;
using testing::SetPixel;
using testing::SolidImage;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

Settings Adjustment() {
  Settings s;
  s.DoImageColorCorrection = 1;
  return s;
}

// A 1-bit bitmap, black on the left half and white on the right.
Bitmap HalfBlackHalfWhite(int width, int height) {
  Bitmap image(FreeImage_Allocate(width, height, 1));
  RGBQUAD* palette = FreeImage_GetPalette(image.get());
  palette[1].rgbRed = palette[1].rgbGreen = palette[1].rgbBlue = 255;
  for (int y = 0; y < height; ++y)
    for (int x = width / 2; x < width; ++x) {
      BYTE one = 1;
      FreeImage_SetPixelIndex(image.get(), x, y, &one);
    }
  return image;
}

TEST(ColorAdjustmentTest, InvertTurnsBlackIntoWhite) {
  Settings s = Adjustment();
  s.ImageInvert = 1;
  Bitmap out = ApplyColorAdjustment(SolidImage(4, 4, kBlack), s);
  ASSERT_TRUE(out);
  EXPECT_EQ(PixelAt(out, 1, 1), kWhite);
}

TEST(ColorAdjustmentTest, NeutralValuesKeepPixelsButWidenOneBitImages) {
  Bitmap rgb = SolidImage(4, 4, {10, 120, 240});
  FIBITMAP* handle = rgb.get();
  Bitmap same = ApplyColorAdjustment(std::move(rgb), Adjustment());
  EXPECT_EQ(same.get(), handle);
  EXPECT_EQ(PixelAt(same, 2, 2), (Rgb{10, 120, 240}));

  Bitmap wide = ApplyColorAdjustment(HalfBlackHalfWhite(8, 2), Adjustment());
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide.Bpp(), 24u);
  EXPECT_EQ(PixelAt(wide, 0, 0), kBlack);
  EXPECT_EQ(PixelAt(wide, 7, 1), kWhite);
}

TEST(ColorAdjustmentTest, BrightnessAppliesAfterWidening) {
  Settings s = Adjustment();
  s.ImageBrightness = -50;
  Bitmap out = ApplyColorAdjustment(HalfBlackHalfWhite(8, 2), s);
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 24u);
  EXPECT_NEAR(PixelAt(out, 7, 0).r, 128, 2);
}

TEST(GreyscaleTest, RgbaBecomesEightBitGreyWithoutAlpha) {
  Settings s;
  s.DoImageGreyscale = 1;
  Bitmap out = ApplyGreyscale(SolidImage(4, 4, {200, 200, 200}, 32, 100), s);
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 8u);
  EXPECT_EQ(FreeImage_GetColorType(out.get()), FIC_MINISBLACK);
  EXPECT_FALSE(FreeImage_IsTransparent(out.get()));
  EXPECT_NEAR(PixelAt(out, 1, 1).r, 200, 1);
}

TEST(ThresholdTest, LevelSplitsARampAndUsesItsLowestByte) {
  struct {
    int level;
    int last_black;
  } cases[] = {{128, 127}, {300, 43}, {1, 0}};
  for (auto c : cases) {
    Settings s;
    s.DoImageThreshold = 1;
    s.ImageThreshold = c.level;
    Bitmap out = ApplyThreshold(GreyRamp(256, 2), s);
    ASSERT_TRUE(out);
    EXPECT_EQ(out.Bpp(), 1u);
    EXPECT_EQ(PixelAt(out, 0, 0), kBlack) << c.level;
    EXPECT_EQ(PixelAt(out, c.last_black, 1), kBlack) << c.level;
    EXPECT_EQ(PixelAt(out, c.last_black + 1, 1), kWhite) << c.level;
    EXPECT_EQ(PixelAt(out, 255, 0), kWhite) << c.level;
  }
}

TEST(ThresholdTest, OneBitInputIsWidenedFirst) {
  Settings s;
  s.DoImageThreshold = 1;
  s.ImageThreshold = 128;
  Bitmap out = ApplyThreshold(HalfBlackHalfWhite(8, 2), s);
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 1u);
  EXPECT_EQ(PixelAt(out, 0, 0), kBlack);
  EXPECT_EQ(PixelAt(out, 7, 0), kWhite);
}

TEST(DitherTest, DitherAfterThresholdKeepsBlackAndWhite) {
  Settings s;
  s.DoImageThreshold = 1;
  s.ImageThreshold = 128;
  s.DoImageDither = 1;
  Bitmap out = ApplyDither(ApplyThreshold(GreyRamp(256, 4), s), s);
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 1u);
  EXPECT_EQ(PixelAt(out, 10, 1), kBlack);
  EXPECT_EQ(PixelAt(out, 200, 1), kWhite);
}

TEST(DitherTest, MidGreyDithersToAMixOfBlackAndWhite) {
  Settings s;
  s.DoImageDither = 1;
  s.ImageDitherAlgorithm = 3;
  Bitmap out = ApplyDither(SolidImage(32, 32, {128, 128, 128}), s);
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 1u);
  int white = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) white += PixelAt(out, x, y) == kWhite;
  EXPECT_GT(white, 32 * 32 / 4);
  EXPECT_LT(white, 32 * 32 * 3 / 4);
}

TEST(DitherTest, SettingNumbersMapToFreeImageMethods) {
  const std::pair<int, FREE_IMAGE_DITHER> table[] = {
      {0, FID_FS},           {1, FID_BAYER4x4},   {2, FID_BAYER8x8},
      {3, FID_BAYER16x16},   {4, FID_CLUSTER6x6}, {5, FID_CLUSTER8x8},
      {6, FID_CLUSTER16x16}, {7, FID_FS},         {-1, FID_FS},
  };
  for (auto [setting, method] : table) EXPECT_EQ(DitherAlgorithm(setting), method) << setting;
}

TEST(ColourTest, SwitchedOffStepsAndMissingImagesPassThrough) {
  Settings off;
  Bitmap in = SolidImage(4, 4, kBlack);
  FIBITMAP* handle = in.get();
  in = ApplyColorAdjustment(std::move(in), off);
  in = ApplyGreyscale(std::move(in), off);
  in = ApplyThreshold(std::move(in), off);
  in = ApplyDither(std::move(in), off);
  EXPECT_EQ(in.get(), handle);

  Settings on;
  on.DoImageColorCorrection = on.DoImageGreyscale = on.DoImageThreshold = on.DoImageDither = 1;
  EXPECT_FALSE(ApplyColorAdjustment(Bitmap(), on));
  EXPECT_FALSE(ApplyGreyscale(Bitmap(), on));
  EXPECT_FALSE(ApplyThreshold(Bitmap(), on));
  EXPECT_FALSE(ApplyDither(Bitmap(), on));
}

}  // namespace
}  // namespace pictavo
