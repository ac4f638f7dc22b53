// Rotation, resizing, flipping and the colour steps together, through the
// real executable: the known quadrants of a document are found where the
// geometry puts them, with the grey values the colour steps give.

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <string>

#include "batch/batch_fixtures.h"
#include "support/pixel_probe.h"
#include "support/psd_writer.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

// Brightness +20 multiplies each channel by 1.2 (then clipped); greyscale
// weighs red, green and blue 0.2126, 0.7152 and 0.0722.
double BrightGrey(double r, double g, double b) {
  auto bright = [](double v) { return v * 1.2 > 255 ? 255 : v * 1.2; };
  return 0.2126 * bright(r) + 0.7152 * bright(g) + 0.0722 * bright(b);
}

TEST(GeometryColourEndToEnd, QuadrantsLandWhereRotationAndFlipPutThemInGrey) {
  ScratchDir scratch;
  scratch.MakeFolder("in");
  const std::string out = scratch.MakeFolder("out");

  // 160 x 80: dark red top-left, green top-right, blue bottom-left, grey
  // bottom-right.
  test_support::PsdSpec spec;
  spec.width = 160;
  spec.height = 80;
  spec.with_layer = true;
  ASSERT_TRUE(test_support::WritePsdFile(
      scratch.Path("in/doc.psd"), spec,
      test_support::QuadrantPixels(spec, {200, 0, 0}, {0, 100, 0}, {0, 0, 200}, {100, 100, 100})));

  const RunResult result = RunPictavo(
      scratch, {"-q", "-i", scratch.Path("in/"), "-o", out, "--rotation=90", "--width=50",
                "--width-unit=percent", "--height=50", "--height-unit=percent", "--flip-horizontal",
                "--greyscale", "--brightness=20"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "");

  FIBITMAP* dib = FreeImage_Load(FIF_JPEG, (out + "doc.jpg").c_str(), 0);
  ASSERT_NE(dib, nullptr);
  // Turned a quarter counter-clockwise (80 x 160), halved (40 x 80).
  EXPECT_EQ(FreeImage_GetWidth(dib), 40u);
  EXPECT_EQ(FreeImage_GetHeight(dib), 80u);
  // The automatic depth follows the loaded 24 bits, so the grey image is
  // saved as RGB with three equal channels.
  EXPECT_EQ(FreeImage_GetBPP(dib), 24u);

  // The quarter turn brings top-right to top-left, top-left to bottom-left,
  // bottom-right to top-right and bottom-left to bottom-right; the mirror
  // then swaps left and right.
  struct Probe {
    unsigned x, y;
    double grey;
    const char* what;
  };
  const Probe probes[] = {
      {10, 20, BrightGrey(100, 100, 100), "grey quadrant at the top left"},
      {30, 20, BrightGrey(0, 100, 0), "green quadrant at the top right"},
      {10, 60, BrightGrey(0, 0, 200), "blue quadrant at the bottom left"},
      {30, 60, BrightGrey(200, 0, 0), "red quadrant at the bottom right"},
  };
  for (const Probe& p : probes) {
    const std::vector<double> got = test_support::ProbePixel(dib, p.x, p.y);
    ASSERT_EQ(got.size(), 3u);
    for (double channel : got) EXPECT_NEAR(channel, p.grey, 6) << p.what;
  }
  FreeImage_Unload(dib);
}

}  // namespace
}  // namespace pictavo
