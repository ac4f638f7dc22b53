#include "decor/text_watermark.h"

#include <gtest/gtest.h>

#include <set>

#include "decor/decor_resources.h"
#include "decor/placement.h"
#include "decor/watermark.h"
#include "decor/watermark_font.h"
#include "support/bitmap_probe.h"

namespace pictavo {
namespace {

using test::Pixel;
using test::PixelAt;

const Pixel kGrey{90, 90, 90};

class TextWatermarkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_.DoWatermark = 1;
    settings_.WatermarkText = "Hello";
    ASSERT_TRUE(LoadWatermarkFont(settings_, decor_));
    font_ = decor_.font->spec;
    line_ = gfx::MeasureRasterText(font_, "Hello");
    file_.inputPath = "/in/photo.psd";
    file_.resultWidth = 640;
    file_.resultHeight = 480;
  }

  Bitmap Layer() { return BuildTextLayer(settings_, run_, file_, decor_.font.get()); }
  Bitmap Apply(int w = 640, int h = 480) {
    return ApplyWatermark(test::SolidBitmap(w, h, 24, kGrey), settings_, run_, file_, decor_, w, h);
  }
  // An opaque red box background makes the box visible on the image.
  void OpaqueRedBox() {
    settings_.BackColor = "FF0000";
    settings_.BackOpacity = 255;
  }

  Settings settings_;
  RunState run_;
  FileJob file_;
  DecorResources decor_;
  gfx::FontSpec font_;
  gfx::TextExtent line_;
};

TEST_F(TextWatermarkTest, OneLineBoxIsTheTextSizePlusPadding) {
  settings_.TextPadding = 5;
  TextBox box = MeasureTextBox("Hello", font_, settings_);
  EXPECT_EQ(box.lines.size(), 1u);
  EXPECT_EQ(box.width, line_.width + 10);
  EXPECT_EQ(box.height, line_.height + 10);
}

TEST_F(TextWatermarkTest, LinesSplitAtEolInAnyCaseAndStackByTheLineStep) {
  settings_.TextPadding = 5;
  const gfx::TextExtent wide = gfx::MeasureRasterText(font_, "Wonderful");
  TextBox two = MeasureTextBox("Hello%EOL%Wonderful", font_, settings_);
  ASSERT_EQ(two.lines, (std::vector<std::string>{"Hello", "Wonderful"}));
  EXPECT_EQ(two.width, std::max(line_.width, wide.width) + 10);
  EXPECT_EQ(two.height, 2 * std::max(line_.height, wide.height) + 10);

  settings_.FontLeading = 4;
  TextBox three = MeasureTextBox("a%eol%b%Eol%c", font_, settings_);
  const int a = std::max({10, gfx::MeasureRasterText(font_, "a").height,
                          gfx::MeasureRasterText(font_, "b").height,
                          gfx::MeasureRasterText(font_, "c").height});
  EXPECT_EQ(three.line_step, a + 4);
  EXPECT_EQ(three.height, a + 2 * (a + 4) + 10);
}

TEST_F(TextWatermarkTest, TrailingEolAddsAnEmptyLineOneStepTaller) {
  TextBox one = MeasureTextBox("Hello", font_, settings_);
  TextBox trailing = MeasureTextBox("Hello%eol%", font_, settings_);
  ASSERT_EQ(trailing.lines.size(), 2u);
  EXPECT_EQ(trailing.lines[1], "");
  EXPECT_EQ(trailing.height, one.height + trailing.line_step);
  // Lines that are all empty still take the minimum line height of 10.
  TextBox blank = MeasureTextBox("%eol%%eol%", font_, settings_);
  EXPECT_EQ(blank.width, 10);
  EXPECT_EQ(blank.height, 30);
}

