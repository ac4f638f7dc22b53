#include "pipeline/output_depth.h"

#include <gtest/gtest.h>

#include "pipeline/test_images.h"

namespace pictavo {
namespace {

using testing::PixelAt;
using testing::Rgb;
using testing::SolidImage;

TEST(ChooseAutoDepthTest, KeepsRoundsUpOrFallsBackToTheLargestDepth) {
  struct {
    const char* key;
    int loaded, want;
  } cases[] = {
      {"jpg", 1, 8},    {"jpg", 4, 8},   {"jpg", 8, 8},    {"jpg", 16, 24},  {"jpg", 24, 24},
      {"jpg", 32, 24},  {"jpg", 48, 24}, {"jpg", 128, 24}, {"tiff", 16, 24}, {"tiff", 48, 48},
      {"tiff", 64, 96}, {"png", 64, 48}, {"png", 2, 4},    {"exr", 8, 96},   {"nope", 8, 0},
  };
  for (auto c : cases)
    EXPECT_EQ(ChooseAutoDepth(c.key, c.loaded), c.want) << c.key << " " << c.loaded;
  EXPECT_EQ(ChooseAutoDepthFrom("8,24", 0), 8);
  EXPECT_EQ(ChooseAutoDepthFrom("", 8), 0);
}

struct DepthCase {
  const char* name;
  int source_bpp;  // 24 or 32, or 48 for 16-bit-per-channel RGB
  const char* key;
  int target;
  unsigned want_bpp;
  FREE_IMAGE_TYPE want_type;
  FREE_IMAGE_COLOR_TYPE want_color;
};

Bitmap Source(int bpp) {
  if (bpp == 48) {
    Bitmap deep(FreeImage_AllocateT(FIT_RGB16, 8, 8));
    for (unsigned y = 0; y < 8; ++y) {
      auto* line = reinterpret_cast<FIRGB16*>(FreeImage_GetScanLine(deep.get(), y));
      for (unsigned x = 0; x < 8; ++x) line[x] = {51200, 25600, 12800};
    }
    return deep;
  }
  return SolidImage(8, 8, {200, 100, 50}, bpp);
}

TEST(ConvertToOutputDepthTest, EachTargetGetsItsConversion) {
  const DepthCase cases[] = {
      {"24 to 32", 24, "png", 32, 32, FIT_BITMAP, FIC_RGB},
      {"32 to 24", 32, "jpg", 24, 24, FIT_BITMAP, FIC_RGB},
      {"jpg 8 is grey", 24, "jpg", 8, 8, FIT_BITMAP, FIC_MINISBLACK},
      {"jpg 8 from 32 is grey", 32, "jpg", 8, 8, FIT_BITMAP, FIC_MINISBLACK},
      {"png 8 is quantised colour", 32, "png", 8, 8, FIT_BITMAP, FIC_PALETTE},
      {"gif 8 from 48 is quantised colour", 48, "gif", 8, 8, FIT_BITMAP, FIC_PALETTE},
      {"16 from 48 goes through 24", 48, "bmp", 16, 16, FIT_BITMAP, FIC_RGB},
      {"4 bits", 24, "bmp", 4, 4, FIT_BITMAP, FIC_PALETTE},
      {"1 bit is dithered", 24, "png", 1, 1, FIT_BITMAP, FIC_MINISBLACK},
      {"48 bits", 24, "png", 48, 48, FIT_RGB16, FIC_RGB},
      {"96 bits", 24, "tiff", 96, 96, FIT_RGBF, FIC_RGB},
  };
  for (const DepthCase& c : cases) {
    Bitmap out = ConvertToOutputDepth(Source(c.source_bpp), c.key, c.target);
    ASSERT_TRUE(out) << c.name;
    EXPECT_EQ(out.Bpp(), c.want_bpp) << c.name;
    EXPECT_EQ(FreeImage_GetImageType(out.get()), c.want_type) << c.name;
    EXPECT_EQ(FreeImage_GetColorType(out.get()), c.want_color) << c.name;
  }
}

TEST(ConvertToOutputDepthTest, QuantisedColourKeepsThePixel) {
  Bitmap out = ConvertToOutputDepth(SolidImage(8, 8, {200, 100, 50}, 32), "png", 8);
  ASSERT_TRUE(out);
  EXPECT_EQ(PixelAt(out, 3, 3), (Rgb{200, 100, 50}));
}

TEST(ConvertToOutputDepthTest, SixteenBitLayoutFollowsTheFormat) {
  for (const char* key : {"tga", "ico"}) {
    Bitmap out = ConvertToOutputDepth(SolidImage(4, 4, {200, 100, 50}), key, 16);
    ASSERT_TRUE(out);
    EXPECT_EQ(FreeImage_GetGreenMask(out.get()), static_cast<unsigned>(FI16_555_GREEN_MASK)) << key;
  }
  for (const char* key : {"bmp", "jxr"}) {
    Bitmap out = ConvertToOutputDepth(SolidImage(4, 4, {200, 100, 50}), key, 16);
    ASSERT_TRUE(out);
    EXPECT_EQ(FreeImage_GetGreenMask(out.get()), static_cast<unsigned>(FI16_565_GREEN_MASK)) << key;
  }
}

TEST(ConvertToOutputDepthTest, ImageAlreadyAtTheDepthIsHandedBackAsItIs) {
  // A palettised 8-bit image stays palettised, even for jpg.
  Bitmap palettised = ConvertToOutputDepth(SolidImage(8, 8, {200, 100, 50}, 32), "png", 8);
  ASSERT_TRUE(palettised);
  FIBITMAP* handle = palettised.get();
  Bitmap out = ConvertToOutputDepth(std::move(palettised), "jpg", 8);
  EXPECT_EQ(out.get(), handle);
  EXPECT_EQ(FreeImage_GetColorType(out.get()), FIC_PALETTE);
}

TEST(ConvertToOutputDepthTest, UnknownDepthAndMissingImageGiveNoImage) {
  EXPECT_FALSE(ConvertToOutputDepth(SolidImage(4, 4, {1, 2, 3}), "jpg", 7));
  EXPECT_FALSE(ConvertToOutputDepth(Bitmap(), "jpg", 24));
}

}  // namespace
}  // namespace pictavo
