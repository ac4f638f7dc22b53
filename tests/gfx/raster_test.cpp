#include "gfx/raster.h"

#include <gtest/gtest.h>

#include "gfx/compose.h"
#include "gfx/flood_fill.h"
#include "gfx/shapes.h"

namespace pictavo::gfx {
namespace {

TEST(RasterTest, NewRasterIsFullyTransparentAndNonPositiveSizesGiveNone) {
  Raster raster = Raster::Create(4, 3);
  ASSERT_TRUE(raster);
  EXPECT_EQ(raster.Width(), 4);
  EXPECT_EQ(raster.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(raster.Row(y)[x], 0u);
  EXPECT_FALSE(Raster::Create(0, 5));
  EXPECT_FALSE(Raster::Create(5, -1));
}

TEST(RasterTest, MoveHandsTheSurfaceOnAndEmptiesTheSource) {
  Raster a = Raster::Create(2, 2);
  cairo_surface_t* surface = a.Surface();
  Raster b = std::move(a);
  EXPECT_FALSE(a);
  EXPECT_EQ(b.Surface(), surface);
  Raster c;
  c = std::move(b);
  EXPECT_FALSE(b);
  EXPECT_EQ(c.Surface(), surface);
}

TEST(RasterTest, PremultiplicationRoundTripsOpaqueAndHalfColours) {
  EXPECT_EQ(Premultiply({255, 128, 0, 255}), 0xFFFF8000u);
  EXPECT_EQ(Unpremultiply(0xFFFF8000u), (Rgba{255, 128, 0, 255}));
  EXPECT_EQ(Unpremultiply(Premultiply({255, 0, 0, 128})), (Rgba{255, 0, 0, 128}));
  EXPECT_EQ(Unpremultiply(Premultiply({200, 100, 50, 0})), (Rgba{}));
}

TEST(ShapesTest, RectanglesOnWholePixelsHaveHardEdges) {
  Raster raster = Raster::Create(10, 10);
  FillRectangle(raster, 2, 3, 4, 5, {0, 0, 255, 255});
  EXPECT_EQ(raster.Pixel(2, 3), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(raster.Pixel(5, 7), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(raster.Pixel(1, 3), Rgba{});
  EXPECT_EQ(raster.Pixel(6, 3), Rgba{});
  EXPECT_EQ(raster.Pixel(2, 8), Rgba{});
}

TEST(ShapesTest, PathTextTriangleIsFilledWithAnAntialiasedDiagonal) {
  Raster raster = Raster::Create(20, 20);
  ASSERT_TRUE(FillPathText(raster, "M 0 0 l 20 0 l 0 20 Z", {255, 0, 0, 255}));
  EXPECT_EQ(raster.Pixel(15, 2), (Rgba{255, 0, 0, 255}));  // above the diagonal
  EXPECT_EQ(raster.Pixel(2, 15), Rgba{});                  // below it
  // A pixel the diagonal cuts in half is about half covered.
  EXPECT_NEAR(raster.Pixel(10, 10).a, 128, 24);
  EXPECT_FALSE(FillPathText(raster, "M 0 0 l --5 3 Z", {0, 255, 0, 255}));
  EXPECT_EQ(raster.Pixel(2, 15), Rgba{});
}

TEST(ComposeTest, BlendedDrawingScalesAlphaAndCombinesOver) {
  Raster source = Raster::Create(2, 1);
  FillAll(source, {255, 0, 0, 255});
  Raster onto_clear = Raster::Create(2, 1);
  DrawBlended(onto_clear, source, 128);
  EXPECT_EQ(onto_clear.Pixel(0, 0), (Rgba{255, 0, 0, 128}));

  Raster onto_blue = Raster::Create(2, 1);
  FillAll(onto_blue, {0, 0, 255, 255});
  DrawBlended(onto_blue, source, 128);
  Rgba mixed = onto_blue.Pixel(1, 0);
  EXPECT_NEAR(mixed.r, 128, 1);
  EXPECT_NEAR(mixed.b, 127, 1);
  EXPECT_EQ(mixed.a, 255);

  DrawBlended(onto_blue, source, 0);
  EXPECT_EQ(onto_blue.Pixel(1, 0), mixed);
}

Rgba Invert(Rgba p) {
  return Rgba{uint8_t(255 - p.r), uint8_t(255 - p.g), uint8_t(255 - p.b), p.a};
}

TEST(ComposeTest, ReplacingDrawingWritesAllFourChannelsThroughTheFilter) {
  Raster source = Raster::Create(3, 1);
  FillAll(source, {255, 0, 0, 255});
  Raster target = Raster::Create(2, 2);  // overlap is 2 x 1
  FillAll(target, {0, 255, 0, 255});
  DrawReplacing(target, source, 128);
  EXPECT_EQ(target.Pixel(0, 0), (Rgba{255, 0, 0, 128}));
  EXPECT_EQ(target.Pixel(0, 1), (Rgba{0, 255, 0, 255}));  // outside the source
  DrawReplacing(target, source, 255, Invert);
  EXPECT_EQ(target.Pixel(1, 0), (Rgba{0, 255, 255, 255}));
}

TEST(FloodFillTest, FillsTheConnectedRegionOnly) {
  Raster raster = Raster::Create(8, 8);
  FillRectangle(raster, 4, 0, 1, 8, {0, 0, 0, 255});  // a wall at x = 4
  FloodFill(raster, 1, 1, {10, 20, 30, 255});
  EXPECT_EQ(raster.Pixel(0, 7), (Rgba{10, 20, 30, 255}));
  EXPECT_EQ(raster.Pixel(3, 0), (Rgba{10, 20, 30, 255}));
  EXPECT_EQ(raster.Pixel(4, 3), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(raster.Pixel(6, 3), Rgba{});
  FloodFill(raster, 99, 1, {1, 1, 1, 255});  // outside: nothing happens
  EXPECT_EQ(raster.Pixel(6, 3), Rgba{});
}

}  // namespace
}  // namespace pictavo::gfx
