#include "pipeline/load.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "formats/format_settings.h"
#include "formats/psd_validator.h"

namespace pictavo {
namespace {

// FreeImage says only "no" when a file cannot be opened; say why.
bool CanOpen(const std::string& path, std::string& failure) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    failure = std::string("cannot open the file: ") + std::strerror(errno);
    return false;
  }
  close(fd);
  return true;
}

}  // namespace

int DocumentLoadFlags(const Settings& settings) {
  // Every output of this build is an RGB JPEG. Loaded with PSD_CMYK or
  // PSD_LAB, FreeImage hands over the raw inks or Lab values, which nothing
  // later turns back into RGB: pure red would be saved as yellow. The colour
  // model choice stays in the settings, but documents are always decoded to
  // RGB.
  return InputLoadFlags("psd", settings) & ~(PSD_CMYK | PSD_LAB);
}

Bitmap LoadDocument(const Settings& settings, const std::string& path, std::string& failure) {
  if (!CanOpen(path, failure)) return Bitmap();

  // FreeImage trusts the sizes a document declares; the validator reads the
  // structure first and refuses what FreeImage would mishandle, and documents
  // whose pixels would exceed the memory budget.
  const PsdValidation validation = ValidatePsdFile(path, settings);
  if (!validation.ok) {
    failure = validation.reason;
    return Bitmap();
  }

  Bitmap image(FreeImage_Load(FIF_PSD, path.c_str(), DocumentLoadFlags(settings)));
  if (!image) {
    failure = "FreeImage could not read the file as a Photoshop document";
    return image;
  }
  if (image.Width() == 0 || image.Height() == 0) {
    failure = "the document has no pixels";
  }
  return image;
}

}  // namespace pictavo
