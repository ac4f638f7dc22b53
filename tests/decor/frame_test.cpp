#include "decor/frame.h"

#include <gtest/gtest.h>

#include "decor/frame_geometry.h"
#include "support/bitmap_probe.h"

namespace pictavo {
namespace {

using test::Pixel;
using test::PixelAt;

const Pixel kGrey{100, 150, 200};
const Pixel kBlack{0, 0, 0};
const Pixel kRed{255, 0, 0};
const Pixel kBlue{0, 0, 255};

Settings FrameSettings(int left, int right, int top, int bottom) {
  Settings s;
  s.DoFrame = 1;
  s.SolidLeft = left;
  s.SolidRight = right;
  s.SolidTop = top;
  s.SolidBottom = bottom;
  return s;
}

Bitmap Framed(const Settings& s, int w = 100, int h = 80, int bpp = 24) {
  return ApplyFrame(test::SolidBitmap(w, h, bpp, kGrey), s, w, h);
}

TEST(FrameTest, BlackBordersCoverTheEdgesAndLeaveTheInsideUntouched) {
  Bitmap out = Framed(FrameSettings(10, 10, 10, 10));
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Width(), 100u);
  EXPECT_EQ(out.Height(), 80u);
  EXPECT_EQ(out.Bpp(), 24u);
  struct Probe {
    int x, y;
    Pixel expected;
  };
  const Probe probes[] = {
      {0, 0, kBlack},  {5, 40, kBlack}, {9, 40, kBlack},  {10, 40, kGrey},  {50, 9, kBlack},
      {50, 10, kGrey}, {89, 40, kGrey}, {90, 40, kBlack}, {99, 79, kBlack}, {50, 70, kBlack},
      {50, 69, kGrey}, {10, 10, kGrey}, {89, 69, kGrey},  {3, 77, kBlack},  {97, 2, kBlack},
  };
  for (const Probe& p : probes)
    EXPECT_EQ(PixelAt(out.get(), p.x, p.y), p.expected) << p.x << "," << p.y;
}

TEST(FrameTest, OpacityBlendsTheWholeFrameEvenly) {
  Settings s = FrameSettings(10, 10, 10, 10);
  s.SolidOpacity = 128;
  Bitmap half = Framed(s);
  // 128/255 of black over the grey: the grey keeps 127/255 of its value.
  Pixel expected{100 * 127 / 255, 150 * 127 / 255, 200 * 127 / 255};
  EXPECT_TRUE(test::Near(PixelAt(half.get(), 5, 40), expected, 1)) << PixelAt(half.get(), 5, 40);
  EXPECT_TRUE(test::Near(PixelAt(half.get(), 50, 75), expected, 1));
  EXPECT_EQ(PixelAt(half.get(), 50, 40), kGrey);

  s.SolidOpacity = 0;
  Bitmap none = Framed(s);
  EXPECT_EQ(none.Bpp(), 24u);
  EXPECT_EQ(PixelAt(none.get(), 5, 40), kGrey);
  EXPECT_EQ(PixelAt(none.get(), 0, 0), kGrey);
}

TEST(FrameTest, ALeftBorderAloneIsABandAtTheLeftEdge) {
  Settings s = FrameSettings(20, 0, 0, 0);
  s.SolidLeftColor = "00FF00";
  Bitmap out = Framed(s);
  for (int y : {0, 40, 79}) {
    EXPECT_EQ(PixelAt(out.get(), 0, y), (Pixel{0, 255, 0})) << y;
    EXPECT_EQ(PixelAt(out.get(), 19, y), (Pixel{0, 255, 0})) << y;
    EXPECT_EQ(PixelAt(out.get(), 20, y), kGrey) << y;
    EXPECT_EQ(PixelAt(out.get(), 99, y), kGrey) << y;
  }
}

TEST(FrameTest, TopAndLeftMeetOnTheCornerDiagonal) {
  Settings s = FrameSettings(20, 0, 20, 0);
  s.SolidTopColor = "FF0000";
  s.SolidLeftColor = "0000FF";
  Bitmap out = Framed(s);
  for (int a = 0; a < 20; ++a) {
    for (int b = a + 2; b < 20; ++b) {
      EXPECT_EQ(PixelAt(out.get(), b, a), kRed) << "above at " << b << "," << a;
      EXPECT_EQ(PixelAt(out.get(), a, b), kBlue) << "below at " << a << "," << b;
    }
  }
  // On the diagonal the two colours share the pixel.
  Pixel diagonal = PixelAt(out.get(), 10, 10);
  EXPECT_GT(diagonal.r, 60);
  EXPECT_GT(diagonal.b, 60);
  EXPECT_EQ(diagonal.g, 0);
}

TEST(FrameTest, AlphaIsDroppedWhenTheFrameIsOnAndFrameModeTwoDrawsNothing) {
  Bitmap alpha = Framed(FrameSettings(0, 0, 0, 0), 30, 20, 32);
  EXPECT_EQ(alpha.Bpp(), 24u);
  Settings two = FrameSettings(10, 10, 10, 10);
  two.DoFrame = 2;
  Bitmap plain = Framed(two, 30, 20, 32);
  EXPECT_EQ(plain.Bpp(), 24u);
  EXPECT_EQ(PixelAt(plain.get(), 0, 0), kGrey);
  Settings off = FrameSettings(10, 10, 10, 10);
  off.DoFrame = 0;
  EXPECT_EQ(Framed(off, 30, 20, 32).Bpp(), 32u);
  EXPECT_FALSE(ApplyFrame(Bitmap(), FrameSettings(5, 5, 5, 5), 10, 10));
}

TEST(FrameTest, OversizeBordersAreScaledToMeetExactly) {
  // 60 + 60 on a width of 100, 50 + 150 on a height of 80.
  Settings s = FrameSettings(60, 60, 50, 150);
  FrameBorders b = FitFrameBorders(s, 100, 80);
  EXPECT_EQ(b.left, 50);
  EXPECT_EQ(b.right, 50);
  EXPECT_EQ(b.top, 20);
  EXPECT_EQ(b.bottom, 60);
  FrameSidePaths paths = BuildFrameSidePaths(b, 100, 80);
  for (const std::string& path : {paths.top, paths.right, paths.bottom, paths.left})
    EXPECT_EQ(path.find("--"), std::string::npos) << path;

  s.SolidLeftColor = "0000FF";
  s.SolidRightColor = "00FF00";
  s.SolidTopColor = "FF0000";
  s.SolidBottomColor = "FFFF00";
  Bitmap out = Framed(s);
  // No image pixel shows through; each side keeps its own colour.
  for (int y = 0; y < 80; y += 3)
    for (int x = 0; x < 100; x += 3) EXPECT_NE(PixelAt(out.get(), x, y), kGrey) << x << "," << y;
  EXPECT_EQ(PixelAt(out.get(), 50, 2), kRed);
  EXPECT_EQ(PixelAt(out.get(), 50, 77), (Pixel{255, 255, 0}));
  EXPECT_EQ(PixelAt(out.get(), 2, 40), kBlue);
  EXPECT_EQ(PixelAt(out.get(), 97, 40), (Pixel{0, 255, 0}));
}

TEST(FrameGeometryTest, SidePathsFollowTheMitredPolygons) {
  FrameSidePaths paths = BuildFrameSidePaths({10, 20, 5, 15}, 100, 80);
  EXPECT_EQ(paths.top, "M 0 0 l 100 0 l -20 5 l -70 0 Z");
  EXPECT_EQ(paths.right, "M 100 0 l 0 80 l -20 -15 l 0 -60 Z");
  EXPECT_EQ(paths.bottom, "M 100 80 l -100 0 l 10 -15 l 70 0 Z");
  EXPECT_EQ(paths.left, "M 0 80 l 0 -80 l 10 5 l 0 60 Z");
  Settings negative = FrameSettings(-5, 10, 0, 0);
  EXPECT_EQ(FitFrameBorders(negative, 100, 80).left, 0);
}

}  // namespace
}  // namespace pictavo
