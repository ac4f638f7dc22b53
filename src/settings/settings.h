#pragma once

#include <cstdint>
#include <string>

namespace pictavo {

// The one settings record. Each field is named after its key in the settings
// file (blanks dropped); where a key occurs in two groups the group name leads
// (TransformImageRotation, WatermarkText). Flags and small choices are int8,
// exactly as wide as the settings file keeps them.
struct Settings {
  // Start-up and window fields, never stored in the settings file.
  std::string SettingsPath;
  int32_t InstanceMutex = 0;  // 1 while the single-instance lock is held
  int32_t MenuHeight = 0, ToolbarHeight = 0, TopOffset = 0, ListHeight = 0, StatusHeight = 0;

  // General
  int32_t CFG = 19;
  std::string Language = "en";
  int32_t UpdateRange = 2;
  int32_t UpdateDate = 0;
  int8_t SaveWindowPosition = 1;

  // Window
  int8_t IsMaximized = 0;
  int32_t X = 100;
  int32_t Y = 100;
  int32_t Width = 510;
  int32_t Height = 330;

  // Interface
  std::string UITheme = "handdrawn";
  int32_t UISize = 2;

  // Input
  std::string InputFormat = "psd";
  int32_t DDSLoadAs = 0;
  int32_t GIFFrameLoading = 0;
  int32_t ICOFrameLoading = 0;
  int32_t TIFFFrameLoading = 0;
  int32_t PSDColorMode = 0;
  int32_t RAWLoadAs = 0;
  int32_t RAWHeaderSize = 0;
  int32_t RAWImageWidth = 0;
  int32_t RAWImageHeight = 0;
  int32_t RAWToneMapping = 2;

  // Output
  std::string OutputFormat = "jpg";
  int32_t BMPBPP = 0;
  int32_t BMPCompression = 0;
  int32_t BMPColorTable = 0;
  int32_t DDSBPP = 0;
  int32_t EXRBPP = 0;
  int32_t EXRCompression = 0;
  int32_t GIFBPP = 0;
  int32_t HDRBPP = 0;
  int32_t ICOBPP = 0;
  int32_t J2KBPP = 0;
  int32_t JNGBPP = 0;
  int32_t JP2BPP = 0;
  int32_t JPGBPP = 0;
  int32_t JPGQuality = 95;
  int32_t JPGChroma = 0;
  int32_t JPGSaveAs = 0;
  int32_t JXRBPP = 0;
  int32_t PBMBPP = 0;
  int32_t PCXBPP = 0;
  int32_t PFMBPP = 0;
  int32_t PGMBPP = 0;
  int32_t PNGBPP = 0;
  int32_t PNGCompression = 0;
  int8_t PNGInterlaced = 0;
  int32_t PPMBPP = 0;
  int32_t PSDBPP = 0;
  int32_t TGABPP = 0;
  int32_t TGACompression = 0;
  int32_t TIFFBPP = 0;
  int32_t TIFFCompression = 0;
  int32_t TIFFColorMode = 0;
  int32_t WBMPBPP = 0;
  int32_t WEBPBPP = 0;
  int32_t WEBPQuality = 100;
  int32_t XPMBPP = 0;

  // Transform
  int8_t DoImageRotation = 0;
  int8_t ImageRotationType = 0;
  int32_t TransformImageRotation = 0;
  std::string ImageRotationBackColor = "000000";
  int8_t DoImageResize = 0;
  int32_t ImageWidth = 0;
  int8_t ImageWidthUnit = 0;
  int32_t ImageHeight = 0;
  int8_t ImageHeightUnit = 0;
  int8_t KeepAspectRatio = 1;
  int8_t ImageResizeType = 0;
  int8_t ImageResizeAlgorithm = 3;
  int8_t DoImageFlipHorizontal = 0;
  int8_t DoImageFlipVertical = 0;

  // Adjustment
  int8_t DoImageColorCorrection = 0;
  int32_t ImageBrightness = 0;
  int32_t ImageContrast = 0;
  float ImageGamma = 1.0f;
  int8_t ImageInvert = 0;
  int8_t DoImageGreyscale = 0;
  int8_t DoImageThreshold = 0;
  int32_t ImageThreshold = 0;
  int8_t DoImageDither = 0;
  int8_t ImageDitherAlgorithm = 0;

  // Frame
  int8_t DoFrame = 0;
  int32_t SolidLeft = 0, SolidRight = 0, SolidTop = 0, SolidBottom = 0;
  std::string SolidLeftColor = "000000", SolidRightColor = "000000", SolidTopColor = "000000",
              SolidBottomColor = "000000";
  int32_t SolidOpacity = 255;

  // Watermark
  int8_t DoWatermark = 0;
  std::string WatermarkText;
  std::string Fonts = "Arial,Tahoma,Verdana";
  std::string WatermarkFont = "Arial";
  int32_t FontSize = 14;
  int32_t FontLeading = 0;
  std::string FontColors = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";
  std::string FontColor = "FFFFFF";
  int8_t FontStyle = 0;
  int8_t FontEffect = 0;
  int8_t TextAntialiasing = 0;
  int8_t TextAlignment = 0;
  int32_t TextPadding = 0;
  int32_t TextOpacity = 255;
  std::string BackColors = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";
  std::string BackColor = "000000";
  int32_t BackOpacity = 1;
  int8_t TextBoundary = 0;
  int8_t TextPosition = 8;
  int32_t TextXOffset = 10;
  int32_t TextYOffset = 10;
  int32_t TextRotation = 0;
  int8_t TextSize = 0;
  int32_t TextScale = 10;
  std::string WatermarkImage;
  int8_t ImageGreyscale = 0;
  int32_t ImageOpacity = 255;
  int8_t ImageBoundary = 0;
  int8_t ImagePosition = 8;
  int32_t ImageXOffset = 10;
  int32_t ImageYOffset = 10;
  int32_t WatermarkImageRotation = 0;
  int8_t ImageSize = 0;
  int32_t ImageScale = 10;

  // Advanced
  std::string FilenameMask = "%filename%.%ext%";
  int8_t FileTimestamp = 0;
  int32_t CustomTimestamp = 0;
  int8_t OutFoldersHistory = 1;
  int8_t OutFoldersNumber = 5;
  int8_t KeepSubfolders = 1;

  // File and Privacy
  std::string CsvDelimiter = ",";
  std::string RecentOutFolders;
  std::string RecentFiles;
  int8_t CleanRecentFiles = 0;

  // Extensions of this build beyond the classic record: the pixel budget of
  // one document in megabytes and the number of files converted at once
  // (0 = one per available core).
  int32_t MaxMemory = 1024;
  int32_t Jobs = 0;
};

// The maker's notice and home page, shown by the banner and used as the
// default watermark text.
inline constexpr const char* kCopyrightNotice = "Copyright \xC2\xA9 2026 Quorvane. All rights reserved.";
inline constexpr const char* kHomePage = "https://quorvane.example/pictavo/";
inline constexpr const char* kProductTitle = "Pictavo";
inline constexpr int kVersionNumber = 310;

// "3.1" from 310: a point after the first and second digit, a trailing "0"
// dropped.
std::string VersionText();
// "Pictavo 3.1": the console title and the name of the instance lock.
std::string TitleString();

}  // namespace pictavo
