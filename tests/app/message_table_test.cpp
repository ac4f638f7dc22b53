#include "app/message_table.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

namespace pictavo {
namespace {

class MessageTableTest : public ::testing::Test {
 protected:
  void SetUp() override { table_.Build(); }
  MessageTable table_;
};

TEST_F(MessageTableTest, FindsAnEntryOfEveryGroup) {
  struct Case {
    const char* group;
    const char* key;
    const char* text;
  };
  const Case cases[] = {
      {"Menu", "Custom Converter", "Find a File Converter..."},
      {"Menu", "About", "About..."},
      {"General", "Preparing", "Preparing..."},
      {"Msg", "Files converted", "Files converted: %s1% of %s2%"},
      {"Msg", "Invalid input folder",
       "The following input folder is invalid or doesn't exist:\r\n%s1%\r\n\r\nPlease, correct "
       "the input path and try again!"},
      {"Dialog", "Time Remaining", "Time Remaining: %s1%"},
      {"Preferences", "Title", "Preferences..."},
      {"Preferences", "Catmullrom", "Catmull-Rom Spline"},
      {"Preferences", "Keep Subfolders", "Keep Subfolders:"},
      {"Preferences", "Bold Italic", "Bold Italic"},
      {"Preferences", "Clean Recent Files", "Clean Recent Files List on Exit"},
      {"About", "Email", "E-mail:"},
      {"Custom-Converter", "Title", "Find a File Converter"},
      {"Uninstall", "Uninstall Text", "Full Uninstall - Visit Uninstall Center"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(table_.Text(c.group, c.key), c.text) << c.group << "/" << c.key;
  }
}

TEST_F(MessageTableTest, EveryBuiltInRecordIsFoundUnderItsGroup) {
  std::map<std::string, int> entries_per_group;
  std::string group;
  int groups = 0;
  for (const MessageRecord& record : BuiltInMessageRecords()) {
    if (record.key == kEndRecordKey) break;
    if (record.key == kGroupRecordKey) {
      group = std::string(record.text);
      ++groups;
      continue;
    }
    ++entries_per_group[group];
    EXPECT_EQ(table_.Text(group, record.key), record.text) << group << "/" << record.key;
  }
  EXPECT_EQ(groups, 8);
  const std::map<std::string, int> expected = {
      {"Menu", 28}, {"General", 10},         {"Msg", 41},      {"Dialog", 18},
      {"About", 4}, {"Custom-Converter", 4}, {"Uninstall", 3}, {"Preferences", 223},
  };
  EXPECT_EQ(entries_per_group, expected);
}

TEST_F(MessageTableTest, CaseIsIgnoredOnBothSides) {
  EXPECT_EQ(table_.Text("msg", "ERROR"), "Error");
  EXPECT_EQ(table_.Text("MSG", "error"), "Error");
  EXPECT_EQ(table_.Text("custom-CONVERTER", "sEaRcH"), "Search");
  EXPECT_EQ(table_.Text("preferences", "rgb48hs"), "RGB 48-bit (HS)");
}

TEST_F(MessageTableTest, MissesGiveTheMarker) {
  struct Case {
    const char* group;
    const char* key;
  };
  const Case cases[] = {
      {"Msg", ""},                 // empty key
      {"Msg", "Qqq"},              // no key begins with this letter
      {"Msg", "Errors"},           // a longer key than one that exists
      {"Msg", "Erro"},             // a prefix of a key
      {"Msg", "Ready"},            // a key of another group
      {"Nowhere", "Error"},        // no such group
      {"", "Error"},               // empty group
      {"Msg", "\xC3\xA9"},         // a first byte above 127
      {"Preferences", "_GROUP_"},  // record markers are no entries
  };
  for (const auto& c : cases) {
    EXPECT_EQ(table_.Text(c.group, c.key), "%NO_STRING_ERROR%") << c.group << "/" << c.key;
  }
}

TEST_F(MessageTableTest, RepeatedKeyMediumIsFound) {
  EXPECT_EQ(table_.Text("Preferences", "Medium"), "Medium");
}

TEST_F(MessageTableTest, AlternatingGroupsKeepFindingTheRightOne) {
  // The remembered group must follow the group asked for.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(table_.Text("Menu", "Convert"), "Convert");
    EXPECT_EQ(table_.Text("Nowhere", "Convert"), "%NO_STRING_ERROR%");
    EXPECT_EQ(table_.Text("Dialog", "Help"), "Help");
    EXPECT_EQ(table_.Text("Menu", "Help"), "Help");
    EXPECT_EQ(table_.Text("Menu", "Manual"), "User Manual...");
    EXPECT_EQ(table_.Text("Dialog", "Manual"), "%NO_STRING_ERROR%");
  }
}

TEST_F(MessageTableTest, LookupsFromSeveralThreadsAgree) {
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this, t, &wrong] {
      const char* group = (t % 2 == 0) ? "Menu" : "Dialog";
      const char* expected = (t % 2 == 0) ? "Select Output Folder..." : "Select Output Folder";
      for (int i = 0; i < 2000; ++i) {
        if (table_.Text(group, "Select Output Folder") != expected) ++wrong[t];
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(MessageTableBuildTest, UnbuiltAndRebuiltTables) {
  MessageTable table;
  EXPECT_EQ(table.Text("Msg", "Error"), "%NO_STRING_ERROR%");
  table.Build();
  table.Build();  // replaces, does not append
  EXPECT_EQ(table.Text("Msg", "Error"), "Error");

  const MessageRecord records[] = {
      {"ignored", "before any group"},
      {"_GROUP_", "Empty"},
      {"_GROUP_", "Small"},
      {"b", "second"},
      {"a", "first"},
      {"_END_", ""},
      {"c", "after the end"},
  };
  table.BuildFrom(records);
  EXPECT_EQ(table.Text("Small", "a"), "first");
  EXPECT_EQ(table.Text("Small", "B"), "second");
  EXPECT_EQ(table.Text("Small", "c"), "%NO_STRING_ERROR%");
  EXPECT_EQ(table.Text("Empty", "a"), "%NO_STRING_ERROR%");
  EXPECT_EQ(table.Text("Msg", "Error"), "%NO_STRING_ERROR%");

  const MessageTable copy = table;
  EXPECT_EQ(copy.Text("Small", "b"), "second");
}

TEST(FillPlaceholdersTest, FillsEachPlaceholderWithItsValue) {
  EXPECT_EQ(FillPlaceholders("Files converted: %s1% of %s2%", "3", "10"),
            "Files converted: 3 of 10");
  EXPECT_EQ(FillPlaceholders("Files converted: %s1% of %s2%", "3", ""),
            "Files converted: 3 of %s2%");
  EXPECT_EQ(FillPlaceholders("%S1%-%s1%-%s4%-%s3%", "a", "b", "c", "d"), "a-a-d-c");
  EXPECT_EQ(FillPlaceholders("", "a"), "");
  EXPECT_EQ(FillPlaceholders("no placeholders", "a", "b"), "no placeholders");
}

TEST(FillPlaceholdersTest, LaterPlaceholdersInsideEarlierValuesAreFilled) {
  EXPECT_EQ(FillPlaceholders("<%s1%>", "x%s2%y", "B"), "<xBy>");
  // An earlier placeholder inside a later value stays.
  EXPECT_EQ(FillPlaceholders("<%s2%>", "A", "x%s1%y"), "<x%s1%y>");
  // A value holding its own placeholder is inserted once.
  EXPECT_EQ(FillPlaceholders("%s1% %s1%", "%s1%"), "%s1% %s1%");
}

}  // namespace
}  // namespace pictavo
