#include "settings/settings_keys.h"

namespace pictavo {
namespace {

using S = Settings;
constexpr auto kWindow = SettingsKeyWrite::WindowGeometry;
constexpr auto kFormat = SettingsKeyWrite::FormatEnabled;

const SettingsKey kKeys[] = {
    {"General", "CFG", &S::CFG},
    {"General", "Language", &S::Language},
    {"General", "Update Range", &S::UpdateRange},
    {"General", "Update Date", &S::UpdateDate},
    {"General", "Save Window Position", &S::SaveWindowPosition},

    {"Window", "IsMaximized", &S::IsMaximized, kWindow},
    {"Window", "Width", &S::Width, kWindow},
    {"Window", "Height", &S::Height, kWindow},
    {"Window", "X", &S::X, kWindow},
    {"Window", "Y", &S::Y, kWindow},

    {"Interface", "UI Theme", &S::UITheme},
    {"Interface", "UI Size", &S::UISize},

    {"Input", "Format", &S::InputFormat},
    {"Input", "DDS Load As", &S::DDSLoadAs, kFormat, "dds"},
    {"Input", "GIF Frame Loading", &S::GIFFrameLoading, kFormat, "gif"},
    {"Input", "ICO Frame Loading", &S::ICOFrameLoading, kFormat, "ico"},
    {"Input", "PSD Color Mode", &S::PSDColorMode, kFormat, "psd"},
    {"Input", "RAW Load As", &S::RAWLoadAs, kFormat, "raw"},
    {"Input", "RAW Header Size", &S::RAWHeaderSize, kFormat, "raw"},
    {"Input", "RAW Image Width", &S::RAWImageWidth, kFormat, "raw"},
    {"Input", "RAW Image Height", &S::RAWImageHeight, kFormat, "raw"},
    {"Input", "RAW Tone Mapping", &S::RAWToneMapping, kFormat, "raw"},
    {"Input", "TIFF Frame Loading", &S::TIFFFrameLoading, kFormat, "tiff"},

    {"Output", "Format", &S::OutputFormat},
    {"Output", "BMP BPP", &S::BMPBPP, kFormat, "bmp"},
    {"Output", "BMP Compression", &S::BMPCompression, kFormat, "bmp"},
    {"Output", "BMP Color Table", &S::BMPColorTable, kFormat, "bmp"},
    {"Output", "DDS BPP", &S::DDSBPP, kFormat, "dds"},
    {"Output", "EXR BPP", &S::EXRBPP, kFormat, "exr"},
    {"Output", "EXR Compression", &S::EXRCompression, kFormat, "exr"},
    {"Output", "GIF BPP", &S::GIFBPP, kFormat, "gif"},
    {"Output", "HDR BPP", &S::HDRBPP, kFormat, "hdr"},
    {"Output", "ICO BPP", &S::ICOBPP, kFormat, "ico"},
    {"Output", "J2K BPP", &S::J2KBPP, kFormat, "j2k"},
    {"Output", "JNG BPP", &S::JNGBPP, kFormat, "jng"},
    {"Output", "JP2 BPP", &S::JP2BPP, kFormat, "jp2"},
    {"Output", "JPG BPP", &S::JPGBPP, kFormat, "jpg"},
    {"Output", "JPG Quality", &S::JPGQuality, kFormat, "jpg"},
    {"Output", "JPG Chroma", &S::JPGChroma, kFormat, "jpg"},
    {"Output", "JPG Save As", &S::JPGSaveAs, kFormat, "jpg"},
    {"Output", "JXR BPP", &S::JXRBPP, kFormat, "jxr"},
    {"Output", "PBM BPP", &S::PBMBPP, kFormat, "pbm"},
    {"Output", "PCX BPP", &S::PCXBPP, kFormat, "pcx"},
    {"Output", "PFM BPP", &S::PFMBPP, kFormat, "pfm"},
    {"Output", "PGM BPP", &S::PGMBPP, kFormat, "pgm"},
    {"Output", "PNG BPP", &S::PNGBPP, kFormat, "png"},
    {"Output", "PNG Compression", &S::PNGCompression, kFormat, "png"},
    {"Output", "PNG Interlaced", &S::PNGInterlaced, kFormat, "png"},
    {"Output", "PPM BPP", &S::PPMBPP, kFormat, "ppm"},
    {"Output", "PSD BPP", &S::PSDBPP, kFormat, "psd"},
    {"Output", "TGA BPP", &S::TGABPP, kFormat, "tga"},
    {"Output", "TGA Compression", &S::TGACompression, kFormat, "tga"},
    {"Output", "TIFF BPP", &S::TIFFBPP, kFormat, "tiff"},
    {"Output", "TIFF Compression", &S::TIFFCompression, kFormat, "tiff"},
    {"Output", "TIFF Color Mode", &S::TIFFColorMode, kFormat, "tiff"},
    {"Output", "WBMP BPP", &S::WBMPBPP, kFormat, "wbmp"},
    {"Output", "WEBP BPP", &S::WEBPBPP, kFormat, "webp"},
    {"Output", "WEBP Quality", &S::WEBPQuality, kFormat, "webp"},
    {"Output", "XPM BPP", &S::XPMBPP, kFormat, "xpm"},

    {"Transform", "Do Image Rotation", &S::DoImageRotation},
    {"Transform", "Image Rotation Type", &S::ImageRotationType},
    {"Transform", "Image Rotation", &S::TransformImageRotation},
    {"Transform", "Image Rotation Back Color", &S::ImageRotationBackColor},
    {"Transform", "Do Image Resize", &S::DoImageResize},
    {"Transform", "Image Width", &S::ImageWidth},
    {"Transform", "Image Width Unit", &S::ImageWidthUnit},
    {"Transform", "Image Height", &S::ImageHeight},
    {"Transform", "Image Height Unit", &S::ImageHeightUnit},
    {"Transform", "Keep Aspect Ratio", &S::KeepAspectRatio},
    {"Transform", "Image Resize Type", &S::ImageResizeType},
    {"Transform", "Image Resize Algorithm", &S::ImageResizeAlgorithm},
    {"Transform", "Do Image Flip Horizontal", &S::DoImageFlipHorizontal},
    {"Transform", "Do Image Flip Vertical", &S::DoImageFlipVertical},

    {"Adjustment", "Do Image Color Correction", &S::DoImageColorCorrection},
    {"Adjustment", "Image Brightness", &S::ImageBrightness},
    {"Adjustment", "Image Contrast", &S::ImageContrast},
    {"Adjustment", "Image Gamma", &S::ImageGamma},
    {"Adjustment", "Image Invert", &S::ImageInvert},
    {"Adjustment", "Do Image Greyscale", &S::DoImageGreyscale},
    {"Adjustment", "Do Image Threshold", &S::DoImageThreshold},
    {"Adjustment", "Image Threshold", &S::ImageThreshold},
    {"Adjustment", "Do Image Dither", &S::DoImageDither},
    {"Adjustment", "Image Dither Algorithm", &S::ImageDitherAlgorithm},

    {"Frame", "Do Frame", &S::DoFrame},
    {"Frame", "Solid Left", &S::SolidLeft},
    {"Frame", "Solid Right", &S::SolidRight},
    {"Frame", "Solid Top", &S::SolidTop},
    {"Frame", "Solid Bottom", &S::SolidBottom},
    {"Frame", "Solid Left Color", &S::SolidLeftColor},
    {"Frame", "Solid Right Color", &S::SolidRightColor},
    {"Frame", "Solid Top Color", &S::SolidTopColor},
    {"Frame", "Solid Bottom Color", &S::SolidBottomColor},
    {"Frame", "Solid Opacity", &S::SolidOpacity},

    {"Watermark", "Do Watermark", &S::DoWatermark},
    {"Watermark", "Text", &S::WatermarkText},
    {"Watermark", "Fonts", &S::Fonts},
    {"Watermark", "Font", &S::WatermarkFont},
    {"Watermark", "Font Size", &S::FontSize},
    {"Watermark", "Font Leading", &S::FontLeading},
    {"Watermark", "Font Colors", &S::FontColors},
    {"Watermark", "Font Color", &S::FontColor},
    {"Watermark", "Font Style", &S::FontStyle},
    {"Watermark", "Font Effect", &S::FontEffect},
    {"Watermark", "Text Antialiasing", &S::TextAntialiasing},
    {"Watermark", "Text Alignment", &S::TextAlignment},
    {"Watermark", "Text Padding", &S::TextPadding},
    {"Watermark", "Text Opacity", &S::TextOpacity},
    {"Watermark", "Back Colors", &S::BackColors},
    {"Watermark", "Back Color", &S::BackColor},
    {"Watermark", "Back Opacity", &S::BackOpacity},
    {"Watermark", "Text Boundary", &S::TextBoundary},
    {"Watermark", "Text Position", &S::TextPosition},
    {"Watermark", "Text X Offset", &S::TextXOffset},
    {"Watermark", "Text Y Offset", &S::TextYOffset},
    {"Watermark", "Text Rotation", &S::TextRotation},
    {"Watermark", "Text Size", &S::TextSize},
    {"Watermark", "Text Scale", &S::TextScale},
    {"Watermark", "Image", &S::WatermarkImage},
    {"Watermark", "Image Greyscale", &S::ImageGreyscale},
    {"Watermark", "Image Opacity", &S::ImageOpacity},
    {"Watermark", "Image Boundary", &S::ImageBoundary},
    {"Watermark", "Image Position", &S::ImagePosition},
    {"Watermark", "Image X Offset", &S::ImageXOffset},
    {"Watermark", "Image Y Offset", &S::ImageYOffset},
    {"Watermark", "Image Rotation", &S::WatermarkImageRotation},
    {"Watermark", "Image Size", &S::ImageSize},
    {"Watermark", "Image Scale", &S::ImageScale},

    {"Advanced", "Filename Mask", &S::FilenameMask},
    {"Advanced", "File Timestamp", &S::FileTimestamp},
    {"Advanced", "Custom Timestamp", &S::CustomTimestamp},
    {"Advanced", "Out Folders History", &S::OutFoldersHistory},
    {"Advanced", "Out Folders Number", &S::OutFoldersNumber},
    {"Advanced", "Keep Subfolders", &S::KeepSubfolders},

    {"File", "Recent Out Folders", &S::RecentOutFolders},
    {"File", "Recent Files", &S::RecentFiles},
    // The list delimiter is only ever set by editing the file by hand.
    {"File", "CsvDelimiter", &S::CsvDelimiter, SettingsKeyWrite::Never},

    {"Privacy", "Clean Recent Files", &S::CleanRecentFiles},
};

constexpr std::string_view kGroups[] = {
    "General",    "Window", "Interface", "Input",    "Output", "Transform",
    "Adjustment", "Frame",  "Watermark", "Advanced", "File",   "Privacy",
};

}  // namespace

std::span<const SettingsKey> SettingsKeys() {
  return kKeys;
}

std::span<const std::string_view> SettingsGroups() {
  return kGroups;
}

}  // namespace pictavo
