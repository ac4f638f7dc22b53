// ConvertImage end to end on documents written by the fixture writer: the
// saved JPEG is decoded again and probed at the centre of each quadrant.

#include "pipeline/convert_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "pipeline/scratch_folder.h"
#include "support/pixel_probe.h"
#include "support/psd_corruptions.h"
#include "support/psd_decode.h"
#include "support/psd_writer.h"

namespace pictavo {
namespace {

using test_support::MaxSample;
using test_support::PsdCompression;
using test_support::PsdMode;
using test_support::PsdSpec;
using testing::ScratchFolder;

constexpr int kWidth = 64;
constexpr int kHeight = 48;
// Quadrant centres, top-left, top-right, bottom-left, bottom-right.
constexpr unsigned kProbes[4][2] = {{16, 12}, {48, 12}, {16, 36}, {48, 36}};
// JPEG at quality 95 without chroma subsampling stays this close on flat areas.
constexpr double kJpegTolerance = 6;

RunState JpgRun(const std::string& folder) {
  RunState run;
  run.OutputFolder = folder;
  run.OutputExtension = "jpg";
  run.OutputFif = FIF_JPEG;
  run.SaveFlags = 95 | JPEG_SUBSAMPLING_444;
  run.AutoBpp = 1;
  run.OutputBpp = 0;
  return run;
}

Bitmap LoadJpeg(const std::string& path) {
  return Bitmap(FreeImage_Load(FIF_JPEG, path.c_str(), JPEG_ACCURATE));
}

std::vector<double> Scaled(const std::vector<double>& fractions, uint16_t depth) {
  std::vector<double> stored;
  for (double f : fractions) stored.push_back(depth == 32 ? f : std::round(f * MaxSample(depth)));
  return stored;
}

class ConvertImageTest : public ::testing::Test {
 protected:
  std::string Input(const std::string& name) const { return in_.Path() + name; }
  std::string OutputFolder() const { return out_.Path(); }

  // Writes `spec` with the quadrant fractions (of full scale) as `name`.
  std::string WriteDocument(const std::string& name, const PsdSpec& spec,
                            const std::vector<std::vector<double>>& quadrants) {
    const std::string path = Input(name);
    EXPECT_TRUE(test_support::WritePsdFile(
        path, spec,
        test_support::QuadrantPixels(
            spec, Scaled(quadrants[0], spec.depth), Scaled(quadrants[1], spec.depth),
            Scaled(quadrants[2], spec.depth), Scaled(quadrants[3], spec.depth))));
    return path;
  }

  bool Convert(const std::string& input, FileJob& file) {
    file.inputPath = input;
    return ConvertImage(settings_, run_, decor_, file);
  }

