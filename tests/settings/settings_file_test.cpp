#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "settings/defaults.h"
#include "settings/settings_keys.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("pictavo-settings-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    settings_.SettingsPath = (folder_ / "config.ini").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Settings read from the given file contents.
  Settings ReadFrom(std::string_view bytes) {
    WriteBytes(settings_.SettingsPath, bytes);
    Settings read;
    read.SettingsPath = settings_.SettingsPath;
    EXPECT_TRUE(ReadSettingsFile(read, formats_));
    return read;
  }

  size_t FilesInFolder() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
  FormatTables formats_;
  Settings settings_;
};

TEST_F(SettingsFileTest, DefaultsAreWrittenInTheExactForm) {
  ApplyDefaults(settings_, formats_, /*command_line=*/false);
  settings_.UpdateDate = 1000;
  settings_.CustomTimestamp = 2000;
  const std::string colors = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";
  const std::string expected =
      "\xEF\xBB\xBF\r\n"
      "[General]\r\nCFG = 19\r\nLanguage = en\r\nUpdate Range = 2\r\nUpdate Date = 1000\r\n"
      "Save Window Position = 1\r\n; \r\n"
      "[Window]\r\nIsMaximized = 0\r\nWidth = 510\r\nHeight = 330\r\nX = 100\r\nY = 100\r\n; \r\n"
      "[Interface]\r\nUI Theme = handdrawn\r\nUI Size = 2\r\n; \r\n"
      "[Input]\r\nFormat = psd\r\nPSD Color Mode = 0\r\n; \r\n"
      "[Output]\r\nFormat = jpg\r\nJPG BPP = 0\r\nJPG Quality = 95\r\nJPG Chroma = 0\r\n"
      "JPG Save As = 0\r\n; \r\n"
      "[Transform]\r\nDo Image Rotation = 0\r\nImage Rotation Type = 0\r\nImage Rotation = 0\r\n"
      "Image Rotation Back Color = 000000\r\nDo Image Resize = 0\r\nImage Width = 0\r\n"
      "Image Width Unit = 0\r\nImage Height = 0\r\nImage Height Unit = 0\r\n"
      "Keep Aspect Ratio = 1\r\nImage Resize Type = 0\r\nImage Resize Algorithm = 3\r\n"
      "Do Image Flip Horizontal = 0\r\nDo Image Flip Vertical = 0\r\n; \r\n"
      "[Adjustment]\r\nDo Image Color Correction = 0\r\nImage Brightness = 0\r\n"
      "Image Contrast = 0\r\nImage Gamma = 1.000000\r\nImage Invert = 0\r\n"
      "Do Image Greyscale = 0\r\nDo Image Threshold = 0\r\nImage Threshold = 0\r\n"
      "Do Image Dither = 0\r\nImage Dither Algorithm = 0\r\n; \r\n"
      "[Frame]\r\nDo Frame = 0\r\nSolid Left = 0\r\nSolid Right = 0\r\nSolid Top = 0\r\n"
      "Solid Bottom = 0\r\nSolid Left Color = 000000\r\nSolid Right Color = 000000\r\n"
      "Solid Top Color = 000000\r\nSolid Bottom Color = 000000\r\nSolid Opacity = 255\r\n; \r\n"
      "[Watermark]\r\nDo Watermark = 0\r\nText = " +
      std::string(kCopyrightNotice) +
      "\r\nFonts = Arial,Tahoma,Verdana\r\nFont = Arial\r\nFont Size = 14\r\n"
      "Font Leading = 0\r\nFont Colors = " +
      colors +
      "\r\nFont Color = FFFFFF\r\nFont Style = 0\r\nFont Effect = 0\r\n"
      "Text Antialiasing = 0\r\nText Alignment = 0\r\nText Padding = 0\r\nText Opacity = 255\r\n"
      "Back Colors = " +
      colors +
      "\r\nBack Color = 000000\r\nBack Opacity = 1\r\nText Boundary = 0\r\n"
      "Text Position = 8\r\nText X Offset = 10\r\nText Y Offset = 10\r\nText Rotation = 0\r\n"
      "Text Size = 0\r\nText Scale = 10\r\nImage = \r\nImage Greyscale = 0\r\n"
      "Image Opacity = 255\r\nImage Boundary = 0\r\nImage Position = 8\r\n"
      "Image X Offset = 10\r\nImage Y Offset = 10\r\nImage Rotation = 0\r\nImage Size = 0\r\n"
      "Image Scale = 10\r\n; \r\n"
      "[Advanced]\r\nFilename Mask = %filename%.%ext%\r\nFile Timestamp = 0\r\n"
      "Custom Timestamp = 2000\r\nOut Folders History = 1\r\nOut Folders Number = 5\r\n"
      "Keep Subfolders = 1\r\n; \r\n"
      "[File]\r\nRecent Out Folders = \r\nRecent Files = \r\n; \r\n"
      "[Privacy]\r\nClean Recent Files = 0\r\n; \r\n";
  ASSERT_TRUE(WriteSettingsFile(settings_, formats_));
  EXPECT_EQ(ReadBytes(settings_.SettingsPath), expected);
}

