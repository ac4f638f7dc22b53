#include "decor/image_watermark.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "decor/watermark.h"
#include "support/bitmap_probe.h"

namespace pictavo {
namespace {

using test::Pixel;
using test::PixelAt;

const Pixel kGrey{90, 90, 90};
const Pixel kRed{255, 0, 0};
const Pixel kBlue{0, 0, 255};

class ImageWatermarkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("pictavo-image-watermark-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    settings_.DoWatermark = 2;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Saves the picture and points the settings at it.
  void UsePicture(const Bitmap& picture, FREE_IMAGE_FORMAT format, const char* name) {
    settings_.WatermarkImage = (folder_ / name).string();
    ASSERT_TRUE(FreeImage_Save(format, picture.get(), settings_.WatermarkImage.c_str(), 0));
  }

  Bitmap Apply(Pixel background = kGrey, int bpp = 24) {
    return ApplyWatermark(test::SolidBitmap(640, 480, bpp, background), settings_, run_, file_,
                          decor_, 640, 480);
  }

  std::filesystem::path folder_;
  Settings settings_;
  RunState run_;
  FileJob file_;
  DecorResources decor_;
};

// Fills the rectangle [x0, x1) x [y0, y1) of a bitmap, top-down.
void Fill(FIBITMAP* dib, int x0, int y0, int x1, int y1, Pixel color) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) test::SetPixel(dib, x, y, color);
}

TEST_F(ImageWatermarkTest, TransparentPngLandsAtBottomRightAndLeavesItsClearPixelsAlone) {
  Bitmap picture = test::SolidBitmap(200, 100, 32, {0, 0, 0, 0});
  Fill(picture.get(), 0, 0, 20, 20, {255, 0, 0, 255});
  test::SetPixel(picture.get(), 199, 99, {0, 255, 0, 255});
  UsePicture(picture, FIF_PNG, "mark.png");

  Bitmap out = Apply();
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 24u);
  EXPECT_EQ(PixelAt(out.get(), 430, 370), kRed);
  EXPECT_EQ(PixelAt(out.get(), 449, 389), kRed);
  EXPECT_EQ(PixelAt(out.get(), 629, 469), (Pixel{0, 255, 0}));
  for (auto [x, y] : {std::pair{429, 370},
                      {430, 369},
                      {450, 390},
                      {628, 469},
                      {630, 469},
                      {629, 470},
                      {500, 420},
                      {0, 0}})
    EXPECT_EQ(PixelAt(out.get(), x, y), kGrey) << x << "," << y;
}

TEST_F(ImageWatermarkTest, OpacityBlendsAJpegPictureEvenly) {
  UsePicture(test::SolidBitmap(50, 40, 24, {255, 255, 255}), FIF_JPEG, "mark.jpg");
  settings_.ImageOpacity = 128;
  Bitmap half = Apply({0, 0, 0});
  EXPECT_TRUE(test::Near(PixelAt(half.get(), 600, 450), (Pixel{128, 128, 128}), 2))
      << PixelAt(half.get(), 600, 450);
  EXPECT_EQ(PixelAt(half.get(), 579, 450), (Pixel{0, 0, 0}));

  settings_.ImageOpacity = 0;
  Bitmap none = Apply({0, 0, 0}, 32);
  EXPECT_EQ(none.Bpp(), 24u);
  EXPECT_EQ(PixelAt(none.get(), 600, 450), (Pixel{0, 0, 0}));
}

TEST_F(ImageWatermarkTest, GreyscaleUsesWeightsThatSumTo256) {
  EXPECT_EQ(GreyPixel({255, 0, 0, 200}), (gfx::Rgba{76, 76, 76, 200}));
  EXPECT_EQ(GreyPixel({255, 255, 255, 255}), (gfx::Rgba{255, 255, 255, 255}));
  EXPECT_EQ(GreyPixel({0, 255, 0, 255}).r, 149);

  Bitmap picture = test::SolidBitmap(40, 20, 24, kRed);
  Fill(picture.get(), 20, 0, 40, 20, {255, 255, 255});
  UsePicture(picture, FIF_PNG, "red.png");
  settings_.ImageGreyscale = 1;
  Bitmap out = Apply();
  EXPECT_EQ(PixelAt(out.get(), 590, 455), (Pixel{76, 76, 76}));
  EXPECT_EQ(PixelAt(out.get(), 610, 455), (Pixel{255, 255, 255}));
}

