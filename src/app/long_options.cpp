#include "app/long_options.h"

#include "app/number_values.h"
#include "app/parameters.h"

namespace pictavo {
namespace {

using S = Settings;
using KL = KeywordList;

constexpr LongOption Integer(std::string_view name, int32_t S::*field, FixedField fixed = {}) {
  return {name, ValueKind::Integer, field, KL::DdsLoad, {fixed, {}}, kEverywhere};
}
constexpr LongOption Decimal(std::string_view name, float S::*field, FixedField fixed = {}) {
  return {name, ValueKind::Decimal, field, KL::DdsLoad, {fixed, {}}, kEverywhere};
}
constexpr LongOption Keyword(std::string_view name, KL list, int32_t S::*field) {
  return {name, ValueKind::Keyword, field, list, {}, kEverywhere};
}
constexpr LongOption Keyword(std::string_view name, KL list, int8_t S::*field,
                             FixedField fixed = {}) {
  return {name, ValueKind::Keyword, field, list, {fixed, {}}, kEverywhere};
}
constexpr LongOption Text(std::string_view name, std::string S::*field, FixedField fixed = {}) {
  return {name, ValueKind::Text, field, KL::DdsLoad, {fixed, {}}, kEverywhere};
}
constexpr LongOption Switch(std::string_view name, FixedField first, FixedField second = {}) {
  return {name, ValueKind::Switch, std::monostate{}, KL::DdsLoad, {first, second}, kEverywhere};
}
constexpr LongOption Only(uint8_t flags, LongOption option) {
  option.flags = flags;
  return option;
}

const LongOption kLongOptions[] = {
    // Output bit depths.
    Integer("--BMP-BPP", &S::BMPBPP),
    Integer("--DDS-BPP", &S::DDSBPP),
    Integer("--EXR-BPP", &S::EXRBPP),
    Integer("--GIF-BPP", &S::GIFBPP),
    Integer("--HDR-BPP", &S::HDRBPP),
    Integer("--ICO-BPP", &S::ICOBPP),
    Integer("--J2K-BPP", &S::J2KBPP),
    Integer("--JNG-BPP", &S::JNGBPP),
    Integer("--JP2-BPP", &S::JP2BPP),
    Integer("--JPG-BPP", &S::JPGBPP),
    Integer("--JXR-BPP", &S::JXRBPP),
    Integer("--PBM-BPP", &S::PBMBPP),
    Integer("--PCX-BPP", &S::PCXBPP),
    Integer("--PFM-BPP", &S::PFMBPP),
    Integer("--PGM-BPP", &S::PGMBPP),
    Integer("--PNG-BPP", &S::PNGBPP),
    Integer("--PPM-BPP", &S::PPMBPP),
    Integer("--PSD-BPP", &S::PSDBPP),
    Integer("--TGA-BPP", &S::TGABPP),
    Integer("--TIFF-BPP", &S::TIFFBPP),
    Integer("--WBMP-BPP", &S::WBMPBPP),
    Integer("--WEBP-BPP", &S::WEBPBPP),
    Integer("--XPM-BPP", &S::XPMBPP),

    // Loading.
    Keyword("--DDS-LOAD-AS", KL::DdsLoad, &S::DDSLoadAs),
    Keyword("--GIF-FRAME-LOADING", KL::FrameLoading, &S::GIFFrameLoading),
    Keyword("--ICO-FRAME-LOADING", KL::FrameLoading, &S::ICOFrameLoading),
    Keyword("--PSD-COLOR-MODE", KL::ColorMode, &S::PSDColorMode),
    Keyword("--RAW-LOAD-AS", KL::RawLoad, &S::RAWLoadAs),
    Integer("--RAW-HEADER-SIZE", &S::RAWHeaderSize),
    Integer("--RAW-WIDTH", &S::RAWImageWidth),
    Integer("--RAW-HEIGHT", &S::RAWImageHeight),
    Keyword("--RAW-TONE-MAPPING", KL::ToneMapping, &S::RAWToneMapping),
    Keyword("--TIFF-FRAME-LOADING", KL::FrameLoading, &S::TIFFFrameLoading),

    // Saving.
    Keyword("--BMP-COMPRESSION", KL::Compression, &S::BMPCompression),
    Keyword("--BMP-COLOR-TABLE", KL::ColorTable, &S::BMPColorTable),
    Keyword("--EXR-COMPRESSION", KL::Compression, &S::EXRCompression),
    Integer("--JPG-QUALITY", &S::JPGQuality),
    Keyword("--JPG-CHROMA", KL::Chroma, &S::JPGChroma),
    Keyword("--JPG-SAVE-AS", KL::JpegSave, &S::JPGSaveAs),
    Keyword("--PNG-COMPRESSION", KL::Compression, &S::PNGCompression),
    Switch("--PNG-INTERLACED", {&S::PNGInterlaced, 1}),
    Keyword("--TGA-COMPRESSION", KL::Compression, &S::TGACompression),
    Keyword("--TIFF-COMPRESSION", KL::Compression, &S::TIFFCompression),
    Keyword("--TIFF-COLOR-MODE", KL::ColorMode, &S::TIFFColorMode),
    Integer("--WEBP-QUALITY", &S::WEBPQuality),

    // Geometry.
    Keyword("--ROTATION-TYPE", KL::RotationType, &S::ImageRotationType),
    Integer("--ROTATION", &S::TransformImageRotation, {&S::DoImageRotation, 1}),
    Text("--ROTATION-BACK-COLOR", &S::ImageRotationBackColor),
    Integer("--WIDTH", &S::ImageWidth, {&S::DoImageResize, 1}),
    Keyword("--WIDTH-UNIT", KL::Unit, &S::ImageWidthUnit),
    Integer("--HEIGHT", &S::ImageHeight, {&S::DoImageResize, 1}),
    Keyword("--HEIGHT-UNIT", KL::Unit, &S::ImageHeightUnit),
    Switch("--KEEP-ASPECT-RATIO", {&S::KeepAspectRatio, 1}),
    Keyword("--RESIZE-TYPE", KL::ResizeType, &S::ImageResizeType),
    Keyword("--RESIZE-ALGORITHM", KL::ResizeAlgorithm, &S::ImageResizeAlgorithm),
    Switch("--FLIP-HORIZONTAL", {&S::DoImageFlipHorizontal, 1}),
    Switch("--FLIP-VERTICAL", {&S::DoImageFlipVertical, 1}),

    // Colour.
    Integer("--BRIGHTNESS", &S::ImageBrightness, {&S::DoImageColorCorrection, 1}),
    Integer("--CONTRAST", &S::ImageContrast, {&S::DoImageColorCorrection, 1}),
    Decimal("--GAMMA", &S::ImageGamma, {&S::DoImageColorCorrection, 1}),
    Switch("--INVERT", {&S::DoImageColorCorrection, 1}, {&S::ImageInvert, 1}),
    Switch("--GREYSCALE", {&S::DoImageGreyscale, 1}),
    Integer("--THRESHOLD", &S::ImageThreshold, {&S::DoImageThreshold, 1}),
    Keyword("--DITHER", KL::Dither, &S::ImageDitherAlgorithm, {&S::DoImageDither, 1}),

    // Frame. The opacity key has another name in a profile.
    Integer("--FR-SOLID-LEFT", &S::SolidLeft, {&S::DoFrame, 1}),
    Integer("--FR-SOLID-RIGHT", &S::SolidRight, {&S::DoFrame, 1}),
    Integer("--FR-SOLID-TOP", &S::SolidTop, {&S::DoFrame, 1}),
    Integer("--FR-SOLID-BOTTOM", &S::SolidBottom, {&S::DoFrame, 1}),
    Text("--FR-SOLID-LEFT-COLOR", &S::SolidLeftColor),
    Text("--FR-SOLID-RIGHT-COLOR", &S::SolidRightColor),
    Text("--FR-SOLID-TOP-COLOR", &S::SolidTopColor),
    Text("--FR-SOLID-BOTTOM-COLOR", &S::SolidBottomColor),
    Only(kOnCommandLine, Integer("--FR-SOLID-OPACITY", &S::SolidOpacity)),
    Only(kInProfile, Integer("--WM-SOLID-OPACITY", &S::SolidOpacity)),

    // Text watermark.
    Text("--WM-TEXT", &S::WatermarkText, {&S::DoWatermark, 1}),
    Text("--WM-FONT", &S::WatermarkFont),
    Integer("--WM-FONT-SIZE", &S::FontSize),
    Integer("--WM-FONT-LEADING", &S::FontLeading),
    Text("--WM-FONT-COLOR", &S::FontColor),
    Keyword("--WM-FONT-STYLE", KL::FontStyle, &S::FontStyle),
    Keyword("--WM-FONT-EFFECT", KL::FontEffect, &S::FontEffect),
    Switch("--WM-TEXT-ANTIALIASING", {&S::TextAntialiasing, 1}),
    Keyword("--WM-TEXT-ALIGNMENT", KL::Alignment, &S::TextAlignment),
    Integer("--WM-TEXT-PADDING", &S::TextPadding),
    Integer("--WM-TEXT-OPACITY", &S::TextOpacity),
    Text("--WM-BACK-COLOR", &S::BackColor),
    Integer("--WM-BACK-OPACITY", &S::BackOpacity),
    Keyword("--WM-TEXT-BOUNDARY", KL::Boundary, &S::TextBoundary),
    Keyword("--WM-TEXT-POSITION", KL::Position, &S::TextPosition),
    Integer("--WM-TEXT-X-OFFSET", &S::TextXOffset),
    Integer("--WM-TEXT-Y-OFFSET", &S::TextYOffset),
    Integer("--WM-TEXT-ROTATION", &S::TextRotation),
    Keyword("--WM-TEXT-SIZE", KL::Size, &S::TextSize),

    // Picture watermark.
    Text("--WM-IMAGE", &S::WatermarkImage, {&S::DoWatermark, 2}),
    Switch("--WM-IMAGE-GREYSCALE", {&S::ImageGreyscale, 1}),
    Integer("--WM-IMAGE-OPACITY", &S::ImageOpacity),
    Keyword("--WM-IMAGE-BOUNDARY", KL::Boundary, &S::ImageBoundary),
    Keyword("--WM-IMAGE-POSITION", KL::Position, &S::ImagePosition),
    Integer("--WM-IMAGE-X-OFFSET", &S::ImageXOffset),
    Integer("--WM-IMAGE-Y-OFFSET", &S::ImageYOffset),
    Integer("--WM-IMAGE-ROTATION", &S::WatermarkImageRotation),
    Keyword("--WM-IMAGE-SIZE", KL::Size, &S::ImageSize),

    // Naming and files. Quotes in a profile let the mask keep outer blanks.
    Only(kEverywhere | kUnquoteInProfile, Text("--FILENAME-MASK", &S::FilenameMask)),
    Keyword("--FILE-TIMESTAMP", KL::Timestamp, &S::FileTimestamp),
    Integer("--FILE-TIMESTAMP-CUSTOM", &S::CustomTimestamp),
    Switch("--NO-SUBFOLDERS", {&S::KeepSubfolders, 0}),

    // Resources of this build.
    Integer("--MAX-MEMORY", &S::MaxMemory),
    Integer("--JOBS", &S::Jobs),
};

// An int8 field keeps the low 8 bits of the number, as the settings file
// stores it.
int8_t LowByte(int32_t value) {
  return static_cast<int8_t>(static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu));
}

std::string_view StripQuotes(std::string_view text) {
  while (!text.empty() && text.front() == '"') text.remove_prefix(1);
  while (!text.empty() && text.back() == '"') text.remove_suffix(1);
  return text;
}

void StoreNumber(Settings& settings, const SettingsField& field, int32_t number) {
  if (auto wide = std::get_if<int32_t S::*>(&field)) {
    settings.*(*wide) = number;
  } else if (auto narrow = std::get_if<int8_t S::*>(&field)) {
    settings.*(*narrow) = LowByte(number);
  }
}

}  // namespace

