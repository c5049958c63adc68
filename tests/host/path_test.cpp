#include "core/path.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(FileNameStem, StripsFolderAndExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\x\\_setup.exe", "_setup"},
      {"C:\\dir.old\\readme", "readme"},
      {"a.", "a"},
      {".x", ""},
      {"C:\\Program Files\\Vorlen\\KORVAN\\Pultix.exe", "Pultix"},
      {"C:name.tar.gz", "name.tar"},
      {"plain", "plain"},
      {"Install Me.exe", "Install Me"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::FileNameStem(c.first), c.second) << c.first;
}

TEST(FolderOf, KeepsTheLastSeparator) {
  EXPECT_EQ(core::FolderOf("docs\\a.txt"), "docs\\");
  EXPECT_EQ(core::FolderOf("C:a.txt"), "C:");
  EXPECT_EQ(core::FolderOf("a.txt"), "");
}

// The drive letter in lower case or nothing; the volume root as the system
// is asked by it, the drive's letter as written.
TEST(DriveLetterOf, LowerCaseLetterOrNothingAndTheVolumeRoot) {
  struct Case {
    const char* path;
    char letter;
    const char* volumeRoot;
  } cases[] = {
      {"C:\\x", 'c', "C:\\"},
      {"r:", 'r', "r:\\"},
      {"D:\\a\\b\\", 'd', "D:\\"},
      {"\\\\srv\\share", 0, "\\\\srv\\share\\"},
      {"\\\\srv\\share\\apps\\x", 0, "\\\\srv\\share\\"},
      {"\\\\srv", 0, "\\\\srv\\"},
      {"1:", 0, ""},
      {"C", 0, ""},
      {"\\apps", 0, ""},
      {"apps\\x", 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::DriveLetterOf(c.path), c.letter) << c.path;
    EXPECT_EQ(core::VolumeRoot(c.path), c.volumeRoot) << c.path;
  }
}

TEST(JoinPath, OneSeparatorAtTheJoint) {
  EXPECT_EQ(core::JoinPath("C:\\", "\\pultix.exe"), "C:\\pultix.exe");
  EXPECT_EQ(core::JoinPath("C:\\dir", "\\pultix.exe"), "C:\\dir\\pultix.exe");
  EXPECT_EQ(core::JoinPath("C:\\", "pultix.exe"), "C:\\pultix.exe");
  EXPECT_EQ(core::JoinPath("C:\\dir", "pultix.exe"), "C:\\dir\\pultix.exe");
  EXPECT_EQ(core::JoinPath("C:\\dir", "\\"), "C:\\dir\\");
  EXPECT_EQ(core::JoinPath("C:\\", "\\"), "C:\\");
  // Only the one joint is touched; the rest stays as typed.
  EXPECT_EQ(core::JoinPath("C:\\a\\\\b", "\\x"), "C:\\a\\\\b\\x");
  EXPECT_EQ(core::JoinPath("", "\\x"), "\\x");
  EXPECT_EQ(core::JoinPath("", "x"), "x");
}

}  // namespace
