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
      // Devices: their bytes would go to the device, not to a file.
      {"nul.txt", false},
      {"docs\\AUX.log", false},
      {"con\\a.txt", false},
      {"NULL.txt", true},
      {"console.txt", true},
      {"COM10.txt", true},
  };
  for (const auto& c : cases) EXPECT_EQ(core::IsSafePayloadName(c.first), c.second) << c.first;
}

TEST(IsDeviceName, AnyCaseExtensionAndTrailingDotsOrBlanks) {
  const std::pair<const char*, bool> cases[] = {
      {"NUL", true},      {"nul.txt", true},   {"Aux.log", true},    {"COM1.txt", true},
      {"con", true},      {"PRN", true},       {"LPT1", true},       {"lpt9.a.b", true},
      {"CONIN$", true},   {"conout$.x", true}, {"nul.", true},       {"NUL ", true},
      {"nul .txt", true}, {"Con. . ", true},   {"com\xB9", true},   {"COM0", true},
      {"NULL", false},    {"nu", false},       {"COM", false},       {"COM10", false},
      {"LPTX", false},    {"xnul", false},     {" nul", false},      {"CONIN", false},
      {"a.nul", false},   {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(core::IsDeviceName(c.first), c.second) << c.first;
}

// The build refuses what Windows would not write as the named file.
TEST(NameProblem, RefusesNamesWindowsCannotWriteAsListed) {
  const std::string longPart(249, 'p');
  const std::string longFolder(256, 'f');
  // 30 characters of folder and a separator leave 228 of 259; the partial
  // name's suffix may pass them.
  const std::string tooLongPath = std::string(150, 'd') + "\\" + std::string(78, 'n');
  const std::string longestPath = std::string(150, 'd') + "\\" + std::string(77, 'n');
  const struct {
    std::string name;
    const char* problem;  // a part of the reason; nullptr when accepted
  } cases[] = {
      {"Pultix.exe", nullptr},
      {"docs\\deep\\Main-1.hlp", nullptr},
      {"a b.txt", nullptr},
      {longestPath, nullptr},
      {"", "is empty"},
      {"..\\a.txt", "outside the target folder"},
      {"a.txt:x", "outside the target folder"},
      {"docs/readme.txt", "contains '/'"},
      {"a*b.txt", "forbids"},
      {"a?b.txt", "forbids"},
      {"a<b", "forbids"},
      {"a>b", "forbids"},
      {"a|b", "forbids"},
      {"a\"b", "forbids"},
      {"a\tb", "outside printable ASCII"},
      {"a\x7f", "outside printable ASCII"},
      {"docs\\\\b.txt", "empty folder or file name"},
      {"docs\\", "empty folder or file name"},
      {"Zeta1.def.", "ending in '.' or ' '"},
      {"Zeta1.def ", "ending in '.' or ' '"},
      {"docs \\a.txt", "ending in '.' or ' '"},
      {"a\\.\\x", "ending in '.' or ' '"},
      {"nul.txt", "names a device"},
      {"NUL", "names a device"},
      {"AUX.log", "names a device"},
      {"COM1.txt", "names a device"},
      {"CON", "names a device"},
      {"PRN", "names a device"},
      {"LPT1", "names a device"},
      {"CONIN$", "names a device"},
      {"conout$.txt", "names a device"},
      {"Nul.txt.", "names a device"},
      {"docs\\con\\a.txt", "names a device"},
      {longPart, "longer than 248 characters"},
      {longFolder + "\\a.txt", "longer than 255 characters"},
      {tooLongPath, "would not fit below c:\\Program Files\\Vorlen\\KORVAN"},
      {"a.txt.~setup", "ends in .~setup"},
      {"#1", "begins with '#'"},
  };
  for (const auto& c : cases) {
    const std::string problem = core::NameProblem(c.name);
    if (!c.problem) {
      EXPECT_EQ(problem, "") << c.name;
    } else {
      EXPECT_NE(problem.find(c.problem), std::string::npos) << c.name << ": " << problem;
    }
  }
}

TEST(WindowsFileKey, EqualForNamesOfOneFile) {
  EXPECT_EQ(core::WindowsFileKey("docs\\Zeta1.def"), core::WindowsFileKey("DOCS\\zeta1.DEF"));
  EXPECT_EQ(core::WindowsFileKey("Zeta1.def. "), core::WindowsFileKey("Zeta1.def"));
  EXPECT_NE(core::WindowsFileKey("a_txt"), core::WindowsFileKey("a.txt"));
  EXPECT_NE(core::WindowsFileKey("a\\b"), core::WindowsFileKey("ab"));
}

}  // namespace
