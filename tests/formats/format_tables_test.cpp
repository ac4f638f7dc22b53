#include "formats/format_tables.h"

#include <gtest/gtest.h>

#include <set>

namespace pictavo {
namespace {

TEST(InputFormatTableTest, HoldsSeventyNineUniqueLowerCaseExtensionsUnderSixteenKeys) {
  FormatTables formats;
  EXPECT_EQ(formats.InputFormatTable.size(), 79u);
  std::set<std::string_view> extensions, keys;
  for (const InputFormatRow& row : formats.InputFormatTable) {
    EXPECT_TRUE(extensions.insert(row.extension).second) << row.extension;
    keys.insert(row.format);
    for (char c : row.extension) EXPECT_FALSE(c >= 'A' && c <= 'Z') << row.extension;
    EXPECT_FALSE(row.description.empty());
  }
  EXPECT_EQ(keys.size(), 16u);
}

TEST(InputFormatTableTest, RowsNameTheirFormatKeyAndDescription) {
  struct Case {
    const char* extension;
    const char* format;
    const char* description;
  };
  const Case cases[] = {
      {"psd", "psd", "Adobe Photoshop File"},     {"jif", "jpg", "JPEG File"},
      {"apm", "wmf", "Aldus Placeable Metafile"}, {"wmz", "wmf", "Windows Metafile Format"},
      {"cr2", "raw", "Canon Camera RAW Image"},   {"raw2", "raw", "Camera RAW Image"},
      {"dcs", "raw", "Kodak Camera RAW Image"},   {"rwl", "raw", "Leica Camera RAW Image"},
      {"targa", "tga", "Truevision Targa"},       {"dib", "bmp", "Windows or OS/2 Bitmap"},
  };
  FormatTables formats;
  for (const Case& c : cases) {
    const InputFormatRow* row = FindInputFormat(formats, c.extension);
    ASSERT_NE(row, nullptr) << c.extension;
    EXPECT_EQ(row->format, c.format) << c.extension;
    EXPECT_EQ(row->description, c.description) << c.extension;
  }
  EXPECT_EQ(FindInputFormat(formats, "PSD"), nullptr);  // exact comparison
  EXPECT_EQ(FindInputFormat(formats, "webp"), nullptr);
}

TEST(SupportedExtensionsTest, ThisBuildAcceptsOnlyPsd) {
  FormatTables formats;
  EXPECT_EQ(formats.SupportedExtensions, (std::vector<std::string>{"psd"}));
  EXPECT_TRUE(IsSupportedExtension(formats, "psd"));
  EXPECT_FALSE(IsSupportedExtension(formats, "PSD"));  // callers lower-case first
  EXPECT_FALSE(IsSupportedExtension(formats, "jpg"));
  EXPECT_FALSE(IsSupportedExtension(formats, ""));
}

TEST(SupportedExtensionsTest, FollowTheEnabledKeysInOrderWithTheirExtensionsInTableOrder) {
  struct Case {
    std::vector<std::string> enabled;
    std::vector<std::string> extensions;
  };
  const Case cases[] = {
      {{"psd", "jpg"}, {"psd", "jpg", "jpeg", "jpe", "jif"}},
      {{"wmf", "psd"}, {"wmf", "wmz", "apm", "psd"}},
      {{"nosuchkey"}, {}},
      // No enabled key gives no extension at all, not one empty extension
      // that would accept every file without a dot in its name.
      {{}, {}},
  };
  for (const Case& c : cases) {
    FormatTables formats;
    formats.EnabledInputFormats = c.enabled;
    BuildSupportedExtensions(formats);
    EXPECT_EQ(formats.SupportedExtensions, c.extensions);
    EXPECT_FALSE(IsSupportedExtension(formats, ""));
  }
}

TEST(OutputFormatTableTest, RowsCarryFreeImageNumbersAndAscendingDepths) {
  struct Case {
    const char* key;
    int32_t fif;
    const char* depths;
  };
  // FreeImage's own format numbers, written out so a wrong constant shows.
  const Case cases[] = {
      {"bmp", 0, "1,4,8,16,24,32"},
      {"exr", 29, "96"},
      {"gif", 25, "8"},
      {"hdr", 26, "96"},
      {"ico", 1, "1,4,8,16,24,32"},
      {"j2k", 30, "8,24,32,48"},
      {"jng", 3, "24,32"},
      {"jp2", 31, "8,24,32,48"},
      {"jpg", 2, "8,24"},
      {"jxr", 36, "1,8,16,24,32,48,96"},
      {"pbm", 7, "1"},
      {"pfm", 32, "96"},
      {"pgm", 11, "8"},
      {"png", 13, "1,4,8,24,32,48"},
      {"ppm", 14, "24,48"},
      {"tga", 17, "8,16,24,32"},
      {"tiff", 18, "1,4,8,24,32,48,96"},
      {"wbmp", 19, "1"},
      {"webp", 35, "24,32"},
      {"xpm", 23, "24"},
  };
  FormatTables formats;
  ASSERT_EQ(formats.OutputFormatTable.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const OutputFormatRow& row = formats.OutputFormatTable[i];  // order of entry
    EXPECT_EQ(row.key, cases[i].key);
    EXPECT_EQ(row.extension, row.key);
    EXPECT_EQ(row.freeImageFormat, cases[i].fif) << row.key;
    EXPECT_EQ(row.depths, cases[i].depths) << row.key;
  }
  EXPECT_EQ(FindOutputFormat(formats, "jpg")->description, "JPEG File Format");
  EXPECT_EQ(FindOutputFormat(formats, "psd"), nullptr);  // a setting, never an output
}

TEST(OutputFormatTableTest, OnlyLowerCaseJpgIsEnabled) {
  FormatTables formats;
  EXPECT_TRUE(IsEnabledOutputFormat(formats, "jpg"));
  EXPECT_FALSE(IsEnabledOutputFormat(formats, "JPG"));
  EXPECT_FALSE(IsEnabledOutputFormat(formats, "png"));  // has a row, not enabled
  EXPECT_FALSE(IsEnabledOutputFormat(formats, ""));
}

TEST(OutputFormatTableTest, PermittedDepthsMatchWholeListEntries) {
  struct Case {
    const char* key;
    int bpp;
    bool permitted;
  };
  const Case cases[] = {
      {"jpg", 0, true},   {"jpg", 8, true},   {"jpg", 24, true},
      {"jpg", 32, false}, {"jpg", 16, false}, {"png", 48, true},
      {"png", 16, false}, {"tiff", 96, true}, {"jpg", 2, false},  // a digit of "24" is not an entry
      {"jxr", 6, false},  {"tiff", 9, false}, {"bmp", 1, true},
      {"xpm", 24, true},  {"jpg", -8, false}, {"psd", 8, false},  // no row: only automatic
      {"psd", 0, true},
  };
  FormatTables formats;
  for (const Case& c : cases)
    EXPECT_EQ(IsPermittedDepth(formats, c.key, c.bpp), c.permitted) << c.key << " " << c.bpp;
}

}  // namespace
}  // namespace pictavo
