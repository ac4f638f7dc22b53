#include "batch/input_collection.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_pictavo.h"

namespace pictavo {
namespace {

class InputCollectionTest : public ::testing::Test {
 protected:
  InputCollectionTest() { context.formats.SupportedExtensions = {"psd"}; }

  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (const auto& entry : context.inputs) paths.push_back(entry.path);
    return paths;
  }

  int RunFolderImport(const std::string& folder) {
    context.run.InputPath = folder;
    StartTask(context.job, [this] { ImportFolderTask(context); });
    return ReadProgress(context.job).count;
  }

  int RunListImport(const std::string& list) {
    context.run.InputPath.clear();
    context.run.CurrentInput = list;
    StartTask(context.job, [this] { ImportListTask(context); });
    return ReadProgress(context.job).count;
  }

  ScratchDir scratch;
  Context context;
};

TEST_F(InputCollectionTest, SamePathIsAddedOnce) {
  std::string path = scratch.WriteFile("a.psd", "not empty");
  EXPECT_TRUE(AddInputFile(context, path));
  EXPECT_FALSE(AddInputFile(context, path));
  EXPECT_EQ(context.inputs.size(), 1u);
}

TEST_F(InputCollectionTest, PathsDifferingOnlyInCaseAreDistinct) {
  EXPECT_TRUE(AddInputFile(context, scratch.WriteFile("A.psd", "not empty")));
  EXPECT_TRUE(AddInputFile(context, scratch.WriteFile("a.psd", "not empty")));
  EXPECT_EQ(context.inputs.size(), 2u);
}

TEST_F(InputCollectionTest, GateAcceptsOnlyNonEmptyPlainFilesWithTheSupportedExtension) {
  struct Case {
    const char* name;
    const char* bytes;
    bool accepted;
  };
  const Case cases[] = {
      {"upper.PSD", "x", true},       {"mixed.PsD", "x", true}, {"backup.psd.bak", "x", false},
      {"noextension", "x", false},    {"empty.psd", "", false}, {"photo.jpg", "x", false},
      {"dotted.name.psd", "x", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddInputFile(context, scratch.WriteFile(c.name, c.bytes)), c.accepted) << c.name;
  }
}

TEST_F(InputCollectionTest, GateRefusesFoldersAndPipesNamedLikeDocuments) {
  std::string folder = scratch.MakeFolder("folder.psd");
  folder.pop_back();
  std::string pipe = scratch.path() + "pipe.psd";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_FALSE(AddInputFile(context, folder));
  EXPECT_FALSE(AddInputFile(context, pipe));
  EXPECT_TRUE(context.inputs.empty());
}

TEST(RelativeSubfolderTest, CutsTheBaseFromTheFilesFolder) {
  struct Case {
    const char* path;
    const char* base;
    const char* expected;
  };
  const Case cases[] = {
      {"/in/a/b/x.psd", "/in/", "a/b/"},
      {"/in/x.psd", "/in/", ""},
      {"/in/x.psd", "", ""},
      {"", "/in/", ""},
      {"/other/x.psd", "/in/", ""},
      // The base's name again further down is a sub-folder of its own.
      {"/photos/2020/photos/x.psd", "/photos/", "2020/photos/"},
      {"/data/in/x.psd", "/in/", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RelativeSubfolder(c.path, c.base), c.expected) << c.path << " below " << c.base;
  }
}

TEST_F(InputCollectionTest, FolderImportWalksSubfoldersInNameOrderAndRecordsTheirPaths) {
  scratch.WriteFile("in/b.psd", "not empty");
  scratch.WriteFile("in/a.psd", "not empty");
  scratch.WriteFile("in/x/y/p.psd", "not empty");
  scratch.WriteFile("in/x/notes.txt", "not empty");
  scratch.WriteFile("in/x/empty.psd", "");
  scratch.MakeFolder("in/z");
  const std::string in = scratch.path() + "in/";

  EXPECT_EQ(RunFolderImport(in), 3);
  EXPECT_EQ(Paths(), (std::vector<std::string>{in + "a.psd", in + "b.psd", in + "x/y/p.psd"}));
  EXPECT_EQ(context.inputs[0].subfolder, "");
  EXPECT_EQ(context.inputs[2].subfolder, "x/y/");
  // Four top-level entries: a.psd, b.psd, x, z.
  EXPECT_EQ(ReadProgress(context.job).currentNumber, 4);
}

TEST_F(InputCollectionTest, FolderImportOfAMissingFolderAddsNothing) {
  EXPECT_EQ(RunFolderImport(scratch.path() + "missing/"), 0);
  EXPECT_TRUE(context.inputs.empty());
}

TEST_F(InputCollectionTest, LinkBackToAnEnclosingFolderIsNotFollowedAgain) {
  scratch.WriteFile("in/a.psd", "not empty");
  scratch.WriteFile("in/sub/b.psd", "not empty");
  const std::string in = scratch.path() + "in/";
  std::filesystem::create_directory_symlink(in, in + "sub/up");
  std::filesystem::create_directory_symlink(in + "sub", in + "sub/self");

  EXPECT_EQ(RunFolderImport(in), 2);
  // Walked from below, the link up leads to one new path, and the walk still ends.
  EXPECT_EQ(AddFolderTree(context, in + "sub/"), 1);
  EXPECT_EQ(Paths().back(), in + "sub/up/a.psd");
}

TEST_F(InputCollectionTest, LinkToASiblingFolderIsFollowed) {
  scratch.WriteFile("in/real/c.psd", "not empty");
  const std::string in = scratch.path() + "in/";
  std::filesystem::create_directory_symlink(in + "real", in + "alias");

  EXPECT_EQ(RunFolderImport(in), 2);
  EXPECT_EQ(Paths(), (std::vector<std::string>{in + "alias/c.psd", in + "real/c.psd"}));
  EXPECT_EQ(context.inputs[0].subfolder, "alias/");
}

TEST_F(InputCollectionTest, ListImportSkipsBlankAndMissingLinesAndWalksFolders) {
  const std::string one = scratch.WriteFile("one.psd", "not empty");
  const std::string two = scratch.WriteFile("two.psd", "not empty");
  scratch.WriteFile("tree/c.psd", "not empty");
  scratch.WriteFile("tree/deep/d.psd", "not empty");
  const std::string tree = scratch.path() + "tree";
  const std::string list =
      scratch.WriteFile("list.txt", "\r\n" + one + "\r\n   \r\n" + scratch.path() +
                                        "missing.psd\n  " + two + "  \n\t\n" + tree + "\n" + one);

  EXPECT_EQ(RunListImport(list), 4);
  EXPECT_EQ(Paths(), (std::vector<std::string>{one, two, tree + "/c.psd", tree + "/deep/d.psd"}));
  for (const auto& entry : context.inputs) EXPECT_EQ(entry.subfolder, "") << entry.path;
  // one, two, the folder and one again: blank and missing lines are not visited.
  EXPECT_EQ(ReadProgress(context.job).currentNumber, 4);
}

// UTF-16 bytes of `units` with a leading byte-order mark.
std::string Utf16File(const std::u16string& units, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : units) {
    char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST_F(InputCollectionTest, ListImportReadsUtf16ListsInBothByteOrders) {
  const std::string path = scratch.WriteFile("caf\xC3\xA9.psd", "not empty");  // café.psd
  // The scratch folder's path is ASCII, so widening it byte by byte is exact.
  std::u16string units(scratch.path().begin(), scratch.path().end());
  units += u"caf\u00E9.psd\r\n";
  for (bool big_endian : {false, true}) {
    Context fresh;
    fresh.formats.SupportedExtensions = {"psd"};
    fresh.run.CurrentInput = scratch.WriteFile("list.lst", Utf16File(units, big_endian));
    StartTask(fresh.job, [&] { ImportListTask(fresh); });
    EXPECT_EQ(ReadProgress(fresh.job).count, 1) << (big_endian ? "big endian" : "little endian");
    ASSERT_EQ(fresh.inputs.size(), 1u);
    EXPECT_EQ(fresh.inputs[0].path, path);
  }
}

TEST_F(InputCollectionTest, ListWithAUtf8MarkFindsItsFirstLine) {
  const std::string path = scratch.WriteFile("first.psd", "not empty");
  EXPECT_EQ(RunListImport(scratch.WriteFile("list.txt", "\xEF\xBB\xBF" + path + "\n")), 1);
}

TEST_F(InputCollectionTest, UnreadableListAddsNothing) {
  EXPECT_EQ(RunListImport(scratch.path() + "missing.txt"), 0);
}

}  // namespace
}  // namespace pictavo
