#include "app/long_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace pictavo {
namespace {

using S = Settings;

double NumberIn(const Settings& settings, const SettingsField& field) {
  if (auto p = std::get_if<int32_t S::*>(&field)) return settings.*(*p);
  if (auto p = std::get_if<int8_t S::*>(&field)) return settings.*(*p);
  if (auto p = std::get_if<float S::*>(&field)) return settings.*(*p);
  ADD_FAILURE() << "not a number field";
  return 0;
}

TEST(LongOptionTest, ConvertsEachValueKindIntoItsField) {
  struct Case {
    const char* option;
    const char* value;
    SettingsField field;
    double expected;
  };
  const Case cases[] = {
      // integers
      {"--JPG-QUALITY", "80", &S::JPGQuality, 80},
      {"--WIDTH", "50%", &S::ImageWidth, 50},
      {"--WIDTH", "$64", &S::ImageWidth, 100},
      {"--HEIGHT", "%1000", &S::ImageHeight, 8},
      {"--THRESHOLD", "300", &S::ImageThreshold, 300},  // no range check
      {"--BRIGHTNESS", "-50", &S::ImageBrightness, -50},
      {"--CONTRAST", "abc", &S::ImageContrast, 0},
      {"--ROTATION", "90", &S::TransformImageRotation, 90},
      {"--WM-IMAGE-ROTATION", "45", &S::WatermarkImageRotation, 45},
      {"--WM-TEXT-ROTATION", "30", &S::TextRotation, 30},
      {"--FR-SOLID-OPACITY", "128", &S::SolidOpacity, 128},
      {"--RAW-WIDTH", "640", &S::RAWImageWidth, 640},
      {"--FILE-TIMESTAMP-CUSTOM", "1700000000", &S::CustomTimestamp, 1700000000},
      {"--JPG-BPP", "24", &S::JPGBPP, 24},
      {"--XPM-BPP", "8", &S::XPMBPP, 8},
      {"--MAX-MEMORY", "512", &S::MaxMemory, 512},
      {"--JOBS", "3", &S::Jobs, 3},
      // decimal
      {"--GAMMA", "2.2", &S::ImageGamma, 2.2f},
      {"--GAMMA", "1,5", &S::ImageGamma, 1.0f},
      {"--GAMMA", "-Infinity", &S::ImageGamma, -std::numeric_limits<float>::infinity()},
      // keywords, any case, blanks trimmed; a stranger word is the list's first value
      {"--JPG-CHROMA", "medium", &S::JPGChroma, 2},
      {"--PNG-COMPRESSION", "LZW", &S::PNGCompression, 6},
      {"--BMP-COMPRESSION", "rle", &S::BMPCompression, 1},
      {"--RESIZE-ALGORITHM", " Lanczos ", &S::ImageResizeAlgorithm, 5},
      {"--RESIZE-ALGORITHM", "sharpest", &S::ImageResizeAlgorithm, 0},
      {"--WM-TEXT-POSITION", "BottomRight", &S::TextPosition, 8},
      {"--WM-IMAGE-POSITION", "topleft", &S::ImagePosition, 0},
      {"--FILE-TIMESTAMP", "custom", &S::FileTimestamp, 2},
      {"--DITHER", "bayer8", &S::ImageDitherAlgorithm, 2},
      {"--TIFF-COLOR-MODE", "lab", &S::TIFFColorMode, 2},
      {"--RAW-LOAD-AS", "48hs", &S::RAWLoadAs, 4},
  };
  for (const Case& c : cases) {
    Settings settings;
    ASSERT_EQ(ApplyLongOption(settings, c.option, c.value, OptionSource::CommandLine),
              OptionResult::Applied)
        << c.option;
    EXPECT_DOUBLE_EQ(NumberIn(settings, c.field), c.expected) << c.option << "=" << c.value;
  }
}

TEST(LongOptionTest, StoresCommandLineTextsUnchanged) {
  Settings settings;
  ApplyLongOption(settings, "--WM-TEXT", "  Hello, %filename%  ", OptionSource::CommandLine);
  ApplyLongOption(settings, "--FILENAME-MASK", " %n% ", OptionSource::CommandLine);
  ApplyLongOption(settings, "--ROTATION-BACK-COLOR", "FF0000", OptionSource::CommandLine);
  EXPECT_EQ(settings.WatermarkText, "  Hello, %filename%  ");
  EXPECT_EQ(settings.FilenameMask, " %n% ");
  EXPECT_EQ(settings.ImageRotationBackColor, "FF0000");
}

TEST(LongOptionTest, SetsTheFixedFieldsOfTheOption) {
  Settings settings;
  ApplyLongOption(settings, "--width", "10", OptionSource::CommandLine);
  EXPECT_EQ(settings.DoImageResize, 1);
  ApplyLongOption(settings, "--Invert", "--Invert", OptionSource::CommandLine);
  EXPECT_EQ(settings.DoImageColorCorrection, 1);
  EXPECT_EQ(settings.ImageInvert, 1);
  ApplyLongOption(settings, "--NO-SUBFOLDERS", "--NO-SUBFOLDERS", OptionSource::CommandLine);
  EXPECT_EQ(settings.KeepSubfolders, 0);
  ApplyLongOption(settings, "--DITHER", "cluster6", OptionSource::CommandLine);
  EXPECT_EQ(settings.DoImageDither, 1);
  ApplyLongOption(settings, "--FR-SOLID-TOP", "5", OptionSource::CommandLine);
  EXPECT_EQ(settings.DoFrame, 1);
}

TEST(LongOptionTest, TheLaterWatermarkOptionDecidesTheWatermarkType) {
  Settings text_then_image;
  ApplyLongOption(text_then_image, "--WM-TEXT", "x", OptionSource::CommandLine);
  ApplyLongOption(text_then_image, "--WM-IMAGE", "logo.png", OptionSource::CommandLine);
  EXPECT_EQ(text_then_image.DoWatermark, 2);

  Settings image_then_text;
  ApplyLongOption(image_then_text, "--WM-IMAGE", "logo.png", OptionSource::CommandLine);
  ApplyLongOption(image_then_text, "--WM-TEXT", "x", OptionSource::CommandLine);
  EXPECT_EQ(image_then_text.DoWatermark, 1);
}

TEST(LongOptionTest, SwitchesIgnoreTheirValue) {
  for (const char* value : {"--PNG-INTERLACED", "0", "", "--no"}) {
    Settings settings;
    EXPECT_EQ(ApplyLongOption(settings, "--PNG-INTERLACED", value, OptionSource::CommandLine),
              OptionResult::Applied);
    EXPECT_EQ(settings.PNGInterlaced, 1) << value;
  }
}

TEST(LongOptionTest, RefusesAnEmptyCommandLineValueOrOneBeginningWithTwoDashes) {
  for (const char* value : {"", "--5", "--WIDTH"}) {
    Settings settings;
    EXPECT_EQ(ApplyLongOption(settings, "--WIDTH", value, OptionSource::CommandLine),
              OptionResult::Refused)
        << value;
    EXPECT_EQ(settings.DoImageResize, 0) << "a refused option sets nothing";
  }
  Settings settings;
  EXPECT_EQ(ApplyLongOption(settings, "--WM-TEXT", "-", OptionSource::CommandLine),
            OptionResult::Applied);
  EXPECT_EQ(settings.WatermarkText, "-");
}

TEST(LongOptionTest, SkipsNamesThatAreNotInTheTable) {
  Settings settings;
  EXPECT_EQ(ApplyLongOption(settings, "--JPG-QUALITYX", "5", OptionSource::CommandLine),
            OptionResult::Unknown);
  EXPECT_EQ(ApplyLongOption(settings, "--INPUT", "a.psd", OptionSource::CommandLine),
            OptionResult::Unknown);
  EXPECT_EQ(ApplyLongOption(settings, "-WIDTH", "5", OptionSource::CommandLine),
            OptionResult::Unknown);
  EXPECT_EQ(settings.DoImageResize, 0);
}

TEST(LongOptionTest, TheFrameOpacityHasOneNameOnTheCommandLineAndAnotherInAProfile) {
  Settings settings;
  EXPECT_EQ(ApplyLongOption(settings, "--WM-SOLID-OPACITY", "10", OptionSource::CommandLine),
            OptionResult::Unknown);
  EXPECT_EQ(ApplyLongOption(settings, "--FR-SOLID-OPACITY", "20", OptionSource::Profile),
            OptionResult::Unknown);
  EXPECT_EQ(settings.SolidOpacity, 255);
  EXPECT_EQ(ApplyLongOption(settings, "--wm-solid-opacity", "30", OptionSource::Profile),
            OptionResult::Applied);
  EXPECT_EQ(settings.SolidOpacity, 30);
}

TEST(LongOptionTest, AProfileValueIsNeverRefusedAndAnEmptyOneGivesZeroOrEmpty) {
  Settings settings;
  settings.JPGChroma = 3;
  EXPECT_EQ(ApplyLongOption(settings, "--WIDTH", "", OptionSource::Profile), OptionResult::Applied);
  EXPECT_EQ(ApplyLongOption(settings, "--JPG-QUALITY", "--7", OptionSource::Profile),
            OptionResult::Applied);
  ApplyLongOption(settings, "--JPG-CHROMA", "", OptionSource::Profile);
  ApplyLongOption(settings, "--WM-FONT", "", OptionSource::Profile);
  EXPECT_EQ(settings.DoImageResize, 1);
  EXPECT_EQ(settings.ImageWidth, 0);
  EXPECT_EQ(settings.JPGQuality, 0);
  EXPECT_EQ(settings.JPGChroma, 0);
  EXPECT_EQ(settings.WatermarkFont, "");
}

TEST(LongOptionTest, AProfileTextIsTrimmedAndKeepsItsQuotesExceptTheMask) {
  Settings settings;
  ApplyLongOption(settings, "--WM-TEXT", "  \"quoted text\"  ", OptionSource::Profile);
  ApplyLongOption(settings, "--WM-FONT", " Liberation Sans ", OptionSource::Profile);
  ApplyLongOption(settings, "--FILENAME-MASK", "\" %filename% copy\"", OptionSource::Profile);
  EXPECT_EQ(settings.WatermarkText, "\"quoted text\"");
  EXPECT_EQ(settings.WatermarkFont, "Liberation Sans");
  EXPECT_EQ(settings.FilenameMask, " %filename% copy");
  EXPECT_EQ(settings.DoWatermark, 1);
}

TEST(LongOptionTest, AProfileSwitchSetsItsFieldWhateverItsValue) {
  Settings settings;
  ApplyLongOption(settings, "--FLIP-VERTICAL", "0", OptionSource::Profile);
  ApplyLongOption(settings, "--GREYSCALE", "", OptionSource::Profile);
  EXPECT_EQ(settings.DoImageFlipVertical, 1);
  EXPECT_EQ(settings.DoImageGreyscale, 1);
}

TEST(LongOptionTableTest, EveryDocumentedOptionIsFoundOnTheCommandLine) {
  const char* names[] = {
      "--BMP-BPP",
      "--DDS-BPP",
      "--EXR-BPP",
      "--GIF-BPP",
      "--HDR-BPP",
      "--ICO-BPP",
      "--J2K-BPP",
      "--JNG-BPP",
      "--JP2-BPP",
      "--JPG-BPP",
      "--JXR-BPP",
      "--PBM-BPP",
      "--PCX-BPP",
      "--PFM-BPP",
      "--PGM-BPP",
      "--PNG-BPP",
      "--PPM-BPP",
      "--PSD-BPP",
      "--TGA-BPP",
      "--TIFF-BPP",
      "--WBMP-BPP",
      "--WEBP-BPP",
      "--XPM-BPP",
      "--DDS-LOAD-AS",
      "--GIF-FRAME-LOADING",
      "--ICO-FRAME-LOADING",
      "--PSD-COLOR-MODE",
      "--RAW-LOAD-AS",
      "--RAW-HEADER-SIZE",
      "--RAW-WIDTH",
      "--RAW-HEIGHT",
      "--RAW-TONE-MAPPING",
      "--TIFF-FRAME-LOADING",
      "--BMP-COMPRESSION",
      "--BMP-COLOR-TABLE",
      "--EXR-COMPRESSION",
      "--JPG-QUALITY",
      "--JPG-CHROMA",
      "--JPG-SAVE-AS",
      "--PNG-COMPRESSION",
      "--PNG-INTERLACED",
      "--TGA-COMPRESSION",
      "--TIFF-COMPRESSION",
      "--TIFF-COLOR-MODE",
      "--WEBP-QUALITY",
      "--ROTATION-TYPE",
      "--ROTATION",
      "--ROTATION-BACK-COLOR",
      "--WIDTH",
      "--WIDTH-UNIT",
      "--HEIGHT",
      "--HEIGHT-UNIT",
      "--KEEP-ASPECT-RATIO",
      "--RESIZE-TYPE",
      "--RESIZE-ALGORITHM",
      "--FLIP-HORIZONTAL",
      "--FLIP-VERTICAL",
      "--BRIGHTNESS",
      "--CONTRAST",
      "--GAMMA",
      "--INVERT",
      "--GREYSCALE",
      "--THRESHOLD",
      "--DITHER",
      "--FR-SOLID-LEFT",
      "--FR-SOLID-RIGHT",
      "--FR-SOLID-TOP",
      "--FR-SOLID-BOTTOM",
      "--FR-SOLID-LEFT-COLOR",
      "--FR-SOLID-RIGHT-COLOR",
      "--FR-SOLID-TOP-COLOR",
      "--FR-SOLID-BOTTOM-COLOR",
      "--FR-SOLID-OPACITY",
      "--WM-TEXT",
      "--WM-FONT",
      "--WM-FONT-SIZE",
      "--WM-FONT-LEADING",
      "--WM-FONT-COLOR",
      "--WM-FONT-STYLE",
      "--WM-FONT-EFFECT",
      "--WM-TEXT-ANTIALIASING",
      "--WM-TEXT-ALIGNMENT",
      "--WM-TEXT-PADDING",
      "--WM-TEXT-OPACITY",
      "--WM-BACK-COLOR",
      "--WM-BACK-OPACITY",
      "--WM-TEXT-BOUNDARY",
      "--WM-TEXT-POSITION",
      "--WM-TEXT-X-OFFSET",
      "--WM-TEXT-Y-OFFSET",
      "--WM-TEXT-ROTATION",
      "--WM-TEXT-SIZE",
      "--WM-IMAGE",
      "--WM-IMAGE-GREYSCALE",
      "--WM-IMAGE-OPACITY",
      "--WM-IMAGE-BOUNDARY",
      "--WM-IMAGE-POSITION",
      "--WM-IMAGE-X-OFFSET",
      "--WM-IMAGE-Y-OFFSET",
      "--WM-IMAGE-ROTATION",
      "--WM-IMAGE-SIZE",
      "--FILENAME-MASK",
      "--FILE-TIMESTAMP",
      "--FILE-TIMESTAMP-CUSTOM",
      "--NO-SUBFOLDERS",
      "--MAX-MEMORY",
      "--JOBS",
  };
  for (const char* name : names) {
    EXPECT_NE(FindLongOption(name, OptionSource::CommandLine), nullptr) << name;
  }
  // Each name is recognised once per source, so no row shadows another.
  std::set<std::pair<std::string_view, uint8_t>> seen;
  for (const LongOption& option : LongOptionTable()) {
    for (uint8_t source : {kOnCommandLine, kInProfile}) {
      if (option.flags & source) {
        EXPECT_TRUE(seen.insert({option.name, source}).second) << option.name;
      }
    }
  }
}

}  // namespace
}  // namespace pictavo
