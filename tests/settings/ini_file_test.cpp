#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace pictavo {
namespace {

std::vector<std::string> KeysOf(std::span<const IniEntry> entries) {
  std::vector<std::string> keys;
  for (const IniEntry& entry : entries) keys.push_back(entry.key);
  return keys;
}

TEST(IniFileTest, ReadsGroupsKeysAndValuesByTheLineRules) {
  const IniFile file = IniFile::Parse(
      "ignored = before any group\r\n"
      "  \t[General]\r\n"
      "; a comment = not an entry\r\n"
      "\t CFG = 19 \r\n"
      "Mask=%filename%=x= \n"
      "Spaced Key \t=\t  value with  inner  blanks\t \r"
      "NoEquals\n"
      "= no key\n"
      "\n"
      "[Second] trailing text\n"
      "Empty=\n"
      "[Open group without close\n"
      "Key=v");
  ASSERT_EQ(file.groups().size(), 3u);
  EXPECT_EQ(file.groups()[0].name, "General");
  EXPECT_EQ(file.groups()[1].name, "Second");
  EXPECT_EQ(file.groups()[2].name, "Open group without close");
  EXPECT_EQ(KeysOf(file.Entries("General")),
            (std::vector<std::string>{"CFG", "Mask", "Spaced Key", "NoEquals"}));

  EXPECT_EQ(file.ReadInt("General", "CFG", 0), 19);
  EXPECT_EQ(file.ReadString("General", "Mask", ""), "%filename%=x=");
  EXPECT_EQ(file.FindEntry("General", "Spaced Key")->value, "value with  inner  blanks\t ");
  EXPECT_EQ(file.ReadString("General", "Spaced Key", ""), "value with  inner  blanks");
  EXPECT_EQ(file.ReadString("General", "NoEquals", "default"), "");
  EXPECT_EQ(file.ReadString("Second", "Empty", "default"), "");
  EXPECT_EQ(file.ReadString("Open group without close", "Key", ""), "v");
  EXPECT_EQ(file.ReadString("General", "ignored", "default"), "default");
  EXPECT_EQ(file.ReadString("General", "; a comment", "default"), "default");
}

TEST(IniFileTest, LineEndsMayBeMixed) {
  const IniFile file = IniFile::Parse("[G]\rA=1\nB=2\r\nC=3\r\rD=4\n\r\nE=5");
  EXPECT_EQ(KeysOf(file.Entries("G")), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(file.ReadInt("G", "C", 0), 3);
  EXPECT_EQ(file.ReadInt("G", "E", 0), 5);
}

TEST(IniFileTest, GroupsAndKeysIgnoreCaseAndTheFirstOccurrenceWins) {
  const IniFile file = IniFile::Parse(
      "[cli]\n--jpg-quality=80\n--JPG-QUALITY=70\nb=1\n"
      "[Other]\nx=1\n"
      "[CLI]\n--jpg-quality=60\nc=1\n");
  EXPECT_EQ(file.ReadInt("CLI", "--JPG-Quality", 0), 80);
  EXPECT_EQ(file.ReadInt("Cli", "c", 7), 7);  // only the first group of a name counts
  EXPECT_TRUE(file.HasGroup("oThEr"));
  EXPECT_FALSE(file.HasGroup("Missing"));
  EXPECT_TRUE(file.Entries("Missing").empty());
  // Iteration keeps file order and repeated keys.
  EXPECT_EQ(KeysOf(file.Entries("CLI")),
            (std::vector<std::string>{"--jpg-quality", "--JPG-QUALITY", "b"}));
}

TEST(IniFileTest, MissingGroupOrKeyGivesTheFallback) {
  const IniFile file = IniFile::Parse("[G]\nA=1\n");
  EXPECT_EQ(file.ReadInt("G", "B", 42), 42);
  EXPECT_EQ(file.ReadInt("H", "A", 42), 42);
  EXPECT_EQ(file.ReadInt8("G", "B", 5), 5);
  EXPECT_EQ(file.ReadDecimal("G", "B", 2.5), 2.5);
  EXPECT_EQ(file.ReadString("H", "A", "x"), "x");
}

TEST(IniFileTest, EncodingFollowsTheByteOrderMark) {
  // Without the mark every byte is ISO 8859-1.
  const IniFile latin = IniFile::Parse("[G]\nName=Caf\xE9 \xA9\n");
  EXPECT_EQ(latin.ReadString("G", "Name", ""), "Caf\xC3\xA9 \xC2\xA9");
  // With it the text is UTF-8 and kept as it is.
  const IniFile utf8 = IniFile::Parse("\xEF\xBB\xBF\r\n[G]\r\nName=Caf\xC3\xA9\r\n");
  EXPECT_EQ(utf8.ReadString("G", "Name", ""), "Caf\xC3\xA9");
  // Invalid sequences in a UTF-8 file are replaced, never passed on.
  const IniFile broken = IniFile::Parse("\xEF\xBB\xBF[G]\nName=a\xE9z\xC0\xAF\n");
  EXPECT_EQ(broken.ReadString("G", "Name", ""), "a\xEF\xBF\xBDz\xEF\xBF\xBD\xEF\xBF\xBD");
  // The mark read as ISO 8859-1 would be three letters; only the exact mark counts.
  const IniFile partial = IniFile::Parse("\xEF\xBB[G]\nA=1\n");
  EXPECT_FALSE(partial.HasGroup("G"));
}

TEST(IniValueTest, IntegersReadTheLeadingDecimalNumber) {
  struct Case {
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"42", 42},
      {"  -17", -17},
      {"\t+8", 8},
      {"12abc", 12},
      {"word", 0},
      {"", 0},
      {"-", 0},
      {"- 5", 0},
      {"3.9", 3},
      {"$10", 0},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.expected) << c.text;
}

TEST(IniValueTest, AWordReadsZeroNotTheFallback) {
  const IniFile file = IniFile::Parse("[G]\nA=word\nB=257\nC=-1\nD=128\nE= 300 \n");
  EXPECT_EQ(file.ReadInt("G", "A", 99), 0);
  EXPECT_EQ(file.ReadInt8("G", "A", 99), 0);
  EXPECT_EQ(file.ReadInt8("G", "B", 0), 1);
  EXPECT_EQ(file.ReadInt8("G", "C", 0), -1);
  EXPECT_EQ(file.ReadInt8("G", "D", 0), -128);
  EXPECT_EQ(file.ReadInt8("G", "E", 0), 44);
}

TEST(IniValueTest, DecimalsUseAPointAndKnowTheSpecialWords) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {"1.5", 1.5},
      {" 2.25", 2.25},
      {"-0.5", -0.5},
      {"+3", 3.0},
      {".5", 0.5},
      {"1,5", 1.0},
      {"2e2", 200.0},
      {"word", 0.0},
      {"", 0.0},
      {"inf", 0.0},
      {"1e999", INFINITY},
      {"1e-999", 0.0},
      {"-Infinity", -INFINITY},
      {"+INFINITY", INFINITY},
      {"infinity", INFINITY},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIniDecimal(c.text), c.expected) << c.text;
  EXPECT_TRUE(std::isnan(ParseIniDecimal("NaN")));
  EXPECT_TRUE(std::isnan(ParseIniDecimal(" nan")));
}

class IniFileLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("pictavo-ini-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(IniFileLoadTest, LoadsAFileAndRefusesWhatIsNoFile) {
  const auto path = folder_ / "profile.ini";
  std::ofstream(path, std::ios::binary) << "[CLI]\r\n--WIDTH=50\r\n";
  const auto file = IniFile::Load(path.string());
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->ReadInt("cli", "--width", 0), 50);

  EXPECT_FALSE(IniFile::Load((folder_ / "missing.ini").string()).has_value());
  EXPECT_FALSE(IniFile::Load(folder_.string()).has_value());
  EXPECT_FALSE(IniFile::Load("").has_value());
}

TEST_F(IniFileLoadTest, RefusesFilesAboveTheSizeLimit) {
  const auto path = folder_ / "huge.ini";
  std::ofstream(path, std::ios::binary) << "[G]\n";
  std::filesystem::resize_file(path, kMaxIniFileBytes + 1);
  EXPECT_FALSE(IniFile::Load(path.string()).has_value());
}

TEST(IniFileRobustnessTest, RandomBytesNeverBreakTheParser) {
  std::mt19937 random(12345);
  static constexpr char kAlphabet[] =
      "[]=;\r\n\t \xEF\xBB\xBF\xE9\xC3\x80"
      "ab\0";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);  // the inner NUL included
  for (int round = 0; round < 500; ++round) {
    std::string bytes(random() % 200, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    if (round % 2 == 0) bytes.insert(0, "\xEF\xBB\xBF");
    const IniFile file = IniFile::Parse(bytes);
    for (const IniGroup& group : file.groups()) {
      for (const IniEntry& entry : group.entries) {
        EXPECT_FALSE(entry.key.empty());
        EXPECT_EQ(entry.key.find_first_of("\r\n="), std::string::npos);
        // Later groups of a repeated name are shadowed by the first.
        if (file.FindGroup(group.name) == &group) {
          EXPECT_NE(file.FindEntry(group.name, entry.key), nullptr);
        }
        (void)file.ReadDecimal(group.name, entry.key, 0);
        (void)file.ReadInt8(group.name, entry.key, 0);
      }
    }
  }
}

}  // namespace
}  // namespace pictavo