  Settings settings_;
  DecorResources decor_;
  ScratchFolder in_, out_;
  RunState run_ = JpgRun(out_.Path());
};

struct ModeCase {
  const char* name;
  PsdMode mode;
  uint16_t depth;
  bool alpha;
  std::vector<std::vector<double>> quadrants;  // stored fractions per channel
  std::vector<std::vector<double>> want;       // 8-bit RGB per quadrant
  unsigned want_bpp;                           // of the saved JPEG
};

const std::vector<std::vector<double>> kRgbQuadrants = {
    {1, 0, 0, 0.5}, {0, 1, 0, 0.5}, {0, 0, 1, 0}, {0.8, 0.6, 0.4, 1}};
const std::vector<std::vector<double>> kRgbWant = {
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {204, 153, 102}};
const std::vector<std::vector<double>> kGreyQuadrants = {{0, 1}, {1, 1}, {0.25, 1}, {0.6, 1}};
const std::vector<std::vector<double>> kGreyWant = {
    {0, 0, 0}, {255, 255, 255}, {64, 64, 64}, {153, 153, 153}};

std::vector<ModeCase> ModeCases() {
  return {
      {"Rgb8", PsdMode::kRgb, 8, false, kRgbQuadrants, kRgbWant, 24},
      // Alpha is dropped by the depth conversion, not composited: the colour
      // under a half or fully transparent pixel comes through.
      {"Rgba8", PsdMode::kRgb, 8, true, kRgbQuadrants, kRgbWant, 24},
      {"Multichannel8", PsdMode::kMultichannel, 8, false, kRgbQuadrants, kRgbWant, 24},
      {"Grey8", PsdMode::kGreyscale, 8, false, kGreyQuadrants, kGreyWant, 8},
      {"GreyAlpha8", PsdMode::kGreyscale, 8, true, kGreyQuadrants, kGreyWant, 8},
      {"Duotone8", PsdMode::kDuotone, 8, false, kGreyQuadrants, kGreyWant, 8},
      // Deep greyscale is scaled to 8 bits; loaded at 16 or 32 bits, it is
      // saved with 24.
      {"Grey16", PsdMode::kGreyscale, 16, false, kGreyQuadrants, kGreyWant, 24},
      {"Duotone16", PsdMode::kDuotone, 16, false, kGreyQuadrants, kGreyWant, 24},
      {"Grey32", PsdMode::kGreyscale, 32, false, kGreyQuadrants, kGreyWant, 24},
      {"Bitmap1",
       PsdMode::kBitmap,
       1,
       false,
       {{1}, {0}, {0}, {1}},
       {{0, 0, 0}, {255, 255, 255}, {255, 255, 255}, {0, 0, 0}},
       8},
      // Stored CMYK is inverted ink: (1, 0, 0, 1) is no cyan, full magenta
      // and yellow, no black.
      {"Cmyk8",
       PsdMode::kCmyk,
       8,
       false,
       {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 0.5}},
       {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}},
       24},
      {"Lab8",
       PsdMode::kLab,
       8,
       false,
       {{1, 0.5, 0.5}, {0, 0.5, 0.5}, {0.5, 0.5, 0.5}, {0.75, 0.5, 0.5}},
       {{255, 255, 255}, {0, 0, 0}, {119, 119, 119}, {185, 185, 185}},
       24},
  };
}

class ConvertModeTest : public ConvertImageTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ConvertModeTest, SavesTheDocumentsColoursAndSize) {
  const ModeCase& c = GetParam();
  PsdSpec spec;
  spec.width = kWidth;
  spec.height = kHeight;
  spec.mode = c.mode;
  spec.depth = c.depth;
  spec.alpha = c.alpha;
  spec.compression = c.depth == 32 ? PsdCompression::kRaw : PsdCompression::kRle;
  spec.with_layer = true;

