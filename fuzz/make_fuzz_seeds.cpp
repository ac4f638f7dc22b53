// Writes the seed corpora of the fuzz targets: make_fuzz_seeds <folder>
// creates <folder>/<target>/ with a few small inputs each. Documents come from
// the PSD fixture writer, so every seed is a file the real loader accepts and
// the fuzzer starts from the formats' real structure.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/psd_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using pictavo::test_support::PsdCompression;
using pictavo::test_support::PsdMode;
using pictavo::test_support::PsdSpec;
using pictavo::test_support::PsdThumbnail;

bool Write(const fs::path& folder, const std::string& name, std::string_view bytes) {
  return pictavo::test_support::WriteFile((folder / name).string(),
                                          std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

bool IniSeeds(const fs::path& folder) {
  bool ok = Write(folder, "settings.ini",
                  "; written by Pictavo\r\n[Output]\r\nFormat=jpg\r\nJPG Quality = 90\r\n"
                  "[Resize]\r\nDo Image Resize=1\r\nGamma=1.5e0\r\n"sv);
  ok &= Write(folder, "profile.ini", "[CLI]\nJPG-QUALITY=75\nWATERMARK-TEXT=\"a = b\"\n"sv);
  ok &= Write(folder, "bom.ini",
              "\xEF\xBB\xBF[Gr\xC3\xBC\xC3\x9F"
              "e]\nKey=-Infinity\n"sv);
  ok &= Write(folder, "latin1.ini", "  [cli\nkey\r[CLI]\n\tk=\xE9\xFF\n=x\nk=2147483648\n"sv);
  return ok;
}

bool ListSeeds(const fs::path& folder) {
  bool ok = Write(folder, "plain.txt", "/images/a.psd\n  /images/b c.psd \r\n\n/images/\n"sv);
  ok &= Write(folder, "bom.lst", "\xEF\xBB\xBF/bilder/\xC3\xA4.psd\r\n"sv);
  ok &= Write(folder, "utf16le.txt", "\xFF\xFE/\0a\0\n\0=\xD8\x00\xDF\r\0\n\0"sv);
  ok &= Write(folder, "utf16be.txt", "\xFE\xFF\0/\0b\xD8\x3D\xDE\x00\0\n"sv);
  ok &= Write(folder, "utf32.txt", "\xFF\xFE\0\0/x.psd\n"sv);
  return ok;
}

bool PsdSeeds(const fs::path& folder) {
  struct Seed {
    const char* name;
    PsdSpec spec;
  };
  std::vector<Seed> seeds;
  const auto add = [&](const char* name, auto&& edit) {
    PsdSpec spec;
    spec.width = 5;
    spec.height = 3;
    edit(spec);
    seeds.push_back({name, spec});
  };
  add("rgb8_raw.psd", [](PsdSpec&) {});
  add("rgb8_rle_alpha.psd", [](PsdSpec& s) {
    s.compression = PsdCompression::kRle;
    s.alpha = true;
  });
  add("grey16_rle.psd", [](PsdSpec& s) {
    s.mode = PsdMode::kGreyscale;
    s.depth = 16;
    s.compression = PsdCompression::kRle;
  });
  add("rgb32.psd", [](PsdSpec& s) { s.depth = 32; });
  add("bitmap1.psd", [](PsdSpec& s) {
    s.mode = PsdMode::kBitmap;
    s.depth = 1;
    s.width = 11;
  });
  add("indexed8.psd", [](PsdSpec& s) { s.mode = PsdMode::kIndexed; });
  add("cmyk8_rle.psd", [](PsdSpec& s) {
    s.mode = PsdMode::kCmyk;
    s.compression = PsdCompression::kRle;
  });
  add("lab16.psd", [](PsdSpec& s) {
    s.mode = PsdMode::kLab;
    s.depth = 16;
  });
  add("duotone8.psd", [](PsdSpec& s) { s.mode = PsdMode::kDuotone; });
  add("multichannel8.psd", [](PsdSpec& s) { s.mode = PsdMode::kMultichannel; });
  add("layer_rle.psd", [](PsdSpec& s) {
    s.with_layer = true;
    s.compression = PsdCompression::kRle;
  });
  add("large_format.psd", [](PsdSpec& s) {
    s.version = 2;
    s.with_layer = true;
    s.compression = PsdCompression::kRle;
  });
  add("thumbnail_jpeg.psd", [](PsdSpec& s) { s.thumbnail = PsdThumbnail::kJpeg; });
  add("thumbnail_raw.psd", [](PsdSpec& s) { s.thumbnail = PsdThumbnail::kRaw; });
  add("no_resources.psd", [](PsdSpec& s) { s.with_resources = false; });

  bool ok = true;
  for (const Seed& seed : seeds) {
    const auto pixels = pictavo::test_support::GreyRampPixels(seed.spec);
    const std::vector<uint8_t> bytes = pictavo::test_support::WritePsd(seed.spec, pixels);
    ok &= pictavo::test_support::WriteFile((folder / seed.name).string(), bytes);
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  struct Corpus {
    const char* target;
    bool (*write)(const fs::path&);
  };
  const Corpus corpora[] = {
      {"ini_file_fuzz", IniSeeds},
      {"list_file_fuzz", ListSeeds},
      {"psd_validator_fuzz", PsdSeeds},
  };
  for (const Corpus& corpus : corpora) {
    const fs::path folder = root / corpus.target;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !corpus.write(folder)) {
      std::fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", folder.c_str());
      return 1;
    }
  }
  return 0;
}