// Gives every field of the file a value unlike its default.
void FillWithUnusualValues(Settings& s) {
  int n = 0;
  for (const SettingsKey& key : SettingsKeys()) {
    ++n;
    std::visit(
        [&](auto field) {
          using T = std::remove_reference_t<decltype(s.*field)>;
          if constexpr (std::is_same_v<T, std::string>) {
            s.*field = "value " + std::to_string(n) + " \xC3\xA9=x";
          } else if constexpr (std::is_same_v<T, float>) {
            s.*field = 2.5f;
          } else if constexpr (std::is_same_v<T, int8_t>) {
            s.*field = static_cast<int8_t>(n % 50 + 2);
          } else {
            s.*field = -1000 - n;
          }
        },
        key.field);
  }
}

TEST_F(SettingsFileTest, RoundTripRewritesTheSameBytes) {
  // Every format enabled, so that every key is written.
  formats_.EnabledInputFormats = {"dds", "gif", "ico", "psd", "raw", "tiff"};
  formats_.EnabledOutputFormats = {"bmp", "dds", "exr", "gif",  "hdr",  "ico",  "j2k", "jng",
                                   "jp2", "jpg", "jxr", "pbm",  "pcx",  "pfm",  "pgm", "png",
                                   "ppm", "psd", "tga", "tiff", "wbmp", "webp", "xpm"};
  FillWithUnusualValues(settings_);
  settings_.CsvDelimiter = ",";
  ASSERT_TRUE(WriteSettingsFile(settings_, formats_));
  const std::string first = ReadBytes(settings_.SettingsPath);

  Settings read;
  read.SettingsPath = settings_.SettingsPath;
  ASSERT_TRUE(ReadSettingsFile(read, formats_));
  EXPECT_EQ(read.CFG, 19);
  EXPECT_EQ(read.XPMBPP, settings_.XPMBPP);
  EXPECT_EQ(read.RAWLoadAs, settings_.RAWLoadAs);  // current files are not migrated
  EXPECT_EQ(read.WatermarkText, settings_.WatermarkText);
  EXPECT_EQ(read.ImageGamma, 2.5f);
  ASSERT_TRUE(WriteSettingsFile(read, formats_));
  EXPECT_EQ(ReadBytes(settings_.SettingsPath), first);
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(SettingsFileTest, PerFormatKeysFollowTheEnabledFormatsInListOrder) {
  formats_.EnabledInputFormats = {"raw", "psd", "xyz"};
  formats_.EnabledOutputFormats = {"png", "jpg", "png"};
  const std::string text = SettingsFileText(settings_, formats_);
  EXPECT_NE(text.find("[Input]\r\nFormat = psd\r\nRAW Load As = 0\r\nRAW Header Size = 0\r\n"
                      "RAW Image Width = 0\r\nRAW Image Height = 0\r\nRAW Tone Mapping = 2\r\n"
                      "PSD Color Mode = 0\r\n; \r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[Output]\r\nFormat = jpg\r\nPNG BPP = 0\r\nPNG Compression = 0\r\n"
                      "PNG Interlaced = 0\r\nJPG BPP = 0\r\nJPG Quality = 95\r\nJPG Chroma = 0\r\n"
                      "JPG Save As = 0\r\n; \r\n"),
            std::string::npos);
}

TEST_F(SettingsFileTest, HandWrittenFileIsReadByTheSyntaxRules) {
  const Settings read = ReadFrom(
      "[general]\n"
      "cfg=19\n"
      "[WATERMARK]\n"
      "  text   =   Caf\xE9 %eol% ok  \n"
      "font size\t= 20\n"
      "FONT SIZE = 30\n"
      "[transform]\r"
      "keep aspect ratio = 0\r"
      "image rotation = 45\r\n"
      "[Adjustment]\n"
      "image gamma = 1.5\n");
  EXPECT_EQ(read.WatermarkText, "Caf\xC3\xA9 %eol% ok");
  EXPECT_EQ(read.FontSize, 20);
  EXPECT_EQ(read.KeepAspectRatio, 0);
  EXPECT_EQ(read.TransformImageRotation, 45);
  EXPECT_EQ(read.WatermarkImageRotation, 0);  // same key, other group
  EXPECT_EQ(read.ImageGamma, 1.5f);
}

TEST_F(SettingsFileTest, MissingKeysTakeTheirFileDefaults) {
  settings_.X = 7;
  settings_.Width = 9;
  settings_.KeepAspectRatio = 0;
  settings_.JPGQuality = 10;
  settings_.MenuHeight = 33;
  const Settings read = [&] {
    WriteBytes(settings_.SettingsPath, "\xEF\xBB\xBF\r\n[General]\r\nCFG = 19\r\n");
    Settings s = settings_;
    EXPECT_TRUE(ReadSettingsFile(s, formats_));
    return s;
  }();
  EXPECT_EQ(read.CFG, 19);
  EXPECT_EQ(read.X, 100);
  EXPECT_EQ(read.Y, 100);
  EXPECT_EQ(read.Width, 510);
  EXPECT_EQ(read.Height, 330);
  EXPECT_EQ(read.KeepAspectRatio, 1);
  EXPECT_EQ(read.JPGQuality, 95);
  EXPECT_EQ(read.WatermarkText, kCopyrightNotice);
  EXPECT_EQ(read.InputFormat, "psd");
  EXPECT_EQ(read.OutputFormat, "jpg");
  EXPECT_EQ(read.BackOpacity, 1);
  EXPECT_EQ(read.FilenameMask, "%filename%.%ext%");
  EXPECT_GT(read.UpdateDate, 1'600'000'000);  // now
  EXPECT_GT(read.CustomTimestamp, 1'600'000'000);
  // Fields the file does not hold are kept.
  EXPECT_EQ(read.MenuHeight, 33);
  EXPECT_EQ(read.SettingsPath, settings_.SettingsPath);
}

TEST_F(SettingsFileTest, WithoutSavedWindowPositionTheWindowGroupIsEmpty) {
  settings_.SaveWindowPosition = 0;
  settings_.IsMaximized = 1;
  settings_.X = 5;
  settings_.Y = 6;
  settings_.Width = 700;
  settings_.Height = 800;
  ASSERT_TRUE(WriteSettingsFile(settings_, formats_));
  EXPECT_NE(ReadBytes(settings_.SettingsPath).find("\r\n[Window]\r\n; \r\n[Interface]\r\n"),
            std::string::npos);
  Settings read;
  read.SettingsPath = settings_.SettingsPath;
  ASSERT_TRUE(ReadSettingsFile(read, formats_));
  EXPECT_EQ(read.SaveWindowPosition, 0);
  EXPECT_EQ(read.IsMaximized, 0);
  EXPECT_EQ(read.X, 100);
  EXPECT_EQ(read.Y, 100);
  EXPECT_EQ(read.Width, 510);
  EXPECT_EQ(read.Height, 330);
}

TEST_F(SettingsFileTest, OlderFilesAreBroughtUpToDate) {
  struct Case {
    const char* name;
    const char* file;
    const char* mask;
    int32_t raw_load_as;
    int32_t psd_color_mode;
    int32_t tiff_color_mode;
  };
  const Case cases[] = {
      {"no version at all",
       "[Advanced]\nFilename Mask=%filename%\n[Input]\nRAW Load As=1\nPSD Color Model=2\n"
       "[Output]\nTIFF Color Model=1\n",
       "%filename%.%ext%", 3, 2, 1},
      {"version 10, macro in other case",
       "[General]\nCFG=10\n[Advanced]\nFilename Mask=%FILENAME%.%EXT%\n", "%FILENAME%.%EXT%.%ext%",
       0, 0, 0},
      {"version 10, raw 0 stays",
       "[General]\nCFG=10\n[Advanced]\nFilename Mask=a.%ext%\n[Input]\nRAW Load As=0\n", "a.%ext%",
       0, 0, 0},
      {"version 11 keeps the mask",
       "[General]\nCFG=11\n[Advanced]\nFilename Mask=%filename%\n"
       "[Input]\nRAW Load As=1\n",
       "%filename%", 3, 0, 0},
      {"version 14 keeps the raw mode",
       "[General]\nCFG=14\n[Input]\nRAW Load As=1\nPSD Color Mode=1\nPSD Color Model=2\n",
       "%filename%.%ext%", 1, 2, 0},
      {"an old key of 0 leaves the new one",
       "[General]\nCFG=18\n[Input]\nPSD Color Mode=1\nPSD Color Model=0\n"
       "[Output]\nTIFF Color Mode=2\n",
       "%filename%.%ext%", 0, 1, 2},
      {"version 19 is current",
       "[General]\nCFG=19\n[Advanced]\nFilename Mask=%filename%\n[Input]\nRAW Load As=1\n"
       "PSD Color Model=2\n[Output]\nTIFF Color Model=1\n",
       "%filename%", 1, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Settings read = ReadFrom(c.file);
    EXPECT_EQ(read.FilenameMask, c.mask);
    EXPECT_EQ(read.RAWLoadAs, c.raw_load_as);
    EXPECT_EQ(read.PSDColorMode, c.psd_color_mode);
    EXPECT_EQ(read.TIFFColorMode, c.tiff_color_mode);
  }
  // The version stays as read until the next write stores the current one.
  EXPECT_EQ(ReadFrom("[General]\nCFG=10\n").CFG, 10);
  EXPECT_EQ(ReadFrom("[Input]\nRAW Load As=1\n").CFG, 0);
}

TEST_F(SettingsFileTest, NumbersAreReadAsTheFileSyntaxSays) {
  const Settings read = ReadFrom(
      "[Output]\nJPG Quality = high\nWEBP Quality = 80 percent\n"
      "[Advanced]\nKeep Subfolders = 257\nOut Folders Number = -1\n"
      "[Adjustment]\nImage Gamma = 2,5\nImage Brightness = -40\n");
  EXPECT_EQ(read.JPGQuality, 0);  // a word reads 0, not the default 95
  EXPECT_EQ(read.WEBPQuality, 80);
  EXPECT_EQ(read.KeepSubfolders, 1);  // the low 8 bits of 257
  EXPECT_EQ(read.OutFoldersNumber, -1);
  EXPECT_EQ(read.ImageGamma, 2.0f);
  EXPECT_EQ(read.ImageBrightness, -40);
}

TEST_F(SettingsFileTest, GammaIsWrittenWithSixDecimals) {
  settings_.ImageGamma = 1.5f;
  ASSERT_TRUE(WriteSettingsFile(settings_, formats_));
  EXPECT_NE(ReadBytes(settings_.SettingsPath).find("\r\nImage Gamma = 1.500000\r\n"),
            std::string::npos);
  Settings read;
  read.SettingsPath = settings_.SettingsPath;
  ASSERT_TRUE(ReadSettingsFile(read, formats_));
  EXPECT_EQ(read.ImageGamma, 1.5f);

  settings_.ImageGamma = 0.01f;
  EXPECT_NE(SettingsFileText(settings_, formats_).find("\r\nImage Gamma = 0.010000\r\n"),
            std::string::npos);
}

TEST_F(SettingsFileTest, DelimiterWordsAreReadButTheDelimiterIsNotWritten) {
  const std::pair<const char*, const char*> cases[] = {
      {"TAB", "\t"}, {"Space", " "}, {"crlf", "\r\n"}, {";", ";"}, {"tabs", "tabs"},
  };
  for (const auto& [word, delimiter] : cases) {
    EXPECT_EQ(ReadFrom(std::string("[File]\nCsvDelimiter = ") + word + "\n").CsvDelimiter,
              delimiter)
        << word;
  }
  EXPECT_EQ(ReadFrom("[General]\nCFG=19\n").CsvDelimiter, ",");
  settings_.CsvDelimiter = ";";
  EXPECT_EQ(SettingsFileText(settings_, formats_).find("CsvDelimiter"), std::string::npos);
}

TEST_F(SettingsFileTest, LineBreaksInTextsCannotAddKeys) {
  settings_.WatermarkText = "a\r\n[General]\r\nCFG = 3";
  settings_.RecentOutFolders = "/one\t/two\nSave Window Position = 0";
  ASSERT_TRUE(WriteSettingsFile(settings_, formats_));
  Settings read;
  read.SettingsPath = settings_.SettingsPath;
  ASSERT_TRUE(ReadSettingsFile(read, formats_));
  EXPECT_EQ(read.CFG, 19);
  EXPECT_EQ(read.SaveWindowPosition, 1);
  EXPECT_EQ(read.WatermarkText, "a  [General]  CFG = 3");
  EXPECT_EQ(read.RecentOutFolders, "/one\t/two Save Window Position = 0");
}

TEST_F(SettingsFileTest, AFileThatCannotBeOpenedGivesTheWindowDefaults) {
  settings_.SettingsPath = (folder_ / "missing.ini").string();
  settings_.JPGQuality = 10;
  settings_.CFG = 3;
  settings_.MenuHeight = 12;
  EXPECT_FALSE(ReadSettingsFile(settings_, formats_));
  EXPECT_EQ(settings_.CFG, 19);
  EXPECT_EQ(settings_.JPGQuality, 95);
  EXPECT_EQ(settings_.KeepAspectRatio, 1);
  EXPECT_EQ(settings_.MenuHeight, 12);
  EXPECT_EQ(settings_.SettingsPath, (folder_ / "missing.ini").string());

  Settings no_path;
  EXPECT_FALSE(ReadSettingsFile(no_path, formats_));
  EXPECT_EQ(no_path.KeepAspectRatio, 1);
}

TEST_F(SettingsFileTest, AWriteThatFailsHalfWayKeepsTheOldFile) {
  const std::string old_file = "[Output]\r\nJPG Quality = 42\r\n";
  WriteBytes(settings_.SettingsPath, old_file);

  // Let the file system refuse every byte past the first hundred.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto saved_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteSettingsFile(settings_, formats_);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, saved_handler);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadBytes(settings_.SettingsPath), old_file);
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(SettingsFileTest, WritesThatCannotStartChangeNothing) {
  // The folder is missing.
  settings_.SettingsPath = (folder_ / "gone" / "config.ini").string();
  EXPECT_FALSE(WriteSettingsFile(settings_, formats_));
  EXPECT_FALSE(fs::exists(folder_ / "gone"));

  // The name is taken by a folder.
  fs::create_directories(folder_ / "config.ini" / "inside");
  settings_.SettingsPath = (folder_ / "config.ini").string();
  EXPECT_FALSE(WriteSettingsFile(settings_, formats_));
  EXPECT_TRUE(fs::is_directory(folder_ / "config.ini" / "inside"));
  EXPECT_EQ(FilesInFolder(), 1u);

  settings_.SettingsPath.clear();
  EXPECT_FALSE(WriteSettingsFile(settings_, formats_));
}

class SettingsFilePathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("pictavo-settings-path-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    Save("XDG_CONFIG_HOME", saved_config_);
    Save("HOME", saved_home_);
  }
  void TearDown() override {
    Restore("XDG_CONFIG_HOME", saved_config_);
    Restore("HOME", saved_home_);
    fs::remove_all(folder_);
  }
  static void Save(const char* name, std::optional<std::string>& saved) {
    const char* value = std::getenv(name);
    if (value != nullptr) saved = value;
  }
  static void Restore(const char* name, const std::optional<std::string>& saved) {
    if (saved) {
      ::setenv(name, saved->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  fs::path folder_;
  std::optional<std::string> saved_config_, saved_home_;
};

TEST_F(SettingsFilePathTest, LiesInTheConfigFolderWhichIsCreated) {
  ::setenv("XDG_CONFIG_HOME", (folder_ / "config").c_str(), 1);
  ::setenv("HOME", (folder_ / "home").c_str(), 1);
  EXPECT_EQ(SettingsFilePath(), (folder_ / "config/Quorvane/vexlo/config.ini").string());
  EXPECT_TRUE(fs::is_directory(folder_ / "config/Quorvane/vexlo"));

  // Unset or relative, the variable gives way to the home folder.
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsFilePath(), (folder_ / "home/.config/Quorvane/vexlo/config.ini").string());
  EXPECT_TRUE(fs::is_directory(folder_ / "home/.config/Quorvane/vexlo"));
  ::setenv("XDG_CONFIG_HOME", "relative/path", 1);
  EXPECT_EQ(SettingsFilePath(), (folder_ / "home/.config/Quorvane/vexlo/config.ini").string());

  ::unsetenv("HOME");
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsFilePath(), "");
}

}  // namespace
}  // namespace pictavo