  FileJob file;
  ASSERT_TRUE(Convert(WriteDocument("doc.psd", spec, c.quadrants), file)) << file.failure;
  EXPECT_EQ(file.failure, "");
  EXPECT_EQ(file.outputPath, OutputFolder() + "doc.jpg");
  EXPECT_EQ(file.resultWidth, kWidth);
  EXPECT_EQ(file.resultHeight, kHeight);
  EXPECT_EQ(file.outputBpp, static_cast<int>(c.want_bpp));

  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved.Width(), static_cast<unsigned>(kWidth));
  EXPECT_EQ(saved.Height(), static_cast<unsigned>(kHeight));
  EXPECT_EQ(saved.Bpp(), c.want_bpp);
  for (int q = 0; q < 4; ++q) {
    const std::vector<double> got =
        test_support::ProbePixel(saved.get(), kProbes[q][0], kProbes[q][1]);
    ASSERT_EQ(got.size(), 3u);
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(got[k], c.want[q][k], kJpegTolerance) << "quadrant " << q << " channel " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryDecodableMode, ConvertModeTest, ::testing::ValuesIn(ModeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The CMYK and Lab colour-model choices would hand the raw inks or Lab values
// to an RGB output; the document's colours are saved whatever the choice.
TEST_F(ConvertImageTest, ColourModelChoiceStillSavesTheDocumentsColours) {
  const std::vector<ModeCase> cases = ModeCases();
  for (const PsdMode mode : {PsdMode::kCmyk, PsdMode::kLab}) {
    for (const int32_t choice : {1, 2}) {
      settings_.PSDColorMode = choice;
      PsdSpec spec;
      spec.width = kWidth;
      spec.height = kHeight;
      spec.mode = mode;
      spec.depth = 8;
      const ModeCase& c = cases[mode == PsdMode::kCmyk ? 10 : 11];
      ASSERT_EQ(c.mode, mode);
      FileJob file;
      ASSERT_TRUE(Convert(WriteDocument("model.psd", spec, c.quadrants), file)) << file.failure;
      Bitmap saved = LoadJpeg(file.outputPath);
      ASSERT_TRUE(saved);
      for (int q = 0; q < 4; ++q) {
        const std::vector<double> got =
            test_support::ProbePixel(saved.get(), kProbes[q][0], kProbes[q][1]);
        for (int k = 0; k < 3; ++k)
          EXPECT_NEAR(got[k], c.want[q][k], kJpegTolerance)
              << c.name << " choice " << choice << " quadrant " << q << " channel " << k;
      }
    }
  }
}

TEST_F(ConvertImageTest, IndexedColourIsSavedFromItsPalette) {
  PsdSpec spec;
  spec.width = kWidth;
  spec.height = kHeight;
  spec.mode = PsdMode::kIndexed;
  spec.palette.assign(768, 0);
  const int colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {204, 153, 102}};
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 3; ++k) spec.palette[k * 256 + i] = static_cast<uint8_t>(colours[i][k]);
  const std::string path = Input("indexed.psd");
  ASSERT_TRUE(test_support::WritePsdFile(path, spec,
                                         test_support::QuadrantPixels(spec, {0}, {1}, {2}, {3})));

  FileJob file;
  ASSERT_TRUE(Convert(path, file)) << file.failure;
  EXPECT_EQ(file.loadedBpp, 8);
  EXPECT_EQ(file.outputBpp, 8);
  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  for (int q = 0; q < 4; ++q) {
    const std::vector<double> got =
        test_support::ProbePixel(saved.get(), kProbes[q][0], kProbes[q][1]);
    ASSERT_GE(got.size(), 3u);
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(got[k], colours[q][k], kJpegTolerance) << "quadrant " << q << " channel " << k;
  }
}

struct DeepCase {
  const char* name;
  PsdMode mode;
  uint16_t depth;
  bool alpha;
};

class ConvertDeepTest : public ConvertImageTest, public ::testing::WithParamInterface<DeepCase> {};