TEST_F(ImageWatermarkTest, LargePictureIsCroppedFromItsTopLeftToTheRoom) {
  Bitmap picture = test::SolidBitmap(1000, 800, 24, kBlue);
  Fill(picture.get(), 0, 0, 2, 2, kRed);
  UsePicture(picture, FIF_PNG, "big.png");
  Bitmap out = Apply();
  EXPECT_EQ(PixelAt(out.get(), 0, 0), kRed);
  EXPECT_EQ(PixelAt(out.get(), 2, 2), kBlue);
  EXPECT_EQ(PixelAt(out.get(), 629, 469), kBlue);
  EXPECT_EQ(PixelAt(out.get(), 630, 469), kGrey);
  EXPECT_EQ(PixelAt(out.get(), 629, 470), kGrey);
}

TEST_F(ImageWatermarkTest, RotationBy180TurnsThePictureUpsideDown) {
  Bitmap picture = test::SolidBitmap(200, 100, 24, kRed);
  Fill(picture.get(), 0, 50, 200, 100, kBlue);  // blue bottom half
  UsePicture(picture, FIF_PNG, "halves.png");
  settings_.WatermarkImageRotation = 180;
  Bitmap out = Apply();
  EXPECT_EQ(PixelAt(out.get(), 430, 370), kBlue);
  EXPECT_EQ(PixelAt(out.get(), 629, 419), kBlue);
  EXPECT_EQ(PixelAt(out.get(), 430, 420), kRed);
  EXPECT_EQ(PixelAt(out.get(), 629, 469), kRed);
  EXPECT_EQ(PixelAt(out.get(), 429, 400), kGrey);
}

TEST_F(ImageWatermarkTest, OffsetsAtOrPastTheRoomGiveNoWatermark) {
  UsePicture(test::SolidBitmap(50, 40, 24, kRed), FIF_PNG, "mark.png");
  struct Case {
    int position, x_offset, y_offset;
  };
  const Case cases[] = {{8, 640, 10}, {8, 10, 480}, {0, 900, 900},
                        {4, 640, 0},  {0, -20, 10}, {8, -700, 10}};
  for (const Case& c : cases) {
    settings_.ImagePosition = static_cast<int8_t>(c.position);
    settings_.ImageXOffset = c.x_offset;
    settings_.ImageYOffset = c.y_offset;
    Bitmap out = Apply(kGrey, 32);
    ASSERT_TRUE(out) << c.x_offset << "," << c.y_offset;
    EXPECT_EQ(out.Bpp(), 24u);
    for (auto [x, y] : {std::pair{0, 0}, {10, 10}, {320, 240}, {600, 450}, {639, 479}})
      EXPECT_EQ(PixelAt(out.get(), x, y), kGrey) << c.x_offset << "," << c.y_offset;
  }
}

TEST_F(ImageWatermarkTest, MissingPictureLeavesTheImageAs24Bits) {
  settings_.WatermarkImage = (folder_ / "gone.png").string();
  Bitmap out = Apply(kGrey, 32);
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 24u);
  EXPECT_EQ(PixelAt(out.get(), 600, 450), kGrey);
}

TEST_F(ImageWatermarkTest, FrameBoundaryKeepsThePictureInsideTheFrame) {
  UsePicture(test::SolidBitmap(50, 40, 24, kRed), FIF_PNG, "mark.png");
  settings_.DoFrame = 1;
  settings_.SolidLeft = settings_.SolidRight = settings_.SolidTop = settings_.SolidBottom = 10;
  settings_.ImageBoundary = 1;
  Bitmap out = Apply();
  // 640 - 10 - 10 - 50 - 10 = 560 from the room's start at 10.
  EXPECT_EQ(PixelAt(out.get(), 570, 420), kRed);
  EXPECT_EQ(PixelAt(out.get(), 619, 459), kRed);
  EXPECT_EQ(PixelAt(out.get(), 620, 460), kGrey);
}

}  // namespace
}  // namespace pictavo
