#include "batch/settings_checks.h"

#include <cctype>
#include <charconv>
#include <functional>
#include <string_view>

#include "app/keywords.h"
#include "formats/format_settings.h"
#include "platform/console.h"
#include "platform/file_info.h"

namespace pictavo {
namespace {

// Prints echo lines in debug mode and reports the first failed check.
class Echo {
 public:
  explicit Echo(bool debug) : debug_(debug) {}

  void Line(std::string_view label, const std::string& value) const {
    if (debug_) PrintLine(std::string(label) + value);
  }
  void Number(std::string_view label, int32_t value) const { Line(label, std::to_string(value)); }
  void Keyword(std::string_view label, KeywordList list, int32_t value,
               std::string_view format = {}) const {
    Line(label, KeywordOf(list, value, format));
  }

  // False, after printing the error line, when `ok` is false.
  bool Check(bool ok, std::string_view error) const {
    if (!ok) PrintLine("Error: " + std::string(error));
    return ok;
  }

 private:
  bool debug_;
};

void EchoInputFormat(const Settings& s, const std::string& format, const Echo& echo) {
  using KL = KeywordList;
  if (format == "dds") {
    echo.Keyword("DDS Load As: ", KL::DdsLoad, s.DDSLoadAs);
  } else if (format == "gif") {
    echo.Keyword("GIF Frame Loading: ", KL::FrameLoading, s.GIFFrameLoading);
  } else if (format == "ico") {
    echo.Keyword("ICO Frame Loading: ", KL::FrameLoading, s.ICOFrameLoading);
  } else if (format == "psd") {
    echo.Keyword("PSD Color Mode: ", KL::ColorMode, s.PSDColorMode);
  } else if (format == "raw") {
    echo.Keyword("RAW Load As: ", KL::RawLoad, s.RAWLoadAs);
    echo.Number("RAW Header Size: ", s.RAWHeaderSize);
    echo.Number("RAW Image Width: ", s.RAWImageWidth);
    echo.Number("RAW Image Height: ", s.RAWImageHeight);
    echo.Keyword("RAW Tone Mapping: ", KL::ToneMapping, s.RAWToneMapping);
  } else if (format == "tiff") {
    echo.Keyword("TIFF Frame Loading: ", KL::FrameLoading, s.TIFFFrameLoading);
  }
}

// The echo lines an output format has beyond its depth, and the setting of
// its quality check when it has one.
struct OutputExtras {
  std::string_view key;
  std::function<void(const Settings&, const Echo&)> lines;
  int32_t Settings::*quality = nullptr;
};

const OutputExtras* FindOutputExtras(std::string_view key) {
  using KL = KeywordList;
  static const OutputExtras rows[] = {
      {"bmp",
       [](const Settings& s, const Echo& e) {
         e.Keyword("BMP Compression: ", KL::Compression, s.BMPCompression, "bmp");
         e.Keyword("BMP Color Table: ", KL::ColorTable, s.BMPColorTable);
       }},
      {"exr",
       [](const Settings& s, const Echo& e) {
         e.Keyword("EXR Compression: ", KL::Compression, s.EXRCompression, "exr");
       }},
      {"jpg",
       [](const Settings& s, const Echo& e) {
         e.Number("JPG Quality: ", s.JPGQuality);
         e.Keyword("JPG Chroma Subsampling: ", KL::Chroma, s.JPGChroma);
         e.Keyword("JPG Save As: ", KL::JpegSave, s.JPGSaveAs);
       },
       &Settings::JPGQuality},
      {"png",
       [](const Settings& s, const Echo& e) {
         e.Keyword("PNG Compression: ", KL::Compression, s.PNGCompression, "png");
         e.Number("PNG Interlaced: ", s.PNGInterlaced);
       }},
      {"tga",
       [](const Settings& s, const Echo& e) {
         e.Keyword("TGA Compression: ", KL::Compression, s.TGACompression, "tga");
       }},
      {"tiff",
       [](const Settings& s, const Echo& e) {
         e.Keyword("TIFF Compression: ", KL::Compression, s.TIFFCompression, "tiff");
         e.Keyword("TIFF Color Mode: ", KL::ColorMode, s.TIFFColorMode);
       }},
      {"webp", [](const Settings& s, const Echo& e) { e.Number("WEBP Quality: ", s.WEBPQuality); },
       &Settings::WEBPQuality},
  };
  for (const OutputExtras& row : rows) {
    if (row.key == key) return &row;
  }
  return nullptr;
}

// The output format's block: "<KEY> BPP: " and its further lines, then the
// depth check and, for the formats with a quality setting, its range check.
bool EchoAndCheckOutputFormat(const Settings& s, const FormatTables& formats,
                              const std::string& format, const Echo& echo) {
  std::string label = format;
  for (char& c : label) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const int depth = DepthSettingOf(format, s);
  echo.Number(label + " BPP: ", depth);
  const OutputExtras* extras = FindOutputExtras(format);
  if (extras != nullptr) extras->lines(s, echo);
  if (!echo.Check(IsPermittedDepth(formats, format, depth), "Invalid " + format + "-bpp value"))
    return false;
  if (extras != nullptr && extras->quality != nullptr) {
    const int32_t quality = s.*(extras->quality);
    if (!echo.Check(quality >= 1 && quality <= 100, "Invalid " + format + "-quality value"))
      return false;
  }
  return true;
}

bool EchoAndCheckTransform(const Settings& s, const Echo& echo) {
  using KL = KeywordList;
  if (s.DoImageRotation) {
    echo.Keyword("Image Rotation Type: ", KL::RotationType, s.ImageRotationType);
    echo.Number("Image Rotation: ", s.TransformImageRotation);
    echo.Line("Image Rotation Back Color: ", s.ImageRotationBackColor);
  }
  if (s.DoImageResize) {
    echo.Line("Width: ",
              std::to_string(s.ImageWidth) + " " + KeywordOf(KL::Unit, s.ImageWidthUnit));
    if (!echo.Check(s.ImageWidth != 0, "Invalid width value")) return false;
    echo.Line("Height: ",
              std::to_string(s.ImageHeight) + " " + KeywordOf(KL::Unit, s.ImageHeightUnit));
    if (!echo.Check(s.ImageHeight != 0, "Invalid height value")) return false;
    echo.Number("Keep Aspect Ratio: ", s.KeepAspectRatio);
    echo.Keyword("Image Resize Type: ", KL::ResizeType, s.ImageResizeType);
    echo.Keyword("Image Resize Algorithm: ", KL::ResizeAlgorithm, s.ImageResizeAlgorithm);
  }
  echo.Number("Flip Horizontal: ", s.DoImageFlipHorizontal);
  echo.Number("Flip Vertical: ", s.DoImageFlipVertical);
  if (s.DoImageColorCorrection) {
    echo.Number("Brightness: ", s.ImageBrightness);
    if (!echo.Check(s.ImageBrightness >= -100 && s.ImageBrightness <= 100,
                    "Invalid brightness value"))
      return false;
    echo.Number("Contrast: ", s.ImageContrast);
    if (!echo.Check(s.ImageContrast >= -100 && s.ImageContrast <= 100, "Invalid contrast value"))
      return false;
    // to_chars writes a decimal point whatever the process locale says.
    char gamma[32];
    auto end = std::to_chars(gamma, gamma + sizeof gamma, static_cast<double>(s.ImageGamma),
                             std::chars_format::fixed, 2)
                   .ptr;
    echo.Line("Gamma: ", std::string(gamma, end));
    // Compared in single precision, so that 0.01 and 9.99 as typed both pass.
    if (!echo.Check(s.ImageGamma >= 0.01f && s.ImageGamma <= 9.99f, "Invalid gamma value"))
      return false;
    echo.Number("Invert: ", s.ImageInvert);
  }
  echo.Number("Greyscale: ", s.DoImageGreyscale);
  if (s.DoImageThreshold) echo.Number("Image Threshold: ", s.ImageThreshold);
  if (s.DoImageDither) {
    echo.Keyword("Image Dithering Algorithm: ", KL::Dither, s.ImageDitherAlgorithm);
  }
  return true;
}

void EchoFrame(const Settings& s, const Echo& echo) {
  echo.Keyword("Frame: ", KeywordList::FrameType, s.DoFrame);
  if (s.DoFrame != 1) return;
  echo.Number("Frame left: ", s.SolidLeft);
  echo.Number("Frame right: ", s.SolidRight);
  echo.Number("Frame top: ", s.SolidTop);
  echo.Number("Frame bottom: ", s.SolidBottom);
  echo.Line("Frame left color: ", s.SolidLeftColor);
  echo.Line("Frame right color: ", s.SolidRightColor);
  echo.Line("Frame top color: ", s.SolidTopColor);
  echo.Line("Frame bottom color: ", s.SolidBottomColor);
  echo.Number("Frame opacity: ", s.SolidOpacity);
}

bool EchoAndCheckWatermark(const Settings& s, const Echo& echo, DecorResources& decor) {
  using KL = KeywordList;
  echo.Keyword("Watermark: ", KL::WatermarkType, s.DoWatermark);
  if (s.DoWatermark == 1) {
    echo.Line("Watermark text: ", s.WatermarkText);
    echo.Line("Watermark font: ", s.WatermarkFont);
    echo.Number("Watermark font size: ", s.FontSize);
    echo.Number("Watermark font leading: ", s.FontLeading);
    echo.Line("Watermark font color: ", s.FontColor);
    echo.Keyword("Watermark font style: ", KL::FontStyle, s.FontStyle);
    echo.Keyword("Watermark font effect: ", KL::FontEffect, s.FontEffect);
    echo.Number("Watermark text antialiasing: ", s.TextAntialiasing);
    echo.Keyword("Watermark text alignment: ", KL::Alignment, s.TextAlignment);
    echo.Number("Watermark text padding: ", s.TextPadding);
    echo.Number("Watermark text opacity: ", s.TextOpacity);
    echo.Line("Watermark background color: ", s.BackColor);
    echo.Number("Watermark background opacity: ", s.BackOpacity);
    echo.Keyword("Watermark boundary: ", KL::Boundary, s.TextBoundary);
    echo.Keyword("Watermark position: ", KL::Position, s.TextPosition);
    echo.Line("Watermark offset (x/y): ",
              std::to_string(s.TextXOffset) + "/" + std::to_string(s.TextYOffset));
    echo.Number("Watermark rotation: ", s.TextRotation);
    echo.Keyword("Watermark size/mode: ", KL::Size, s.TextSize);
    return echo.Check(LoadWatermarkFont(s, decor), "Invalid watermark font");
  }
  if (s.DoWatermark == 2) {
    echo.Line("Watermark image: ", s.WatermarkImage);
    echo.Number("Watermark greyscale: ", s.ImageGreyscale);
    echo.Number("Watermark opacity: ", s.ImageOpacity);
    echo.Keyword("Watermark boundary: ", KL::Boundary, s.ImageBoundary);
    echo.Keyword("Watermark position: ", KL::Position, s.ImagePosition);
    echo.Line("Watermark offset (x/y): ",
              std::to_string(s.ImageXOffset) + "/" + std::to_string(s.ImageYOffset));
    echo.Number("Watermark rotation: ", s.WatermarkImageRotation);
    echo.Keyword("Watermark size/mode: ", KL::Size, s.ImageSize);
    auto picture = StatPath(s.WatermarkImage);
    return echo.Check(picture && picture->isRegular && picture->size > 0,
                      "Invalid watermark image");
  }
  return true;
}

void EchoNaming(const Settings& s, const Echo& echo) {
  echo.Line("Filename Mask: ", s.FilenameMask);
  echo.Keyword("File Timestamp: ", KeywordList::Timestamp, s.FileTimestamp);
  if (s.FileTimestamp == 2) echo.Number("Custom Timestamp: ", s.CustomTimestamp);
  echo.Number("Keep Subfolders: ", s.KeepSubfolders);
}

}  // namespace

bool EchoAndCheckSettings(const Settings& settings, const FormatTables& formats,
                          const std::string& input_format, const std::string& output_format,
                          bool debug, DecorResources& decor) {
  const Echo echo(debug);
  EchoInputFormat(settings, input_format, echo);
  if (!EchoAndCheckOutputFormat(settings, formats, output_format, echo)) return false;
  if (!EchoAndCheckTransform(settings, echo)) return false;
  EchoFrame(settings, echo);
  if (!EchoAndCheckWatermark(settings, echo, decor)) return false;
  EchoNaming(settings, echo);
  return true;
}

}  // namespace pictavo
