#include "support/psd_decode.h"

namespace pictavo::test_support {

Bitmap DecodePsd(const std::vector<uint8_t>& bytes, int flags) {
  FIMEMORY* mem =
      FreeImage_OpenMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  if (mem == nullptr) return Bitmap();
  Bitmap image(FreeImage_LoadFromMemory(FIF_PSD, mem, flags));
  FreeImage_CloseMemory(mem);
  return image;
}

}  // namespace pictavo::test_support
