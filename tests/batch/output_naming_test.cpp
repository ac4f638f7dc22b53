#include "batch/output_naming.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

namespace pictavo {
namespace {

struct NamingCase {
  const char* mask;
  const char* input;
  const char* expected;
};

class OutputNamingTest : public ::testing::Test {
 protected:
  OutputNamingTest() {
    run.OutputExtension = "jpg";
    run.OutputFolder = "/out/";
    file.inputPath = "/in/Holiday Photo.PSD";
    file.fileCounter = 1;
    file.randomNumber = 42;
    file.outputBpp = 24;
    file.resultWidth = 640;
    file.resultHeight = 480;
  }

  std::string Name(const std::string& mask, const std::string& input) {
    settings.FilenameMask = mask;
    file.inputPath = input;
    return BuildOutputName(settings, run, file);
  }

  Settings settings;
  RunState run;
  FileJob file;
};

TEST_F(OutputNamingTest, MasksExpandTheirMacros) {
  const NamingCase cases[] = {
      {"%filename%.%ext%", "/in/Holiday Photo.PSD", "Holiday Photo.jpg"},
      {"", "/in/Holiday Photo.PSD", "Holiday Photo.jpg"},
      // Literal text is lower-cased with the mask; macro values keep their case.
      {"Copy of %filename[u]%.%ext[u]%", "/in/Holiday Photo.PSD", "copy of HOLIDAY PHOTO.JPG"},
      {"%FILENAME%_%N%.%EXT%", "/in/Holiday Photo.PSD", "Holiday Photo_00001.jpg"},
      {"%filename[l]%.%ext[t]%", "/in/Holiday Photo.PSD", "holiday photo.Jpg"},
      {"%filename[t]%", "/in/hOLIDAY.psd", "Holiday"},
      {"%filename[t]%", "/in/x.psd", "X"},
      {"%filename%", "/in/archive.old.psd", "archive.old"},
      {"%filename%", "/in/README", "README"},
      // A value put in by one macro is expanded by the macros after it.
      {"%filename%.%ext%", "/in/%n%.psd", "00001.jpg"},
      // There is no lower-case extension macro.
      {"%filename%.%ext[l]%", "/in/a.psd", "a.%ext[l]%"},
      {"%bpp%_%width%x%height%_%rnd%", "/in/a.psd", "24_640x480_00042"},
      // Non-ASCII letters fold too, in the mask and in the values.
      {"\xC3\x89t\xC3\xA9 %filename[u]%", "/in/caf\xC3\xA9.psd", "\xC3\xA9t\xC3\xA9 CAF\xC3\x89"},
      {"%filename[t]%",
       "/in/\xC3\xA9"
       "COLE.psd",
       "\xC3\x89"
       "cole"},
      // A name that is not UTF-8 folds its ASCII letters and keeps the rest.
      {"%filename[u]%",
       "/in/\xE0"
       "abc.psd",
       "\xE0"
       "ABC"},
      // Separators and names the file system would refuse pass through.
      {"%filename%/..%ext%", "/in/a.psd", "a/..jpg"},
  };
  for (const NamingCase& c : cases) {
    EXPECT_EQ(Name(c.mask, c.input), c.expected) << "mask " << c.mask << ", input " << c.input;
  }
}

TEST_F(OutputNamingTest, FiveDigitNumbersArePaddedButNeverCut) {
  settings.FilenameMask = "%n%-%rnd%";
  file.fileCounter = 123456;
  file.randomNumber = 7;
  EXPECT_EQ(BuildOutputName(settings, run, file), "123456-00007");
  file.fileCounter = 99999;
  file.randomNumber = 99999;
  EXPECT_EQ(BuildOutputName(settings, run, file), "99999-99999");
}

TEST_F(OutputNamingTest, ClockMacrosReadLocalTime) {
  settings.FilenameMask = "%yyyy%-%mm%-%dd% %hh%:%ii%:%ss%";
  auto stamp = [] {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(buffer);
  };
  std::string before = stamp();
  std::string name = BuildOutputName(settings, run, file);
  std::string after = stamp();
  EXPECT_TRUE(name == before || name == after)
      << name << " not between " << before << " and " << after;
}

TEST_F(OutputNamingTest, ExpandMacroReplacesEveryOccurrenceInAnyCase) {
  EXPECT_EQ(ExpandMacro("a%N%b%n%", "%n%", run, file), "a00001b00001");
  EXPECT_EQ(ExpandMacro("a%EXT%", "%Ext%", run, file), "ajpg");
  EXPECT_EQ(ExpandMacro("a%foo%", "%foo%", run, file), "a%foo%");
  EXPECT_EQ(ExpandMacro("no macro", "%n%", run, file), "no macro");
}

TEST(StripExtensionTest, DropsOnlyTheLastExtension) {
  EXPECT_EQ(StripExtension("a.b.psd"), "a.b");
  EXPECT_EQ(StripExtension("name."), "name");
  EXPECT_EQ(StripExtension("noext"), "noext");
  EXPECT_EQ(StripExtension(""), "");
}

TEST_F(OutputNamingTest, SubfoldersAreMirroredOnlyWhenKept) {
  file.relativeFolder = "x/y/";
  settings.KeepSubfolders = 1;
  EXPECT_EQ(BuildOutputPath(settings, run, file), "/out/x/y/Holiday Photo.jpg");
  settings.KeepSubfolders = 0;
  EXPECT_EQ(BuildOutputPath(settings, run, file), "/out/Holiday Photo.jpg");
  EXPECT_EQ(OutputFolderFor(settings, run, file), "/out/");
}

}  // namespace
}  // namespace pictavo