// 16-bit and floating-point colour is tone-mapped with gamma 1.0 before any
// colour step: the saved pixels are what Drago's operator with those
// constants makes of the decoded document.
TEST_P(ConvertDeepTest, DeepColourIsToneMappedWithGammaOne) {
  const DeepCase& c = GetParam();
  PsdSpec spec;
  spec.width = kWidth;
  spec.height = kHeight;
  spec.mode = c.mode;
  spec.depth = c.depth;
  spec.alpha = c.alpha;
  const std::vector<std::vector<double>> quadrants =
      c.mode == PsdMode::kLab ? std::vector<std::vector<double>>{{1, 0.5, 0.5, 1},
                                                                 {0.2, 0.5, 0.5, 1},
                                                                 {0.5, 0.6, 0.4, 1},
                                                                 {0.75, 0.4, 0.6, 1}}
      : c.mode == PsdMode::kCmyk
          ? std::vector<std::vector<double>>{{1, 0.2, 0.2, 1, 1},
                                             {0.2, 1, 0.2, 1, 1},
                                             {0.2, 0.2, 1, 1, 1},
                                             {1, 1, 1, 0.5, 1}}
          : std::vector<std::vector<double>>{
                {0.9, 0.1, 0.1, 1}, {0.1, 0.9, 0.1, 0.5}, {0.1, 0.1, 0.9, 1}, {0.8, 0.6, 0.4, 0}};
  const std::string path = WriteDocument("deep.psd", spec, quadrants);

  std::ifstream stream(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(stream)),
                                   std::istreambuf_iterator<char>());
  Bitmap decoded = test_support::DecodePsd(bytes);
  ASSERT_TRUE(decoded);
  ASSERT_GT(decoded.Bpp(), 32u);
  Bitmap want(FreeImage_TmoDrago03(decoded.get(), 1.0, 0.0));
  ASSERT_TRUE(want);

  FileJob file;
  ASSERT_TRUE(Convert(path, file)) << file.failure;
  EXPECT_EQ(file.loadedBpp, static_cast<int>(decoded.Bpp()));
  EXPECT_EQ(file.outputBpp, 24);
  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved.Bpp(), 24u);
  for (int q = 0; q < 4; ++q) {
    const std::vector<double> expected =
        test_support::ProbePixel(want.get(), kProbes[q][0], kProbes[q][1]);
    const std::vector<double> got =
        test_support::ProbePixel(saved.get(), kProbes[q][0], kProbes[q][1]);
    ASSERT_EQ(got.size(), 3u);
    for (int k = 0; k < 3; ++k)
      EXPECT_NEAR(got[k], expected[k], kJpegTolerance) << "quadrant " << q << " channel " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(SixteenAndThirtyTwoBitColour, ConvertDeepTest,
                         ::testing::Values(DeepCase{"Rgb16", PsdMode::kRgb, 16, false},
                                           DeepCase{"Rgba16", PsdMode::kRgb, 16, true},
                                           DeepCase{"Rgb32", PsdMode::kRgb, 32, false},
                                           DeepCase{"Rgba32", PsdMode::kRgb, 32, true},
                                           DeepCase{"Cmyk16", PsdMode::kCmyk, 16, false},
                                           DeepCase{"Lab16", PsdMode::kLab, 16, false},
                                           DeepCase{"Multichannel16", PsdMode::kMultichannel, 16,
                                                    false}),
                         [](const auto& info) { return std::string(info.param.name); });

PsdSpec RgbSpec(uint32_t width, uint32_t height) {
  PsdSpec spec;
  spec.width = width;
  spec.height = height;
  return spec;
}

TEST_F(ConvertImageTest, JpegNamedPsdFailsWithoutBuildingAnOutputPath) {
  Bitmap picture(FreeImage_Allocate(16, 16, 24));
  const std::string path = Input("photo.psd");
  ASSERT_TRUE(FreeImage_Save(FIF_JPEG, picture.get(), path.c_str(), 90));

  FileJob file;
  EXPECT_FALSE(Convert(path, file));
  EXPECT_EQ(file.loadedBpp, 0);
  EXPECT_EQ(file.outputPath, "");
  EXPECT_EQ(file.failure, "the file does not start with the Photoshop signature");
  EXPECT_TRUE(ScratchFolder::Entries(OutputFolder()).empty());
}

// Damaged documents never reach FreeImage's reader, which would overrun its
// buffers on some of them; the validator's reason is the file's failure.
TEST_F(ConvertImageTest, MalformedDocumentsAreRefusedBeforeDecoding) {
  for (const test_support::PsdCorruption& c : test_support::MakePsdCorruptions()) {
    const std::string path = Input(c.name + ".psd");
    ASSERT_TRUE(test_support::WriteFile(path, c.bytes));
    FileJob file;
    EXPECT_FALSE(Convert(path, file)) << c.name;
    EXPECT_NE(file.failure.find(c.reason), std::string::npos) << c.name << ": " << file.failure;
    EXPECT_EQ(file.outputPath, "") << c.name;
  }
  EXPECT_TRUE(ScratchFolder::Entries(OutputFolder()).empty());
}

TEST_F(ConvertImageTest, DocumentBeyondTheMemoryBudgetIsRefused) {
  settings_.MaxMemory = 1;  // megabytes; the document needs about 1.7
  FileJob file;
  EXPECT_FALSE(Convert(WriteDocument("big.psd", RgbSpec(1000, 600), kRgbQuadrants), file));
  EXPECT_NE(file.failure.find("more than the limit of 1 MB"), std::string::npos) << file.failure;
  EXPECT_EQ(file.loadedBpp, 0);
}

TEST_F(ConvertImageTest, MissingInputSaysWhy) {
  FileJob file;
  EXPECT_FALSE(Convert(Input("absent.psd"), file));
  EXPECT_EQ(file.failure, "cannot open the file: No such file or directory");
  EXPECT_EQ(file.outputPath, "");
}

TEST_F(ConvertImageTest, ResizedSizeIsRecordedAndSaved) {
  settings_.DoImageResize = 1;
  settings_.ImageWidth = 50;
  settings_.ImageWidthUnit = 1;
  settings_.ImageHeight = 50;
  settings_.ImageHeightUnit = 1;
  const std::string path =
      WriteDocument("big.psd", RgbSpec(1000, 600), {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}});
  FileJob file;
  ASSERT_TRUE(Convert(path, file)) << file.failure;
  EXPECT_EQ(file.resultWidth, 500);
  EXPECT_EQ(file.resultHeight, 300);
  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved.Width(), 500u);
  EXPECT_EQ(saved.Height(), 300u);
  EXPECT_NEAR(test_support::ProbePixel(saved.get(), 375, 225)[2], 255, kJpegTolerance);
}

