#include "decor/placement.h"

#include <gtest/gtest.h>

#include "support/bitmap_probe.h"

namespace pictavo {
namespace {

using test::Pixel;
using test::PixelAt;

TEST(PlacementTest, PositionTableOnA640By480Image) {
  Room room{0, 0, 640, 480};
  WatermarkPlacement p{0, 0, 10, 10, 0};
  struct Case {
    int position, x, y;
  };
  const Case cases[] = {
      {0, 10, 10},  {1, 270, 10},  {2, 530, 10},  {3, 10, 225}, {4, 270, 225}, {5, 530, 225},
      {6, 10, 440}, {7, 270, 440}, {8, 530, 440}, {9, 0, 0},    {-1, 0, 0},
  };
  for (const Case& c : cases) {
    p.position = c.position;
    Point at = PlaceWatermark(room, p, 100, 30);
    EXPECT_EQ(at.x, c.x) << c.position;
    EXPECT_EQ(at.y, c.y) << c.position;
  }
  // Centred coordinates drop the remainder.
  p.position = 4;
  EXPECT_EQ(PlaceWatermark(room, p, 101, 31).x, 269);
  EXPECT_EQ(PlaceWatermark(room, p, 101, 31).y, 224);
}

TEST(PlacementTest, FrameBoundaryShrinksTheRoomAndShiftsItsStart) {
  Settings s;
  s.DoFrame = 1;
  s.SolidLeft = s.SolidRight = s.SolidTop = s.SolidBottom = 10;
  s.TextBoundary = 1;
  WatermarkPlacement p = TextPlacement(s);
  Room room = WatermarkRoom(s, p, 640, 480);
  EXPECT_EQ(room.left, 10);
  EXPECT_EQ(room.top, 10);
  EXPECT_EQ(room.width, 620);
  EXPECT_EQ(room.height, 460);
  Point at = PlaceWatermark(room, p, 100, 30);
  EXPECT_EQ(at.x, 520);
  EXPECT_EQ(at.y, 430);

  // Without a frame, or with boundary 0, the room is the image.
  s.TextBoundary = 0;
  EXPECT_EQ(WatermarkRoom(s, TextPlacement(s), 640, 480).width, 640);
  s.TextBoundary = 1;
  s.DoFrame = 0;
  EXPECT_EQ(WatermarkRoom(s, TextPlacement(s), 640, 480).left, 0);
}

TEST(PlacementTest, FitCropsFromTheTopLeftWhateverThePosition) {
  Bitmap layer = test::SolidBitmap(700, 40, 32, {0, 0, 255, 255});
  test::SetPixel(layer.get(), 0, 0, {255, 0, 0, 255});
  Room room{0, 0, 640, 480};
  WatermarkPlacement p{0, 4, 10, 10, 0};
  Bitmap fitted = FitWatermark(std::move(layer), room, p);
  ASSERT_TRUE(fitted);
  EXPECT_EQ(fitted.Width(), 630u);
  EXPECT_EQ(fitted.Height(), 40u);
  EXPECT_EQ(PixelAt(fitted.get(), 0, 0), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(PlaceWatermark(room, p, 630, 40).x, 5);
}

TEST(PlacementTest, OffsetsAtOrPastTheRoomLeaveNoLayer) {
  Room room{0, 0, 640, 480};
  for (int offset : {640, 700}) {
    WatermarkPlacement p{0, 8, offset, 10, 0};
    EXPECT_FALSE(FitWatermark(test::SolidBitmap(50, 20, 32, {}), room, p)) << offset;
  }
  WatermarkPlacement tall{0, 8, 10, 480, 0};
  EXPECT_FALSE(FitWatermark(test::SolidBitmap(50, 20, 32, {}), room, tall));
}

TEST(PlacementTest, RotationTurnsTheBoxAndGrowsItForOtherAngles) {
  Bitmap box = test::SolidBitmap(100, 30, 32, {255, 255, 255, 255});
  Bitmap turned = RotateWatermark(std::move(box), 90);
  EXPECT_EQ(turned.Width(), 30u);
  EXPECT_EQ(turned.Height(), 100u);
  Bitmap slanted = RotateWatermark(test::SolidBitmap(100, 30, 32, {255, 255, 255, 255}), 45);
  ASSERT_TRUE(slanted);
  // (100 + 30) x cos 45 degrees on each side.
  EXPECT_NEAR(slanted.Width(), 92, 1);
  EXPECT_NEAR(slanted.Height(), 92, 1);
  EXPECT_EQ(PixelAt(slanted.get(), 0, 0).a, 0);  // an uncovered corner
  for (int angle : {0, 360, -90})
    EXPECT_EQ(RotateWatermark(test::SolidBitmap(100, 30, 32, {}), angle).Width(), 100u);
}

TEST(PlacementTest, CompositeKeepsOpaquePixelsExactAndRefusesLayersOutside) {
  Bitmap layer = test::SolidBitmap(4, 4, 32, {250, 10, 10, 255});
  test::SetPixel(layer.get(), 1, 1, {0, 0, 0, 0});
  test::SetPixel(layer.get(), 2, 2, {200, 200, 200, 128});
  Bitmap out = CompositeLayer(test::SolidBitmap(20, 10, 24, {0, 0, 100}), layer, 20, 10, {16, 6});
  ASSERT_TRUE(out);
  EXPECT_EQ(out.Bpp(), 24u);
  EXPECT_EQ(PixelAt(out.get(), 16, 6), (Pixel{250, 10, 10}));
  EXPECT_EQ(PixelAt(out.get(), 17, 7), (Pixel{0, 0, 100}));
  EXPECT_TRUE(test::Near(PixelAt(out.get(), 18, 8), (Pixel{100, 100, 150}), 1));
  EXPECT_EQ(PixelAt(out.get(), 15, 6), (Pixel{0, 0, 100}));

  for (Point outside : {Point{-1, 0}, Point{17, 0}, Point{0, 7}}) {
    Bitmap same =
        CompositeLayer(test::SolidBitmap(20, 10, 24, {0, 0, 100}), layer, 20, 10, outside);
    ASSERT_TRUE(same);
    EXPECT_EQ(PixelAt(same.get(), 19, 9), (Pixel{0, 0, 100}));
  }
}

}  // namespace
}  // namespace pictavo
