#include "pipeline/geometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "pipeline/test_images.h"

namespace pictavo {
namespace {

using testing::GreyRamp;
using testing::PixelAt;
using testing::Rgb;
using testing::SetPixel;
using testing::SolidImage;

constexpr Rgb kGreen{0, 200, 0};
constexpr Rgb kOrange{255, 128, 0};  // "FF8000": red and blue differ, so byte order shows

Settings RotationSettings(int angle, int type) {
  Settings s;
  s.DoImageRotation = 1;
  s.TransformImageRotation = angle;
  s.ImageRotationType = static_cast<int8_t>(type);
  s.ImageRotationBackColor = "FF8000";
  return s;
}

TEST(RotationTest, QuarterTurnSwapsTheSidesWithoutBackground) {
  Bitmap out = ApplyRotation(SolidImage(640, 480, kGreen), RotationSettings(90, 0));
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Width(), 480u);
  EXPECT_EQ(out.Height(), 640u);
  for (auto [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {479, 0}, {0, 639}, {479, 639}})
    EXPECT_EQ(PixelAt(out, x, y), kGreen) << x << "," << y;
}

TEST(RotationTest, SimpleRotationGrowsTheCanvasAndFillsCornersWithTheBackColour) {
  Bitmap out = ApplyRotation(SolidImage(640, 480, kGreen), RotationSettings(45, 0));
  ASSERT_TRUE(out);
  EXPECT_GT(out.Width(), 640u);
  EXPECT_GT(out.Height(), 480u);
  const int w = out.Width(), h = out.Height();
  for (auto [x, y] :
       std::vector<std::pair<int, int>>{{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
    EXPECT_EQ(PixelAt(out, x, y), kOrange) << x << "," << y;
  EXPECT_EQ(PixelAt(out, w / 2, h / 2), kGreen);
}

TEST(RotationTest, AdvancedRotationKeepsTheSizeAndMirrorsIntoTheCorners) {
  Bitmap out = ApplyRotation(SolidImage(640, 480, kGreen), RotationSettings(45, 1));
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Width(), 640u);
  EXPECT_EQ(out.Height(), 480u);
  // Mirrored image content, never the back colour.
  EXPECT_EQ(PixelAt(out, 0, 0), kGreen);
  EXPECT_EQ(PixelAt(out, 639, 479), kGreen);
}

TEST(RotationTest, AnglesOutsideOneTo359AndTheSwitchOffLeaveTheImageAlone) {
  for (int angle : {0, 360, -90, 400}) {
    Bitmap in = SolidImage(64, 48, kGreen);
    FIBITMAP* handle = in.get();
    Bitmap out = ApplyRotation(std::move(in), RotationSettings(angle, 0));
    EXPECT_EQ(out.get(), handle) << angle;
  }
  Settings off = RotationSettings(90, 0);
  off.DoImageRotation = 0;
  Bitmap in = SolidImage(64, 48, kGreen);
  FIBITMAP* handle = in.get();
  EXPECT_EQ(ApplyRotation(std::move(in), off).get(), handle);
}

TEST(RotationTest, GreyIsRotatedAsRgbAndAlphaSurvives) {
  Bitmap grey = ApplyRotation(GreyRamp(64, 48), RotationSettings(90, 0));
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey.Bpp(), 24u);

  Bitmap rgba = ApplyRotation(SolidImage(64, 48, kGreen, 32, 128), RotationSettings(30, 1));
  ASSERT_TRUE(rgba);
  EXPECT_EQ(rgba.Bpp(), 32u);
}

TEST(RotationTest, SixteenBitGreyIsScaledRatherThanLost) {
  // Two columns: 0 on the left, 65535 on the right.
  Bitmap grey(FreeImage_AllocateT(FIT_UINT16, 2, 3));
  for (int y = 0; y < 3; ++y)
    reinterpret_cast<uint16_t*>(FreeImage_GetScanLine(grey.get(), y))[1] = 65535;
  Bitmap out = ApplyRotation(std::move(grey), RotationSettings(180, 0));
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 24u);
  EXPECT_EQ(PixelAt(out, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(PixelAt(out, 1, 0), (Rgb{0, 0, 0}));
}

TEST(RotationTest, UnknownTypeOnlyWidensTheDepth) {
  Bitmap out = ApplyRotation(GreyRamp(64, 48), RotationSettings(45, 2));
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Width(), 64u);
  EXPECT_EQ(out.Bpp(), 24u);
}

struct ResizeCase {
  const char* name;
  int w, h;
  int width, width_unit, height, height_unit;
  int keep, type;
  int want_w, want_h;
};

TEST(ResizeTest, TargetsFollowTheLongerSideUnitsAndType) {
  const ResizeCase cases[] = {
      {"landscape by width", 1000, 500, 500, 0, 1, 0, 1, 0, 500, 250},
      {"zero height switches off", 1000, 500, 500, 0, 0, 0, 1, 0, 1000, 500},
      {"portrait by height", 500, 1000, 300, 0, 400, 0, 1, 0, 200, 400},
      {"single precision quotient", 1000, 3, 500, 0, 1, 0, 1, 0, 500, 2},
      {"percent halves to even", 1001, 600, 50, 1, 50, 1, 0, 0, 500, 300},
      {"percent odd sides", 101, 103, 50, 1, 50, 1, 0, 0, 50, 52},
      {"free size", 400, 300, 123, 0, 45, 0, 0, 0, 123, 45},
      {"type 1 resizes when one side is larger", 400, 300, 800, 0, 200, 0, 0, 1, 800, 200},
      {"type 1 keeps images smaller both ways", 400, 300, 800, 0, 600, 0, 0, 1, 400, 300},
      {"type 0 enlarges", 400, 300, 800, 0, 600, 0, 0, 0, 800, 600},
      {"unknown unit switches off", 400, 300, 200, 2, 100, 0, 0, 0, 400, 300},
      {"percent giving zero switches off", 400, 300, 0, 1, 50, 1, 0, 0, 400, 300},
      {"flat image keeps one pixel", 1000, 1, 100, 0, 1, 0, 1, 0, 100, 1},
  };
  for (const ResizeCase& c : cases) {
    Settings s;
    s.DoImageResize = 1;
    s.ImageWidth = c.width;
    s.ImageWidthUnit = static_cast<int8_t>(c.width_unit);
    s.ImageHeight = c.height;
    s.ImageHeightUnit = static_cast<int8_t>(c.height_unit);
    s.KeepAspectRatio = static_cast<int8_t>(c.keep);
    s.ImageResizeType = static_cast<int8_t>(c.type);
    Bitmap out = ApplyResize(SolidImage(c.w, c.h, kGreen), s);
    ASSERT_TRUE(out) << c.name;
    EXPECT_EQ(out.Width(), static_cast<unsigned>(c.want_w)) << c.name;
    EXPECT_EQ(out.Height(), static_cast<unsigned>(c.want_h)) << c.name;
  }
}

TEST(ResizeTest, NothingToDoHandsBackTheSameBitmap) {
  Settings s;
  s.DoImageResize = 1;
  s.ImageWidth = 64;
  s.ImageHeight = 48;
  Bitmap in = SolidImage(64, 48, kGreen);
  FIBITMAP* handle = in.get();
  EXPECT_EQ(ApplyResize(std::move(in), s).get(), handle);

  s.DoImageResize = 0;
  s.ImageWidth = 10;
  in = SolidImage(64, 48, kGreen);
  handle = in.get();
  EXPECT_EQ(ApplyResize(std::move(in), s).get(), handle);
}

TEST(ResizeTest, ResultBeyondTheMemoryBudgetIsRefused) {
  Settings s;
  s.DoImageResize = 1;
  s.KeepAspectRatio = 0;
  s.MaxMemory = 1;  // megabytes
  s.ImageWidth = 600;
  s.ImageHeight = 590;  // 600 x 590 x 3 bytes: just above one megabyte
  EXPECT_FALSE(ApplyResize(SolidImage(64, 48, kGreen), s));
  s.ImageHeight = 580;  // just below
  Bitmap out = ApplyResize(SolidImage(64, 48, kGreen), s);
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Height(), 580u);
}

TEST(ResizeTest, PercentTargetRoundsHalvesToEven) {
  EXPECT_EQ(ResizeTarget(50, 1, 1001), 500);
  EXPECT_EQ(ResizeTarget(50, 1, 101), 50);
  EXPECT_EQ(ResizeTarget(50, 1, 103), 52);
  EXPECT_EQ(ResizeTarget(150, 1, 3), 4);  // 4.5
  EXPECT_EQ(ResizeTarget(640, 0, 3), 640);
  EXPECT_EQ(ResizeTarget(640, 7, 3), 0);
}

TEST(ResizeTest, FilterNumberingDiffersFromFreeImages) {
  const std::pair<int, FREE_IMAGE_FILTER> table[] = {
      {0, FILTER_BOX},        {1, FILTER_BILINEAR}, {2, FILTER_BSPLINE}, {3, FILTER_BICUBIC},
      {4, FILTER_CATMULLROM}, {5, FILTER_LANCZOS3}, {9, FILTER_BICUBIC}, {-1, FILTER_BICUBIC},
  };
  for (auto [setting, filter] : table) EXPECT_EQ(ResizeFilter(setting), filter) << setting;
}

TEST(ResizeTest, RoundHalfAwayRoundsHalvesAwayFromZero) {
  const std::pair<float, int> table[] = {{1.5f, 2}, {-1.5f, -2}, {2.4f, 2}, {-2.4f, -2},
                                         {0.5f, 1}, {-0.5f, -1}, {0.0f, 0}, {2.5f, 3}};
  for (auto [x, want] : table) EXPECT_EQ(RoundHalfAway(x), want) << x;
}

TEST(FlipTest, FlipsMoveTheTopLeftPixelToTheMirroredCorner) {
  constexpr Rgb kRed{255, 0, 0};
  struct {
    int horizontal, vertical;
    int x, y;
  } cases[] = {{1, 0, 7, 0}, {0, 1, 0, 5}, {1, 1, 7, 5}, {0, 0, 0, 0}};
  for (auto c : cases) {
    Bitmap in = SolidImage(8, 6, kGreen);
    SetPixel(in, 0, 0, kRed);
    FIBITMAP* handle = in.get();
    Settings s;
    s.DoImageFlipHorizontal = static_cast<int8_t>(c.horizontal);
    s.DoImageFlipVertical = static_cast<int8_t>(c.vertical);
    Bitmap out = ApplyFlip(std::move(in), s);
    EXPECT_EQ(out.get(), handle);  // in place
    EXPECT_EQ(PixelAt(out, c.x, c.y), kRed) << c.horizontal << c.vertical;
  }
}

TEST(GeometryTest, MissingImagePassesThroughEveryStep) {
  Settings s = RotationSettings(45, 0);
  s.DoImageResize = 1;
  s.ImageWidth = 10;
  s.ImageHeight = 10;
  s.DoImageFlipHorizontal = 1;
  s.DoImageFlipVertical = 1;
  EXPECT_FALSE(ApplyRotation(Bitmap(), s));
  EXPECT_FALSE(ApplyResize(Bitmap(), s));
  EXPECT_FALSE(ApplyFlip(Bitmap(), s));
}

}  // namespace
}  // namespace pictavo