TEST_F(ConvertImageTest, FrameIsDrawnAtTheSizeAfterResizing) {
  settings_.DoImageResize = 1;
  settings_.ImageWidth = 50;
  settings_.ImageWidthUnit = 1;
  settings_.ImageHeight = 50;
  settings_.ImageHeightUnit = 1;
  settings_.DoFrame = 1;
  settings_.SolidLeft = settings_.SolidRight = settings_.SolidTop = settings_.SolidBottom = 10;
  settings_.SolidLeftColor = settings_.SolidRightColor = "FF0000";
  settings_.SolidTopColor = settings_.SolidBottomColor = "FF0000";
  const std::vector<double> blue = {0, 0, 1};
  const std::string path =
      WriteDocument("framed.psd", RgbSpec(1000, 600), {blue, blue, blue, blue});
  FileJob file;
  ASSERT_TRUE(Convert(path, file)) << file.failure;
  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved.Width(), 500u);
  ASSERT_EQ(saved.Height(), 300u);
  // The borders lie along the edges of the 500 x 300 image, not beyond them.
  const unsigned red_probes[][2] = {{4, 150}, {495, 150}, {250, 4}, {250, 295}};
  for (auto [x, y] : red_probes) {
    const std::vector<double> got = test_support::ProbePixel(saved.get(), x, y);
    EXPECT_NEAR(got[0], 255, kJpegTolerance) << x << "," << y;
    EXPECT_NEAR(got[2], 0, kJpegTolerance) << x << "," << y;
  }
  EXPECT_NEAR(test_support::ProbePixel(saved.get(), 250, 150)[2], 255, kJpegTolerance);
}

TEST_F(ConvertImageTest, ResizeBeyondTheMemoryBudgetFailsWithTheReason) {
  settings_.DoImageResize = 1;
  settings_.ImageWidth = 100000;  // a slip of the finger: 30 gigabytes of pixels
  settings_.ImageHeight = 100000;
  FileJob file;
  EXPECT_FALSE(Convert(WriteDocument("doc.psd", RgbSpec(8, 8), kRgbQuadrants), file));
  EXPECT_EQ(file.failure, "the resized image would be larger than the memory budget");
  EXPECT_TRUE(ScratchFolder::Entries(OutputFolder()).empty());
}

TEST_F(ConvertImageTest, FixedDepthOverridesTheLoadedDepth) {
  run_.AutoBpp = 0;
  run_.OutputBpp = 24;
  PsdSpec spec = RgbSpec(kWidth, kHeight);
  spec.mode = PsdMode::kGreyscale;
  FileJob file;
  ASSERT_TRUE(Convert(WriteDocument("grey.psd", spec, kGreyQuadrants), file)) << file.failure;
  EXPECT_EQ(file.loadedBpp, 8);
  EXPECT_EQ(file.outputBpp, 24);
  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved.Bpp(), 24u);
}