TEST_F(TextWatermarkTest, EmptyTextGivesNoLayerWithoutPaddingAndABackgroundBoxWithIt) {
  settings_.WatermarkText = "";
  OpaqueRedBox();
  EXPECT_FALSE(Layer());
  Bitmap untouched = Apply();
  EXPECT_EQ(PixelAt(untouched.get(), 625, 465), kGrey);

  settings_.TextPadding = 4;
  settings_.TextPosition = 0;
  Bitmap layer = Layer();
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer.Width(), 8u);
  EXPECT_EQ(layer.Height(), 8u);
  Bitmap out = Apply();
  EXPECT_EQ(PixelAt(out.get(), 10, 10), (Pixel{255, 0, 0}));
  EXPECT_EQ(PixelAt(out.get(), 17, 17), (Pixel{255, 0, 0}));
  EXPECT_EQ(PixelAt(out.get(), 18, 17), kGrey);
  EXPECT_EQ(PixelAt(out.get(), 9, 10), kGrey);
}

TEST_F(TextWatermarkTest, AlignmentPlacesLinesInTheBox) {
  settings_.TextPadding = 3;
  struct Case {
    int alignment, expected;
  };
  const Case cases[] = {{0, 3}, {1, 25}, {2, 47}, {7, 0}};
  for (const Case& c : cases) {
    settings_.TextAlignment = static_cast<int8_t>(c.alignment);
    EXPECT_EQ(AlignLineX(50, 100, settings_), c.expected) << c.alignment;
  }
  settings_.TextAlignment = 1;
  EXPECT_EQ(AlignLineX(51, 100, settings_), 25);  // 24.5 rounds away from zero
}

// The columns that hold text pixels (any colour but the background) in the
// rows [y0, y1) of a layer.
std::pair<int, int> InkColumns(FIBITMAP* layer, int y0, int y1, Pixel back) {
  int first = 1 << 20, last = -1;
  for (int y = y0; y < y1; ++y)
    for (int x = 0; x < static_cast<int>(FreeImage_GetWidth(layer)); ++x)
      if (PixelAt(layer, x, y) != back) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
  return {first, last};
}

TEST_F(TextWatermarkTest, CentredLinesOfDifferentWidthsShareTheirMiddle) {
  OpaqueRedBox();
  settings_.TextPadding = 5;
  settings_.TextAlignment = 1;
  settings_.WatermarkText = "ii%EOL%MMMMMMMM";
  Bitmap layer = Layer();
  ASSERT_TRUE(layer);
  const int w = static_cast<int>(layer.Width());
  const int h = static_cast<int>(layer.Height());
  auto [a0, a1] = InkColumns(layer.get(), 0, h / 2, {255, 0, 0, 255});
  auto [b0, b1] = InkColumns(layer.get(), h / 2, h, {255, 0, 0, 255});
  ASSERT_GE(a1, a0);
  ASSERT_GE(b1, b0);
  EXPECT_NEAR((a0 + a1) / 2.0, w / 2.0, 3.0);
  EXPECT_NEAR((b0 + b1) / 2.0, w / 2.0, 3.0);
  EXPECT_LT(a1 - a0, (b1 - b0) / 3);
}

TEST_F(TextWatermarkTest, SingleRightAlignedLineStartsAtThePadding) {
  OpaqueRedBox();
  settings_.TextPadding = 6;
  settings_.TextAlignment = 2;
  Bitmap layer = Layer();
  ASSERT_EQ(layer.Width(), static_cast<unsigned>(line_.width + 12));
  auto [first, last] = InkColumns(layer.get(), 0, layer.Height(), {255, 0, 0, 255});
  EXPECT_GE(first, 6);
  EXPECT_LE(first, 9);
  EXPECT_LE(last, line_.width + 6);
}

