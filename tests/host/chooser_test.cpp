#include "core/chooser.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/error.h"
#include "fake_platform.h"
#include "wizard/FolderChooserTexts.h"

namespace core {
namespace {

TEST(ChooserStart, PicksTargetThenSystemRootThenC) {
  struct Case {
    const char* target;
    bool exists;
    const char* systemDir;
    const char* expected;
  } cases[] = {
      {"D:\\Apps\\Korvan", true, "C:\\windows\\system32", "D:\\Apps\\Korvan"},
      {"D:\\Apps\\Korvan", false, "C:\\windows\\system32", "C:\\"},
      {"D:\\Apps\\Korvan", false, "E:", "E:"},
      {"D:\\Apps\\Korvan", false, "", "c:\\"},
      {"", true, "C:\\windows", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooserStart(c.target, c.exists, c.systemDir), c.expected) << c.target;
}

TEST(ChooserOpenPath, DriveRootBecomesTheDrivesCurrentDirectory) {
  EXPECT_EQ(ChooserOpenPath("C:\\"), "C:");
  EXPECT_EQ(ChooserOpenPath("c:\\"), "c:");
  EXPECT_EQ(ChooserOpenPath("C:\\a"), "C:\\a");
  EXPECT_EQ(ChooserOpenPath("C:"), "C:");
  EXPECT_EQ(ChooserOpenPath("\\\\srv\\share"), "\\\\srv\\share");
}

TEST(DriveEntryText, EachKindReadsAsItShould) {
  struct Case {
    DriveKind kind;
    char letter;
    const char* label;
    const char* network;
    const char* expected;
    bool readsLabel;
  } cases[] = {
      {DriveKind::Fixed, 'C', "SYSTEM Disk", "", "c: [system disk]", true},
      {DriveKind::Fixed, 'd', "", "", "d: []", true},
      {DriveKind::CDRom, 'E', "KORVAN_CD", "", "e: [korvan_cd]", true},
      {DriveKind::Ram, 'R', "RamDrive", "", "r: [ramdrive]", true},
      {DriveKind::Network, 'N', "ignored", "\\\\Server\\Share", "n: \\\\Server\\Share", false},
      {DriveKind::Network, 'n', "", "", "n:", false},
      {DriveKind::Removable, 'A', "FLOPPY", "\\\\x\\y", "a:", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DriveEntryText(c.kind, c.letter, c.label, c.network), c.expected) << c.expected;
    EXPECT_EQ(ReadsVolumeLabel(c.kind), c.readsLabel) << c.expected;
  }
}

TEST(SortNames, IgnoresCaseAndKeepsSpelling) {
  std::vector<std::string> names{"beta", "Alpha", "gamma", "ALPHA2", "Beta0", "_x"};
  SortNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"_x", "Alpha", "ALPHA2", "beta", "Beta0", "gamma"}));
}

std::vector<std::string> Texts(const FolderRows& r) {
  std::vector<std::string> out;
  for (const FolderRow& row : r.rows) out.push_back(row.text);
  return out;
}

TEST(BuildFolderRows, WayCurrentAndSubFolders) {
  const FolderRows r = BuildFolderRows("C:\\Program Files\\Vorlen", {"Data", "KORVAN"}, true);
  EXPECT_EQ(Texts(r), (std::vector<std::string>{"C:\\", "Program Files", "Vorlen", "Data",
                                                "KORVAN"}));
  ASSERT_EQ(r.rows.size(), 5u);
  EXPECT_EQ(r.selected, 2u);
  const int levels[] = {0, 1, 2, 3, 3};
  const FolderIcon icons[] = {FolderIcon::Open, FolderIcon::Open, FolderIcon::Current,
                              FolderIcon::Closed, FolderIcon::Closed};
  for (size_t i = 0; i < r.rows.size(); ++i) {
    EXPECT_EQ(r.rows[i].level, levels[i]) << i;
    EXPECT_EQ(r.rows[i].icon, icons[i]) << i;
  }
}

TEST(BuildFolderRows, RootIsTheCurrentFolder) {
  for (const char* path : {"C:\\", "C:"}) {
    const FolderRows r = BuildFolderRows(path, {"a"}, true);
    ASSERT_EQ(r.rows.size(), 2u) << path;
    EXPECT_EQ(r.rows[0].text, "C:\\");
    EXPECT_EQ(r.rows[0].icon, FolderIcon::Current);
    EXPECT_EQ(r.selected, 0u);
    EXPECT_EQ(r.rows[1].level, 1);
  }
}

TEST(BuildFolderRows, LowerCaseOnlyWhereTheVolumeDoesNotKeepCase) {
  const FolderRows folded = BuildFolderRows("C:\\Program Files", {"KORVAN"}, false);
  EXPECT_EQ(Texts(folded), (std::vector<std::string>{"c:\\", "program files", "korvan"}));
  // The spelling on disk is kept for the paths the rows stand for.
  EXPECT_EQ(RowPath(folded, 2), "C:\\Program Files\\KORVAN");
  const FolderRows kept = BuildFolderRows("C:\\Program Files", {"KORVAN"}, true);
  EXPECT_EQ(Texts(kept), (std::vector<std::string>{"C:\\", "Program Files", "KORVAN"}));
}

