// The PSD validator on arbitrary buffers, and its promise to the loader: a
// document it accepts is one FreeImage reads without harm, into a bitmap of
// the size the header declares.

#include <FreeImage.h>

#include <limits>

#include "formats/format_settings.h"
#include "formats/psd_validator.h"
#include "fuzz_target.h"
#include "settings/defaults.h"

namespace pictavo::fuzz {
namespace {

// Small enough that an accepted document decodes quickly, large enough for
// every document a fuzzer input of a few kilobytes can describe.
constexpr uint64_t kBudget = 64ull << 20;

uint32_t BigEndian(const uint8_t* at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | at[i];
  return value;
}

// Coverage of the validator alone rewards the first accepted document and
// no other, so few inputs would ever reach FreeImage. In the fuzz build these
// counters add a feature per kind of accepted document (mode, depth,
// compression, version, channel count, and whether FreeImage decoded it),
// which keeps one of each kind in the corpus to mutate further.
#ifdef PICTAVO_FUZZ_ENTRY_POINTS
__attribute__((used, section("__libfuzzer_extra_counters")))
#endif
uint8_t accepted_kinds[2][10][4][2][2 + 57];

void CountAcceptedKind(const PsdHeader& h, uint16_t compression, bool decoded) {
  const int depth = h.depth == 1 ? 0 : h.depth == 8 ? 1 : h.depth == 16 ? 2 : 3;
  uint8_t* kind = accepted_kinds[decoded][h.mode % 10][depth][h.version - 1];
  kind[compression & 1] = 1;
  kind[2 + h.channels % 57] = 1;
}

// The loader's flags follow the PSD Color Mode setting (default, CMYK, Lab);
// the input's length picks one, so every mode is tried.
int LoadFlags(size_t size) {
  static const Settings defaults = [] {
    Settings s;
    ApplyDefaults(s, FormatTables{}, /*command_line=*/true);
    return s;
  }();
  Settings settings = defaults;
  settings.PSDColorMode = static_cast<int32_t>(size % 3);
  return InputLoadFlags("psd", settings);
}

}  // namespace

int FuzzPsdValidator(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const PsdValidation result = ValidatePsd(bytes, kBudget);
  FUZZ_CHECK(result.ok == result.reason.empty());
  FUZZ_CHECK(!result.ok || result.header_read);

  if (result.header_read) {
    const PsdHeader& h = result.header;
    FUZZ_CHECK(size >= 26);
    FUZZ_CHECK(h.version == BigEndian(data + 4, 2) && h.channels == BigEndian(data + 12, 2) &&
               h.height == BigEndian(data + 14, 4) && h.width == BigEndian(data + 18, 4) &&
               h.depth == BigEndian(data + 22, 2) && h.mode == BigEndian(data + 24, 2));
    FUZZ_CHECK(result.decoded_bytes == EstimateDecodedBytes(h));
  }

  // The budget only ever refuses more: without one, everything accepted
  // stays accepted, and a refusal that is not the budget's stays.
  const PsdValidation unlimited = ValidatePsd(bytes, std::numeric_limits<uint64_t>::max());
  if (result.ok) FUZZ_CHECK(unlimited.ok);
  if (unlimited.ok && unlimited.decoded_bytes <= kBudget) FUZZ_CHECK(result.ok);
  if (!result.ok) return 0;

  const PsdHeader& h = result.header;
  const uint32_t max_side = h.version == 2 ? 300000 : 30000;
  FUZZ_CHECK(h.version == 1 || h.version == 2);
  FUZZ_CHECK(h.channels >= 1 && h.channels <= 56);
  FUZZ_CHECK(h.width >= 1 && h.width <= max_side && h.height >= 1 && h.height <= max_side);
  FUZZ_CHECK(h.depth == 1 || h.depth == 8 || h.depth == 16 || h.depth == 32);
  FUZZ_CHECK(result.decoded_bytes <= kBudget);
  FUZZ_CHECK(result.compression == 0 || result.compression == 1);

  FIMEMORY* memory = FreeImage_OpenMemory(const_cast<uint8_t*>(data), static_cast<DWORD>(size));
  FIBITMAP* image = FreeImage_LoadFromMemory(FIF_PSD, memory, LoadFlags(size));
  if (image != nullptr) {
    FUZZ_CHECK(FreeImage_GetWidth(image) == h.width && FreeImage_GetHeight(image) == h.height);
    FreeImage_Unload(image);
  }
  FreeImage_CloseMemory(memory);
  CountAcceptedKind(h, result.compression, image != nullptr);
  return 0;
}

}  // namespace pictavo::fuzz

PICTAVO_FUZZ_ENTRY(pictavo::fuzz::FuzzPsdValidator)