TEST_F(TextWatermarkTest, DefaultsGiveWhiteTextOnAPracticallyInvisibleBox) {
  Bitmap out = Apply();
  Bitmap layer = Layer();
  const int w = static_cast<int>(layer.Width());
  const int h = static_cast<int>(layer.Height());
  int white = 0;
  for (int y = 480 - 10 - h; y < 470; ++y)
    for (int x = 640 - 10 - w; x < 630; ++x) {
      Pixel p = PixelAt(out.get(), x, y);
      if (p == Pixel{255, 255, 255}) {
        ++white;
      } else {
        EXPECT_TRUE(test::Near(p, kGrey, 1)) << x << "," << y << " " << p;
      }
    }
  EXPECT_GT(white, 20);
  EXPECT_EQ(PixelAt(out.get(), 0, 0), kGrey);
}

TEST_F(TextWatermarkTest, RasterTextAtHalfOpacityOverAnOpaqueBoxStaysOpaque) {
  settings_.FontColor = "FFFFFF";
  settings_.BackColor = "000000";
  settings_.BackOpacity = 255;
  settings_.TextOpacity = 128;
  Bitmap layer = Layer();
  std::set<int> alphas, reds;
  for (unsigned y = 0; y < layer.Height(); ++y)
    for (unsigned x = 0; x < layer.Width(); ++x) {
      Pixel p = PixelAt(layer.get(), x, y);
      alphas.insert(p.a);
      reds.insert(p.r);
    }
  EXPECT_EQ(alphas, std::set<int>{255});
  ASSERT_EQ(reds.size(), 2u);
  EXPECT_EQ(*reds.begin(), 0);
  EXPECT_NEAR(*reds.rbegin(), 128, 1);
}

TEST_F(TextWatermarkTest, VectorTextBlendsTextAndBackgroundByTheirOpacities) {
  settings_.TextAntialiasing = 1;
  settings_.BackColor = "0000FF";
  settings_.BackOpacity = 64;
  settings_.TextOpacity = 255;
  settings_.TextPadding = 4;
  Bitmap layer = Layer();
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer.Width(), static_cast<unsigned>(line_.width + 8));
  EXPECT_EQ(PixelAt(layer.get(), 1, 1), (Pixel{0, 0, 255, 64}));
  bool opaque_text = false, partial = false;
  for (unsigned y = 0; y < layer.Height(); ++y)
    for (unsigned x = 0; x < layer.Width(); ++x) {
      Pixel p = PixelAt(layer.get(), x, y);
      opaque_text |= p == Pixel{255, 255, 255, 255};
      partial |= p.a > 64 && p.a < 255;
    }
  EXPECT_TRUE(opaque_text);
  EXPECT_TRUE(partial);

  settings_.TextOpacity = 0;
  Bitmap faint = Layer();
  for (unsigned y = 0; y < faint.Height(); ++y)
    for (unsigned x = 0; x < faint.Width(); ++x)
      EXPECT_EQ(PixelAt(faint.get(), x, y), (Pixel{0, 0, 255, 64}));
}

TEST_F(TextWatermarkTest, BoxIsPlacedByPositionOffsetsAndFrameBoundary) {
  OpaqueRedBox();
  Bitmap layer = Layer();
  const int w = static_cast<int>(layer.Width());
  const int h = static_cast<int>(layer.Height());
  Bitmap out = Apply();
  EXPECT_EQ(PixelAt(out.get(), 630 - w, 470 - h), (Pixel{255, 0, 0}));
  EXPECT_EQ(PixelAt(out.get(), 629 - w, 470 - h), kGrey);
  EXPECT_EQ(PixelAt(out.get(), 630 - w, 469 - h), kGrey);
  EXPECT_EQ(PixelAt(out.get(), 630, 470), kGrey);

  settings_.DoFrame = 2;  // the room shrinks even though no frame is drawn
  settings_.SolidLeft = settings_.SolidRight = settings_.SolidTop = settings_.SolidBottom = 10;
  settings_.TextBoundary = 1;
  Bitmap inside = Apply();
  EXPECT_EQ(PixelAt(inside.get(), 620 - w, 460 - h), (Pixel{255, 0, 0}));
  EXPECT_EQ(PixelAt(inside.get(), 619 - w, 460 - h), kGrey);
  EXPECT_EQ(PixelAt(inside.get(), 620, 460), kGrey);
}