std::span<const LongOption> LongOptionTable() {
  return kLongOptions;
}

const LongOption* FindLongOption(std::string_view name, OptionSource source) {
  const std::string upper = UpperAscii(name);
  const uint8_t wanted = source == OptionSource::CommandLine ? kOnCommandLine : kInProfile;
  for (const LongOption& option : kLongOptions) {
    if ((option.flags & wanted) && option.name == upper) return &option;
  }
  return nullptr;
}

OptionResult ApplyLongOption(Settings& settings, std::string_view name, std::string_view value,
                             OptionSource source) {
  const LongOption* option = FindLongOption(name, source);
  if (!option) return OptionResult::Unknown;
  const bool command_line = source == OptionSource::CommandLine;
  if (command_line && option->kind != ValueKind::Switch &&
      (value.empty() || value.substr(0, 2) == "--")) {
    return OptionResult::Refused;
  }

  for (const FixedField& fixed : option->fixed) {
    if (fixed.field) settings.*(fixed.field) = fixed.value;
  }

  switch (option->kind) {
    case ValueKind::Integer:
      StoreNumber(settings, option->field, ReadIntegerValue(value));
      break;
    case ValueKind::Keyword:
      StoreNumber(settings, option->field, KeywordValue(option->list, value));
      break;
    case ValueKind::Decimal:
      if (auto real = std::get_if<float S::*>(&option->field)) {
        settings.*(*real) = ReadDecimalValue(value);
      }
      break;
    case ValueKind::Text:
      if (auto text = std::get_if<std::string S::*>(&option->field)) {
        std::string_view stored = value;
        if (!command_line) {
          stored = (option->flags & kUnquoteInProfile) ? StripQuotes(value) : TrimBlanks(value);
        }
        settings.*(*text) = std::string(stored);
      }
      break;
    case ValueKind::Switch:
      break;
  }
  return OptionResult::Applied;
}

}  // namespace pictavo
