#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/names.h"

namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
  const char* what;
  std::string text;
  Lines lines;
};

TEST(SplitLines, FollowsEveryLineEndRule) {
  const SplitCase cases[] = {
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"lone CR", "a\rb\r", {"a", "b"}},
      {"lone LF", "a\nb\n", {"a", "b"}},
      {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"no final break", "a\r\nb", {"a", "b"}},
      {"final break adds no line", "a\r\n", {"a"}},
      {"empty line in the middle", "a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"NUL ends the text", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
      {"NUL at the start", std::string("\0a", 2), {}},
      {"nothing trimmed", " a \t\r\n\tb ", {" a \t", "\tb "}},
      {"empty text", "", {}},
      {"only a break", "\r\n", {""}},
      {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(core::SplitLines(c.text), c.lines) << c.what;
}

TEST(ResourceName, ReplacesOnlyTheFourCharacters) {
  const std::pair<const char*, const char*> cases[] = {
      {"Pultix.exe", "Pultix_exe"},
      {"help\\Main-1.hlp", "help_Main_1_hlp"},
      {"file.lst", "file_lst"},
      {"a b.c-d\\e", "a_b_c_d_e"},
      {"KEEP/case+(x)", "KEEP/case+(x)"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(core::ResourceName(c.first), c.second) << c.first;
}

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

TEST(ExtractFilePath, KeepsTheLastSeparator) {
  EXPECT_EQ(core::ExtractFilePath("docs\\a.txt"), "docs\\");
  EXPECT_EQ(core::ExtractFilePath("C:a.txt"), "C:");
  EXPECT_EQ(core::ExtractFilePath("a.txt"), "");
}

TEST(IsSafePayloadName, RefusesNamesThatLeaveTheTarget) {
  const std::pair<const char*, bool> cases[] = {
      {"Pultix.exe", true},
      {"docs\\a.txt", true},
      {"a..b\\c", true},
      {".\\x", true},
      {"..x", true},
      {"", false},
      {"\\windows\\x.dll", false},
      {"\\\\server\\share\\x", false},
      {"/etc/x", false},
      {"C:\\x", false},
      {"C:x", false},
      {"file.txt:stream", false},
      {"..\\x", false},
      {"a\\..\\..\\x", false},
      {"a/../x", false},
      {"a\\..", false},
      {"..", false},
      {"a\\...\\x", false},
      {"a\\.. \\x", false},
      {"a\\. .\\x", false},
      {"a\\.\\x", true},
  };
  for (const auto& c : cases) EXPECT_EQ(core::IsSafePayloadName(c.first), c.second) << c.first;
}

TEST(JoinPath, DriveRootGetsOneSeparator) {
  EXPECT_EQ(core::JoinPath("C:\\", "\\pultix.exe"), "C:\\pultix.exe");
  EXPECT_EQ(core::JoinPath("C:\\dir", "\\pultix.exe"), "C:\\dir\\pultix.exe");
  EXPECT_EQ(core::JoinPath("C:\\dir", "\\"), "C:\\dir\\");
  EXPECT_EQ(core::JoinPath("C:\\", "\\"), "C:\\");
  // Only the one joint is touched; the rest stays as typed.
  EXPECT_EQ(core::JoinPath("C:\\a\\\\b", "\\x"), "C:\\a\\\\b\\x");
  EXPECT_EQ(core::JoinPath("", "\\x"), "\\x");
}

}  // namespace