TEST_F(TextWatermarkTest, WideBoxIsCroppedToTheRoomAndCentredAfterwards) {
  OpaqueRedBox();
  settings_.FontSize = 60;
  ASSERT_TRUE(LoadWatermarkFont(settings_, decor_));
  settings_.WatermarkText = "A very wide watermark text that overflows";
  ASSERT_GT(Layer().Width(), 640u);
  settings_.TextPosition = 4;
  Bitmap out = Apply();
  const int y = 240;
  EXPECT_EQ(PixelAt(out.get(), 4, y), kGrey);
  EXPECT_NE(PixelAt(out.get(), 5, y), kGrey);
  EXPECT_NE(PixelAt(out.get(), 634, y), kGrey);
  EXPECT_EQ(PixelAt(out.get(), 635, y), kGrey);
}

TEST_F(TextWatermarkTest, RotationBy90TurnsTheBoxOnItsSide) {
  OpaqueRedBox();
  settings_.TextRotation = 90;
  settings_.TextPosition = 0;
  Bitmap layer = Layer();
  const int w = static_cast<int>(layer.Width());
  const int h = static_cast<int>(layer.Height());
  Bitmap turned = RotateWatermark(std::move(layer), 90);
  EXPECT_EQ(turned.Width(), static_cast<unsigned>(h));
  EXPECT_EQ(turned.Height(), static_cast<unsigned>(w));
  Bitmap out = Apply();
  EXPECT_EQ(PixelAt(out.get(), 10, 10), (Pixel{255, 0, 0}));
  EXPECT_EQ(PixelAt(out.get(), 10, 10 + w - 1), (Pixel{255, 0, 0}));
  EXPECT_EQ(PixelAt(out.get(), 10, 10 + w), kGrey);
  EXPECT_EQ(PixelAt(out.get(), 10 + h, 10), kGrey);
}

TEST_F(TextWatermarkTest, NoFontOrNoSwitchLeavesTheImageWithoutWatermark) {
  OpaqueRedBox();
  decor_.font.reset();
  Bitmap out =
      ApplyWatermark(test::SolidBitmap(64, 48, 32, kGrey), settings_, run_, file_, decor_, 64, 48);
  EXPECT_EQ(out.Bpp(), 24u);
  EXPECT_EQ(PixelAt(out.get(), 50, 35), kGrey);
  settings_.DoWatermark = 0;
  EXPECT_EQ(ApplyWatermark(test::SolidBitmap(8, 8, 32, kGrey), settings_, run_, file_, decor_, 8, 8)
                .Bpp(),
            32u);
  EXPECT_FALSE(ApplyWatermark(Bitmap(), settings_, run_, file_, decor_, 8, 8));
}

TEST_F(TextWatermarkTest, MacrosTakeEachFilesOwnValues) {
  settings_.WatermarkText = "%FileName% %width%x%HEIGHT%%eol%%n%";
  file_.fileCounter = 7;
  EXPECT_EQ(ExpandWatermarkText(settings_, run_, file_), "photo 640x480%eol%00007");
  FileJob other = file_;
  other.inputPath = "/in/other.psd";
  other.resultWidth = 300;
  other.resultHeight = 200;
  EXPECT_EQ(ExpandWatermarkText(settings_, run_, other), "other 300x200%eol%00007");
}

TEST_F(TextWatermarkTest, TextsWithoutMacrosStayAsTyped) {
  for (const char* text : {"Plain text", "100% sure", "%unknown% macro", "%width"}) {
    settings_.WatermarkText = text;
    EXPECT_EQ(ExpandWatermarkText(settings_, run_, file_), text);
  }
  // A value that looks like a macro is not expanded again.
  file_.inputPath = "/in/%width%.psd";
  settings_.WatermarkText = "%filename%";
  EXPECT_EQ(ExpandWatermarkText(settings_, run_, file_), "%width%");
}

}  // namespace
}  // namespace pictavo
