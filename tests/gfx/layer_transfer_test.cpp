#include "gfx/layer_transfer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gfx/picture.h"
#include "gfx/shapes.h"
#include "support/bitmap_probe.h"

namespace pictavo::gfx {
namespace {

using test::Pixel;
using test::PixelAt;

TEST(LayerTransferTest, LayerBecomesTopDownStraightAlphaBitmap) {
  Raster layer = Raster::Create(3, 2);
  FillRectangle(layer, 0, 0, 1, 1, {255, 0, 0, 255});  // top left
  FillRectangle(layer, 2, 1, 1, 1, {0, 0, 255, 128});  // bottom right, half
  Bitmap bitmap = LayerToBitmap(layer);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap.Bpp(), 32u);
  EXPECT_EQ(bitmap.Width(), 3u);
  EXPECT_EQ(bitmap.Height(), 2u);
  EXPECT_EQ(PixelAt(bitmap.get(), 0, 0), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(bitmap.get(), 2, 1), (Pixel{0, 0, 255, 128}));
  EXPECT_EQ(PixelAt(bitmap.get(), 1, 0), (Pixel{0, 0, 0, 0}));
  EXPECT_FALSE(LayerToBitmap(Raster()));
}

TEST(LayerTransferTest, BitmapRoundTripsThroughARaster) {
  Bitmap bitmap = test::SolidBitmap(4, 3, 32, {10, 20, 30, 255});
  test::SetPixel(bitmap.get(), 3, 0, {200, 100, 0, 255});
  Raster raster = RasterFromBitmap32(bitmap.get());
  ASSERT_TRUE(raster);
  EXPECT_EQ(raster.Pixel(3, 0), (Rgba{200, 100, 0, 255}));
  Bitmap back = LayerToBitmap(raster);
  EXPECT_EQ(PixelAt(back.get(), 3, 0), (Pixel{200, 100, 0, 255}));
  EXPECT_EQ(PixelAt(back.get(), 0, 2), (Pixel{10, 20, 30, 255}));
  Bitmap rgb = test::SolidBitmap(2, 2, 24, {});
  EXPECT_FALSE(RasterFromBitmap32(rgb.get()));
}

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() / ("pictavo-picture-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Save(FIBITMAP* dib, FREE_IMAGE_FORMAT format, const char* name) {
    std::string path = (folder_ / name).string();
    EXPECT_TRUE(FreeImage_Save(format, dib, path.c_str(), 0));
    return path;
  }
  std::filesystem::path folder_;
};

TEST_F(PictureTest, PngKeepsItsAlphaChannel) {
  Bitmap picture = test::SolidBitmap(5, 4, 32, {0, 0, 0, 0});
  test::SetPixel(picture.get(), 1, 0, {0, 255, 0, 255});
  Raster raster = DecodePicture(Save(picture.get(), FIF_PNG, "a.png"));
  ASSERT_TRUE(raster);
  EXPECT_EQ(raster.Width(), 5);
  EXPECT_EQ(raster.Pixel(1, 0), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(raster.Pixel(2, 2), Rgba{});
}

TEST_F(PictureTest, PicturesWithoutAlphaAreOpaque) {
  Bitmap rgb = test::SolidBitmap(8, 8, 24, {200, 40, 40});
  Raster jpeg = DecodePicture(Save(rgb.get(), FIF_JPEG, "a.jpg"));
  ASSERT_TRUE(jpeg);
  Rgba p = jpeg.Pixel(4, 4);
  EXPECT_EQ(p.a, 255);
  EXPECT_NEAR(p.r, 200, 6);
  Raster bmp = DecodePicture(Save(rgb.get(), FIF_BMP, "a.bmp"));
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp.Pixel(7, 0), (Rgba{200, 40, 40, 255}));
}

TEST_F(PictureTest, MissingOrDamagedFilesGiveNoPicture) {
  EXPECT_FALSE(DecodePicture((folder_ / "missing.png").string()));
  std::string damaged = (folder_ / "damaged.png").string();
  FILE* f = std::fopen(damaged.c_str(), "wb");
  std::fputs("\x89PNG\r\n\x1a\n garbage", f);
  std::fclose(f);
  EXPECT_FALSE(DecodePicture(damaged));
}

}  // namespace
}  // namespace pictavo::gfx
