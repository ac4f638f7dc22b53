// Writes the seed corpora of the fuzz targets: make_fuzz_seeds <folder>
// creates <folder>/<target>/ with a few small inputs each. Documents come from
// the PSD fixture writer, so every seed is a file the real loader accepts and
// the fuzzer starts from the formats' real structure.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/keywords.h"
#include "app/long_options.h"
#include "settings/defaults.h"
#include "settings/settings_file.h"
#include "support/psd_corruptions.h"
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

// The file the program writes from its defaults, and an old one that the
// reader brings up to date.
bool SettingsFileSeeds(const fs::path& folder) {
  const pictavo::FormatTables formats;
  pictavo::Settings settings;
  pictavo::ApplyDefaults(settings, formats, /*command_line=*/false);
  bool ok = Write(folder, "defaults.ini", pictavo::SettingsFileText(settings, formats));
  ok &= Write(folder, "version10.ini",
              "[General]\nCFG=10\n[Input]\nPSD Color Model=2\n[Advanced]\nFilename Mask=%name%\n"
              "[File]\nCsvDelimiter=tab\n"sv);
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

// A value of the option's kind that the option accepts.
std::string SampleValue(const pictavo::LongOption& option) {
  switch (option.kind) {
    case pictavo::ValueKind::Integer:
      return "$1F";
    case pictavo::ValueKind::Decimal:
      return "-1.5e1";
    case pictavo::ValueKind::Keyword:
      return pictavo::KeywordOf(option.list, 1);
    case pictavo::ValueKind::Text:
      return "\"%yyyy% x\"";
    case pictavo::ValueKind::Switch:
      return "";
  }
  return "";
}

// The text before the first NUL is a profile, the rest the arguments; the
// argument "--profile=@" names that profile.
bool CommandLineSeeds(const fs::path& folder) {
  bool ok = Write(folder, "run.args",
                  "\0-i\0/images/a.psd\0-o\0/tmp/out/\0-c\0jpg\0--jpg-quality=95\0-q"sv);
  ok &= Write(folder, "profile.args",
              "[CLI]\n--JPG-QUALITY = 80\n--WM-TEXT=\"a b\"\n--WIDTH=50\n"
              "\0-i\0/images/\0--profile=@\0--width-unit=percent\0-d\0-p"sv);
  ok &= Write(folder, "missing_value.args", "\0-i\0--output=x\0--input=\0-o"sv);

  // Every option once, on the command line and in a profile.
  std::string arguments;
  std::string profile = "[CLI]\n";
  for (const pictavo::LongOption& option : pictavo::LongOptionTable()) {
    const std::string name(option.name);
    const std::string value = SampleValue(option);
    if (option.flags & pictavo::kOnCommandLine) {
      arguments += '\0' + name;
      if (option.kind != pictavo::ValueKind::Switch) arguments += "=" + value;
    }
    if (option.flags & pictavo::kInProfile) profile += name + "=" + value + "\n";
  }
  ok &= Write(folder, "every_option.args", arguments);
  ok &= Write(folder, "every_profile_key.args", profile + std::string("\0--profile=@", 13));
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
  // The damaged documents the validator's tests refuse: each sits next to a
  // boundary of some check.
  for (const auto& corruption : pictavo::test_support::MakePsdCorruptions()) {
    ok &= pictavo::test_support::WriteFile((folder / (corruption.name + ".psd")).string(),
                                           corruption.bytes);
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
      {"command_line_fuzz", CommandLineSeeds}, {"ini_file_fuzz", IniSeeds},
      {"list_file_fuzz", ListSeeds},           {"settings_file_fuzz", SettingsFileSeeds},
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