TEST_F(ConvertImageTest, StepsRunInOrderOnTheLoadedDocument) {
  // A quarter turn (FreeImage turns counter-clockwise), then greyscale and
  // threshold: the white top-left quadrant ends at the bottom left, the red
  // top-right one (dark in grey) at the top left, black.
  settings_.DoImageRotation = 1;
  settings_.TransformImageRotation = 90;
  settings_.DoImageGreyscale = 1;
  settings_.DoImageThreshold = 1;
  settings_.ImageThreshold = 128;
  const std::string path = WriteDocument("steps.psd", RgbSpec(kWidth, kHeight),
                                         {{1, 1, 1}, {1, 0, 0}, {0, 0, 0}, {0, 0, 0}});
  FileJob file;
  ASSERT_TRUE(Convert(path, file)) << file.failure;
  EXPECT_EQ(file.resultWidth, kHeight);
  EXPECT_EQ(file.resultHeight, kWidth);
  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved.Width(), static_cast<unsigned>(kHeight));
  EXPECT_EQ(saved.Bpp(), 24u);  // the depth follows the loaded document, not the 1-bit result
  EXPECT_NEAR(test_support::ProbePixel(saved.get(), 12, 48)[0], 255, kJpegTolerance);
  EXPECT_NEAR(test_support::ProbePixel(saved.get(), 12, 16)[0], 0, kJpegTolerance);
}

TEST_F(ConvertImageTest, LostImageFailsTheSaveAndWritesNothing) {
  run_.AutoBpp = 0;
  run_.OutputBpp = 7;  // no such depth
  FileJob file;
  EXPECT_FALSE(Convert(WriteDocument("doc.psd", RgbSpec(8, 8), kRgbQuadrants), file));
  EXPECT_EQ(file.failure, "the image could not be converted to the output depth");
  EXPECT_EQ(file.outputPath, OutputFolder() + "doc.jpg");
  EXPECT_TRUE(ScratchFolder::Entries(OutputFolder()).empty());
}

TEST_F(ConvertImageTest, ExistingOutputIsReplaced) {
  {
    std::ofstream old(OutputFolder() + "doc.jpg");
    old << "an older file";
  }
  FileJob file;
  ASSERT_TRUE(Convert(WriteDocument("doc.psd", RgbSpec(kWidth, kHeight), kRgbQuadrants), file))
      << file.failure;
  Bitmap saved = LoadJpeg(file.outputPath);
  ASSERT_TRUE(saved);
  EXPECT_NEAR(test_support::ProbePixel(saved.get(), 16, 12)[0], 255, kJpegTolerance);
  EXPECT_EQ(ScratchFolder::Entries(OutputFolder()), std::vector<std::string>{"doc.jpg"});
}

TEST_F(ConvertImageTest, MissingOutputFolderFailsWithTheReason) {
  run_.OutputFolder = OutputFolder() + "not/there/";
  FileJob file;
  EXPECT_FALSE(Convert(WriteDocument("doc.psd", RgbSpec(8, 8), kRgbQuadrants), file));
  EXPECT_EQ(file.failure, "cannot write the output file: No such file or directory");
  EXPECT_EQ(file.outputPath, OutputFolder() + "not/there/doc.jpg");
}

TEST_F(ConvertImageTest, PerFileValuesStartAfreshForEachFile) {
  const std::string good = WriteDocument("good.psd", RgbSpec(20, 10), kRgbQuadrants);
  FileJob file;
  ASSERT_TRUE(Convert(good, file));
  EXPECT_EQ(file.resultWidth, 20);
  EXPECT_FALSE(Convert(Input("absent.psd"), file));
  EXPECT_EQ(file.resultWidth, 0);
  EXPECT_EQ(file.loadedBpp, 0);
  EXPECT_EQ(file.outputPath, "");
  ASSERT_TRUE(Convert(good, file));
  EXPECT_EQ(file.failure, "");
}

}  // namespace
}  // namespace pictavo
