// Frames and watermarks as a user meets them: the real executable converting
// Photoshop documents, its output decoded and probed.

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/text.h"
#include "pipeline/bitmap.h"
#include "support/bitmap_probe.h"
#include "support/psd_writer.h"
#include "support/run_pictavo.h"

namespace pictavo {
namespace {

using test::Pixel;
using test::PixelAt;
using test_support::PsdSpec;

constexpr int kBright = 200;  // every channel above this counts as white text
constexpr int kJpegTolerance = 40;

bool IsWhite(const Pixel& p) {
  return p.r > kBright && p.g > kBright && p.b > kBright;
}

void WriteGreyPsd(const ScratchDir& scratch, const std::string& relative, uint32_t width,
                  uint32_t height) {
  PsdSpec spec;
  spec.width = width;
  spec.height = height;
  ASSERT_TRUE(test_support::WritePsdFile(scratch.Path(relative), spec,
                                         test_support::SolidPixels({60, 60, 60})));
}

Bitmap LoadJpeg(const std::string& path) {
  return Bitmap(FreeImage_Load(FIF_JPEG, path.c_str(), 0));
}

struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  int count = 0;
};

// The bounds of the white pixels below the red top band.
Box WhitePixels(const Bitmap& image) {
  Box box;
  for (int y = 12; y < static_cast<int>(image.Height()); ++y)
    for (int x = 0; x < static_cast<int>(image.Width()); ++x)
      if (IsWhite(PixelAt(image.get(), x, y))) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
        ++box.count;
      }
  return box;
}

TEST(DecorEndToEnd, EachFileGetsARedTopBandAndItsOwnTextAtTheTopLeft) {
  ScratchDir scratch;
  scratch.MakeFolder("in");
  const std::string out = scratch.MakeFolder("out");
  WriteGreyPsd(scratch, "in/a.psd", 240, 120);
  WriteGreyPsd(scratch, "in/b.psd", 1000, 150);

  RunResult run = RunPictavo(
      scratch, {"-i", scratch.Path("in/"), "-o", out, "--wm-text=%filename% %width%x%height%",
                "--wm-font-size=30", "--wm-text-position=topleft", "--fr-solid-top=8",
                "--fr-solid-top-color=FF0000"});
  ASSERT_EQ(run.exit_code, 0);
  ASSERT_NE(run.out.find("Files converted: 2 of 2"), std::string::npos) << run.out;

  const gfx::FontSpec font{"Liberation Sans", 40};
  struct Expected {
    const char* file;
    int width, height;
    const char* text;
  };
  for (const Expected& e :
       {Expected{"a.jpg", 240, 120, "a 240x120"}, Expected{"b.jpg", 1000, 150, "b 1000x150"}}) {
    SCOPED_TRACE(e.file);
    Bitmap image = LoadJpeg(out + e.file);
    ASSERT_TRUE(image);
    ASSERT_EQ(image.Width(), static_cast<unsigned>(e.width));
    ASSERT_EQ(image.Height(), static_cast<unsigned>(e.height));

    for (int x : {2, e.width / 2, e.width - 3}) {
      EXPECT_TRUE(test::Near(PixelAt(image.get(), x, 3), (Pixel{255, 0, 0}), kJpegTolerance))
          << PixelAt(image.get(), x, 3);
    }
    EXPECT_TRUE(test::Near(PixelAt(image.get(), e.width - 3, e.height - 3), (Pixel{60, 60, 60}),
                           kJpegTolerance));

    // The text box starts at the offsets (10, 10) and is as large as this
    // file's own text; no white pixel lies outside it.
    const gfx::TextExtent extent = gfx::MeasureRasterText(font, e.text);
    Box white = WhitePixels(image);
    EXPECT_GT(white.count, 200);
    EXPECT_GE(white.left, 10);
    EXPECT_GE(white.top, 10);
    EXPECT_LE(white.right, 10 + extent.width + 1);
    EXPECT_GE(white.right, 10 + extent.width - 12);
    EXPECT_LE(white.bottom, 10 + extent.height + 1);
  }
}

TEST(DecorEndToEnd, AnUnknownWatermarkFontStopsTheRunBeforeAnyFile) {
  ScratchDir scratch;
  scratch.MakeFolder("in");
  WriteGreyPsd(scratch, "in/a.psd", 40, 30);
  const std::string out = scratch.MakeFolder("out");
  RunResult run = RunPictavo(scratch, {"-i", scratch.Path("in/a.psd"), "-o", out,
                                       "--wm-font=NoSuchFontFamily", "--wm-text=x"});
  EXPECT_EQ(run.exit_code, 0);
  std::vector<std::string> lines = run.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Error: Invalid watermark font"), lines.end())
      << run.out;
  EXPECT_EQ(run.out.find("Converting"), std::string::npos) << run.out;
  EXPECT_EQ(scratch.ReadFile("out/a.jpg"), "");
}

}  // namespace
}  // namespace pictavo