TEST(BuildFolderRows, DoubledAndTrailingSeparatorsAddNoRows) {
  const FolderRows r = BuildFolderRows("C:\\a\\\\b\\", {}, true);
  EXPECT_EQ(Texts(r), (std::vector<std::string>{"C:\\", "a", "b"}));
  EXPECT_EQ(r.selected, 2u);
}

TEST(BuildFolderRows, NetworkShareIsTheRoot) {
  const FolderRows r = BuildFolderRows("\\\\srv\\share\\apps", {"x"}, true);
  EXPECT_EQ(Texts(r), (std::vector<std::string>{"\\\\srv\\share", "apps", "x"}));
  EXPECT_EQ(RowPath(r, 0), "\\\\srv\\share");
  EXPECT_EQ(RowPath(r, 2), "\\\\srv\\share\\apps\\x");
}

TEST(RowPath, EveryRowLeadsToItsFolder) {
  const FolderRows r = BuildFolderRows("C:\\a\\b", {"c", "d"}, true);
  const char* expected[] = {"C:\\", "C:\\a", "C:\\a\\b", "C:\\a\\b\\c", "C:\\a\\b\\d"};
  ASSERT_EQ(r.rows.size(), 5u);
  for (size_t i = 0; i < r.rows.size(); ++i) EXPECT_EQ(RowPath(r, i), expected[i]) << i;
  EXPECT_EQ(RowPath(r, 5), "");
  const FolderRows root = BuildFolderRows("D:\\", {"x"}, true);
  EXPECT_EQ(RowPath(root, 1), "D:\\x");
}

// A start it cannot enter opens the current directory; a drive, where the
// chooser left it, else the system's folder of the drive, else its root,
// and a drive none of these opens leaves it where it was.
TEST(FolderBrowser, OpensAndChangesDrives) {
  testing_fake::FakePlatform fake;
  for (const char* dir : {"C:\\a\\b", "C:\\locked", "D:\\", "D:\\work", "E:\\"})
    fake.AddDir(dir);
  fake.RefuseDir("C:\\locked");
  fake.driveDirectories = {{'d', "D:\\work"}, {'e', "E:\\gone"}, {'f', "F:\\gone"}};
  ASSERT_TRUE(fake.ChangeCurrentDirectory("C:\\a\\b"));
  FolderBrowser browser(fake);
  browser.Open("C:\\locked");
  EXPECT_EQ(browser.Folder(), "C:\\a\\b");
  const std::pair<char, const char*> steps[] = {
      {'d', "D:\\work"}, {'c', "C:\\a\\b"}, {'e', "E:\\"}, {'f', "E:\\"}};
  for (const auto& [drive, folder] : steps) {
    EXPECT_EQ(browser.EnterDrive(drive), drive != 'f') << drive;
    EXPECT_EQ(browser.Folder(), folder) << drive;
    EXPECT_EQ(fake.CurrentDirectory(), folder) << drive;
  }
}

// The current directory is put back after the chooser, except when the
// chosen folder cannot be created: the error box shows over the chooser's.
TEST(BrowseForTarget, CreatesTheChosenFolderAndPutsTheCurrentDirectoryBack) {
  const struct {
    std::optional<std::string> chosen;
    const char* current;  // afterwards
  } cases[] = {
      {std::nullopt, "C:\\start"}, {"C:\\new\\deeper", "C:\\start"}, {"", "C:\\Vorlen"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chosen.value_or("cancelled"));
    testing_fake::FakePlatform fake;
    for (const char* dir : {"C:\\start", "C:\\Vorlen"}) fake.AddDir(dir);
    ASSERT_TRUE(fake.ChangeCurrentDirectory("C:\\start"));
    auto choose = [&](const std::string& start) {
      EXPECT_EQ(start, "C:\\Vorlen");
      EXPECT_EQ(fake.CurrentDirectory(), "C:\\Vorlen");
      return c.chosen;
    };
    if (c.chosen && c.chosen->empty()) {
      EXPECT_THROW(BrowseForTarget(fake, "C:\\Vorlen", choose), Error);
    } else {
      EXPECT_EQ(BrowseForTarget(fake, "C:\\Vorlen", choose), c.chosen);
    }
    EXPECT_EQ(fake.CurrentDirectory(), c.current);
    EXPECT_EQ(fake.HasDir("C:\\new\\deeper"), c.chosen.has_value() && !c.chosen->empty());
  }
}

TEST(ChooserTexts, RefusalNamesTheFolder) {
  EXPECT_EQ(wizard::OutsideCodePageMessage("C:\\x"),
            "Unable to use folder: C:\\x. \rIts name has characters outside the system's code "
            "page. Choose another one.");
}

}  // namespace
}  // namespace core
