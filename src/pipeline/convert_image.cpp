#include "pipeline/convert_image.h"

#include "batch/output_naming.h"
#include "decor/frame.h"
#include "decor/watermark.h"
#include "formats/psd_validator.h"
#include "pipeline/colour.h"
#include "pipeline/geometry.h"
#include "pipeline/load.h"
#include "pipeline/normalise.h"
#include "pipeline/output_depth.h"
#include "pipeline/save.h"

namespace pictavo {
namespace {

// Notes which step lost the image, the first time one does; later steps pass
// the missing image on and the save refuses it.
void NoteLoss(const Bitmap& image, const char* what, std::string& failure) {
  if (!image && failure.empty()) failure = what;
}

}  // namespace

Bitmap RenderImage(const Settings& settings, const RunState& run, const DecorResources& decor,
                   FileJob& file) {
  file.loadedBpp = 0;
  file.outputBpp = run.OutputBpp;
  file.resultWidth = 0;
  file.resultHeight = 0;
  file.outputPath.clear();
  file.failure.clear();

  Bitmap image = LoadDocument(settings, file.inputPath, file.failure);
  file.loadedBpp = static_cast<int32_t>(image.Bpp());
  if (image.Width() == 0 || image.Height() == 0) return Bitmap();

  image = ApplyRotation(std::move(image), settings);
  NoteLoss(image, "the image could not be rotated", file.failure);
  const std::optional<ResizedSize> resized =
      ResizeOf(settings, static_cast<int>(image.Width()), static_cast<int>(image.Height()));
  if (image && resized && ResizedBytes(*resized, image.Bpp()) > PixelBudgetBytes(settings))
    file.failure = "the resized image would be larger than the memory budget";
  image = ApplyResize(std::move(image), settings);
  NoteLoss(image, "the image could not be resized", file.failure);

  // The size after resizing and this file's depth, before any later step:
  // the frame, the watermark text and the output name all read them.
  const int width = static_cast<int>(image.Width());
  const int height = static_cast<int>(image.Height());
  file.resultWidth = width;
  file.resultHeight = height;
  if (run.AutoBpp) file.outputBpp = ChooseAutoDepth(run.OutputExtension, file.loadedBpp);

  image = NormaliseGrey(std::move(image));
  NoteLoss(image, "the greyscale image could not be scaled to 8 bits", file.failure);
  image = ToneMapDeepColour(std::move(image));
  NoteLoss(image, "the image could not be tone-mapped to 8 bits per channel", file.failure);

  image = ApplyFlip(std::move(image), settings);
  image = ApplyColorAdjustment(std::move(image), settings);
  NoteLoss(image, "the colours could not be adjusted", file.failure);
  image = ApplyGreyscale(std::move(image), settings);
  NoteLoss(image, "the image could not be made greyscale", file.failure);
  image = ApplyThreshold(std::move(image), settings);
  NoteLoss(image, "the threshold could not be applied", file.failure);
  image = ApplyDither(std::move(image), settings);
  NoteLoss(image, "the image could not be dithered", file.failure);
  image = ApplyFrame(std::move(image), settings, width, height);
  NoteLoss(image, "the frame could not be drawn", file.failure);
  image = ApplyWatermark(std::move(image), settings, run, file, decor, width, height);
  NoteLoss(image, "the watermark could not be drawn", file.failure);
  image = ConvertToOutputDepth(std::move(image), run.OutputExtension, file.outputBpp);
  NoteLoss(image, "the image could not be converted to the output depth", file.failure);

  file.outputPath = BuildOutputPath(settings, run, file);
  return image;
}

bool ConvertImage(const Settings& settings, const RunState& run, const DecorResources& decor,
                  FileJob& file) {
  Bitmap image = RenderImage(settings, run, decor, file);
  if (file.outputPath.empty()) return false;  // nothing was loaded
  return SaveImage(image, run.OutputFif, run.SaveFlags, file.outputPath, file.failure);
}

}  // namespace pictavo
