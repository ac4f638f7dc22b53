#include "pipeline/normalise.h"

#include <gtest/gtest.h>

#include "pipeline/test_images.h"

namespace pictavo {
namespace {

using testing::GreyRamp;
using testing::SolidImage;

TEST(NormaliseGreyTest, DeepGreyBecomesEightBitGrey) {
  for (FREE_IMAGE_TYPE type : {FIT_UINT16, FIT_FLOAT, FIT_UINT32}) {
    Bitmap out = NormaliseGrey(Bitmap(FreeImage_AllocateT(type, 4, 4)));
    ASSERT_TRUE(out) << type;
    EXPECT_EQ(out.Bpp(), 8u) << type;
    EXPECT_EQ(FreeImage_GetColorType(out.get()), FIC_MINISBLACK) << type;
  }
}

TEST(NormaliseGreyTest, StandardImagesAreNotCopied) {
  Bitmap grey = GreyRamp(4, 4);
  FIBITMAP* handle = grey.get();
  EXPECT_EQ(NormaliseGrey(std::move(grey)).get(), handle);
  Bitmap rgb16(FreeImage_AllocateT(FIT_RGB16, 4, 4));
  handle = rgb16.get();
  EXPECT_EQ(NormaliseGrey(std::move(rgb16)).get(), handle);
}

TEST(ToneMapTest, OnlyImagesDeeperThanThirtyTwoBitsAreMapped) {
  for (FREE_IMAGE_TYPE type : {FIT_RGB16, FIT_RGBA16, FIT_RGBF, FIT_RGBAF}) {
    Bitmap out = ToneMapDeepColour(Bitmap(FreeImage_AllocateT(type, 4, 4)));
    ASSERT_TRUE(out) << type;
    EXPECT_EQ(out.Bpp(), 24u) << type;
  }
  Bitmap rgba = SolidImage(4, 4, {1, 2, 3}, 32);
  FIBITMAP* handle = rgba.get();
  EXPECT_EQ(ToneMapDeepColour(std::move(rgba)).get(), handle);
  EXPECT_FALSE(ToneMapDeepColour(Bitmap()));
  EXPECT_FALSE(NormaliseGrey(Bitmap()));
}

}  // namespace
}  // namespace pictavo
