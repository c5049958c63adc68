// MyTools against the real system under Wine, with the shipped payload
// linked into this test program as it is into the installer.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/error.h"
#include "core/names.h"
#include "core/path.h"
#include "core/payload.h"
#include "tools/FileSystem.h"
#include "tools/MyTools.h"
#include "win32/ScopedWin.h"
#include "tools/SingleInstance.h"
#include "tests/support/support.h"

namespace {

using support::KeptFiles;
using support::LinkInfo;
using support::PayloadFile;
using support::ReadAll;
using support::ReadLink;
using support::TempDir;

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class CountingGauge : public core::Gauge {};

TEST(Resources, LookUpIgnoresCaseAndReturnsTheFileBytes) {
  tools::Win32Platform platform;
  for (const char* name : {"Pultix_exe", "PULTIX_EXE", "pultix_exe"}) {
    const core::Bytes b = platform.ReadResource(name);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data), b.size), PayloadFile("Pultix.exe"))
        << name;
  }
  try {
    platform.ReadResource("no_such_file");
    FAIL() << "no error raised";
  } catch (const core::Error& e) {
    EXPECT_STREQ(e.what(), "Resource no_such_file not found");
  }
}

TEST(Resources, ManifestListsElevenFilesAndTheVersion) {
  tools::Win32Platform platform;
  const std::vector<std::string> list = core::LoadResourceList(platform, "file_lst");
  ASSERT_EQ(list.size(), 12u);
  EXPECT_EQ(list.front(), "Pultix.cnt");
  EXPECT_EQ(list[5], "file.lst");
  EXPECT_EQ(list.back(), "2.00.001");
}

TEST(Extract, WritesThePayloadByteForByte) {
  TempDir dir;
  tools::Win32Platform platform;
  CountingGauge gauge;
  core::Run run(platform);
  ASSERT_TRUE(core::ExtractPayload(run, dir.path(), gauge));
  for (const auto& name : KeptFiles())
    EXPECT_EQ(ReadAll(dir.path() + "\\" + name), PayloadFile(name)) << name;
  EXPECT_FALSE(Exists(dir.path() + "\\file.lst"));
  EXPECT_EQ(gauge.PercentDone(), 100);
  // Running again overwrites what is there.
  std::ofstream(dir.path() + "\\Zeta1.def", std::ios::binary) << std::string(100000, 's');
  ASSERT_TRUE(core::ExtractPayload(run, dir.path(), gauge));
  EXPECT_EQ(ReadAll(dir.path() + "\\Zeta1.def"), PayloadFile("Zeta1.def"));
}

// A folder in the file's place cannot be opened (a read-only file is proved
// end to end).
TEST(Extract, UnwritableFileStopsTheRunThere) {
  TempDir dir;
  const std::string blocked = dir.path() + "\\PULTIX.HLP";
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  tools::Win32Platform platform;
  CountingGauge gauge;
  core::Run run(platform);
  EXPECT_FALSE(core::ExtractPayload(run, dir.path(), gauge));
  EXPECT_TRUE(Exists(dir.path() + "\\Pultix.exe"));
  EXPECT_FALSE(Exists(dir.path() + "\\pultix.hu"));
  EXPECT_EQ(gauge.Progress(), 2);
  EXPECT_FALSE(Exists(dir.path() + "\\file.lst"));
}

// A file that cannot be replaced stops the run and keeps its bytes; no
// partial file is left. Windows refuses to replace a read-only file even for
// an administrator.
TEST(Extract, FileThatCannotBeReplacedKeepsItsBytes) {
  tools::Win32Platform platform;
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "held open without sharing");
    TempDir dir;
    const std::string target = dir.path() + "\\Pultix.exe";
    std::ofstream(target, std::ios::binary) << "earlier";
    std::optional<win32::ScopedHandle> h;
    if (readOnly) {
      ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
      h.emplace(CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(h->valid());
    }
    core::Run run(platform);
    EXPECT_FALSE(core::ExtractResourceFile(run, dir.path() + "\\", "PULTIX_EXE", "Pultix.exe"));
    h.reset();
    EXPECT_EQ(ReadAll(target), "earlier");
    EXPECT_FALSE(Exists(target + ".~setup")) << "partial file left";
  }
  TempDir dir;
  core::Run run(platform);
  EXPECT_TRUE(
      core::ExtractResourceFile(run, dir.path() + "\\", "PULTIX_CNT", "sub\\dir\\Pultix.cnt"));
  EXPECT_EQ(ReadAll(dir.path() + "\\sub\\dir\\Pultix.cnt"), PayloadFile("Pultix.cnt"));
}

// A scanner that opens the earlier file without delete sharing, and lets go
// a moment later, only delays the file.
TEST(Extract, AFileHeldForAMomentIsReplaced) {
  TempDir dir;
  const std::string target = dir.path() + "\\Pultix.exe";
  std::ofstream(target, std::ios::binary) << "earlier";
  const HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread scanner([held] {
    Sleep(300);
    CloseHandle(held);
  });
  tools::Win32Platform platform;
  core::Run run(platform);
  EXPECT_TRUE(core::ExtractResourceFile(run, dir.path() + "\\", "PULTIX_EXE", "Pultix.exe"));
  scanner.join();
  EXPECT_EQ(ReadAll(target), PayloadFile("Pultix.exe"));
}

core::Bytes AsBytes(const std::string& s) {
  return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

// A new file is created, never opened: whatever has the name, a link to a
// file elsewhere included, stays as it is. Only a plain file is deleted, a
// read-only one only as a leftover, and a link's file is never touched.
TEST(Files, OnlyPlainFilesAreDeletedAndNothingIsWrittenThrough) {
  enum class Kind { kNone, kPlain, kReadOnly, kHardLink, kSymbolicLink, kFolder, kHeld };
  const struct {
    const char* what;
    Kind kind;
    bool removedAsLeftover, removedAsFile;
  } cases[] = {
      {"no file", Kind::kNone, false, false},
      {"plain file", Kind::kPlain, true, true},
      {"read-only file", Kind::kReadOnly, true, false},
      {"hard link to a file outside", Kind::kHardLink, false, false},
      {"symbolic link to a file outside", Kind::kSymbolicLink, false, false},
      {"folder", Kind::kFolder, false, false},
      // A deletion it allowed would happen once it lets go, after the run.
      {"file another program holds with delete sharing", Kind::kHeld, false, false},
  };
  tools::Win32Platform platform;
  for (const auto& c : cases) {
    for (const bool leftover : {true, false}) {
      SCOPED_TRACE(std::string(c.what) + (leftover ? ", as a leftover" : ", as a file"));
      TempDir outside, dir;
      const std::string victim = outside.path() + "\\victim.txt";
      const std::string name = dir.path() + "\\x.~setup";
      std::optional<win32::ScopedHandle> holder;
      ASSERT_TRUE(e2e::WriteBytes(victim, "victim"));
      switch (c.kind) {
        case Kind::kNone: break;
        case Kind::kPlain: ASSERT_TRUE(e2e::WriteBytes(name, "left")); break;
        case Kind::kReadOnly:
          ASSERT_TRUE(e2e::WriteBytes(name, "left"));
          ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY));
          break;
        case Kind::kHardLink:
          ASSERT_TRUE(CreateHardLinkA(name.c_str(), victim.c_str(), nullptr));
          break;
        case Kind::kSymbolicLink: ASSERT_TRUE(support::MakeSymbolicLink(name, victim)); break;
        case Kind::kFolder: ASSERT_TRUE(CreateDirectoryA(name.c_str(), nullptr)); break;
        case Kind::kHeld:
          ASSERT_TRUE(e2e::WriteBytes(name, "held"));
          holder.emplace(CreateFileA(name.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
          ASSERT_TRUE(holder->valid());
          break;
      }
      if (c.kind == Kind::kHardLink || c.kind == Kind::kSymbolicLink)
        ASSERT_EQ(ReadAll(name), "victim") << "not a link";
      const bool removed = leftover ? platform.RemoveLeftover(name) : platform.RemoveFile(name);
      EXPECT_EQ(removed, leftover ? c.removedAsLeftover : c.removedAsFile);
      EXPECT_EQ(ReadAll(victim), "victim") << "the file outside was changed";
      holder.reset();
      const bool free = c.kind == Kind::kNone || removed;
      EXPECT_EQ(Exists(name), !free);
      const bool created =
          platform.WriteNewFile(name, AsBytes("new"), true) == core::FileResult::kDone;
      EXPECT_EQ(created, free);
      EXPECT_EQ(ReadAll(victim), "victim") << "written through the name";
      if (created) EXPECT_EQ(ReadAll(name), "new");
      if (c.kind == Kind::kSymbolicLink) EXPECT_TRUE(support::RemoveSymbolicLink(name));
    }
  }
}

// Large files are written in pieces: every byte lands once, in its place,
// at each size around a piece's end.
TEST(Files, WriteNewFileWritesEveryByte) {
  TempDir dir;
  tools::Win32Platform platform;
  constexpr size_t kMiB = 1 << 20;
  for (const size_t size : {size_t{0}, size_t{1}, kMiB - 1, kMiB, kMiB + 1, 3 * kMiB + 5}) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    const std::string name = dir.path() + "\\" + std::to_string(size);
    EXPECT_EQ(platform.WriteNewFile(name, AsBytes(bytes), false), core::FileResult::kDone) << size;
    EXPECT_TRUE(ReadAll(name) == bytes) << size;
  }
}

TEST(Files, ReplaceMovesOverTheEarlierFile) {
  TempDir dir;
  tools::Win32Platform platform;
  const std::string a = dir.path() + "\\a.txt", b = dir.path() + "\\b.txt";
  std::ofstream(b, std::ios::binary) << "old";
  platform.WriteNewFile(a, AsBytes("new"), false);
  EXPECT_TRUE(platform.FileExists(a));
  EXPECT_FALSE(platform.FileExists(dir.path())) << "a folder is not a file";
  EXPECT_FALSE(platform.FileExists(dir.path() + "\\none"));
  {
    // A virus scanner reading the new file, sharing everything, does not
    // stand in the way.
    const win32::ScopedHandle scanner(
        CreateFileA(a.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(scanner.valid());
    EXPECT_EQ(platform.ReplaceFile(a, b), core::FileResult::kDone);
  }
  EXPECT_EQ(ReadAll(b), "new");
  EXPECT_FALSE(platform.FileExists(a));
  // A folder in the way is never replaced.
  std::ofstream(a, std::ios::binary) << "new";
  const std::string folder = dir.path() + "\\sub";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_EQ(platform.ReplaceFile(a, folder), core::FileResult::kFailed);
  EXPECT_TRUE(platform.FileExists(a));
}

// While a run holds its folder, nobody renames it (or puts a link in its
// place); the run itself still writes and moves files inside it.
TEST(Files, AHeldFolderCannotBeRenamed) {
  TempDir dir;
  tools::Win32Platform platform;
  const std::string folder = dir.path() + "\\held", moved = dir.path() + "\\moved";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  EXPECT_FALSE(platform.HoldFolder(folder + "\\none"));
  {
    const std::unique_ptr<core::HeldFolder> held = platform.HoldFolder(folder);
    ASSERT_TRUE(held);
    EXPECT_FALSE(MoveFileA(folder.c_str(), moved.c_str())) << "renamed while held";
    EXPECT_EQ(platform.WriteNewFile(folder + "\\a.~setup", AsBytes("new"), false),
              core::FileResult::kDone);
    EXPECT_EQ(platform.ReplaceFile(folder + "\\a.~setup", folder + "\\a"), core::FileResult::kDone);
  }
  EXPECT_TRUE(MoveFileA(folder.c_str(), moved.c_str())) << "still held";
}

// A temporary name is longer than its file's: it may pass MAX_PATH where
// the file's name fits (writing there is part of the longest-folder run).
TEST(Files, LeftoverBeyondMaxPathIsRemoved) {
  TempDir dir;
  tools::Win32Platform platform;
  // The longest folder CreateDirectoryA makes: 248 characters with the NUL.
  const size_t longestFolder = 247;
  const std::string folder = dir.path() + "\\" + std::string(longestFolder - dir.path().size() - 1, 'f');
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string file = folder + "\\Zeta1.def", partial = file + core::kPartialSuffix;
  ASSERT_LT(file.size(), static_cast<size_t>(MAX_PATH));
  ASSERT_GE(partial.size(), static_cast<size_t>(MAX_PATH));
  platform.WriteNewFile(partial, AsBytes("cut"), false);
  EXPECT_TRUE(platform.RemoveLeftover(partial));
  EXPECT_EQ(platform.WriteNewFile(partial, AsBytes("new"), false), core::FileResult::kDone)
      << "not removed";
  // The folder's own clean-up cannot reach a name this long.
  EXPECT_TRUE(platform.RemoveLeftover(partial));
}

// A share's long form is \\?\UNC\server\share (the share is a test fixture's).
TEST(Files, LeftoverOnANetworkShareIsRemoved) {
  tools::Win32Platform platform;
  const std::string partial = "\\\\localhost\\share\\tools" + std::to_string(GetCurrentProcessId()) +
                              core::kPartialSuffix;
  platform.WriteNewFile(partial, AsBytes("cut"), false);
  EXPECT_TRUE(platform.FileExists(partial));
  EXPECT_TRUE(platform.RemoveLeftover(partial));
  EXPECT_FALSE(platform.FileExists(partial));
}

// Only a mutex this copy created makes it the first: the name is taken as
// well by a mutex another account's copy denies it, or by another object.
TEST(SingleInstance, OnlyAMutexOfItsOwnMakesTheFirstCopy) {
  const std::string name = "SetupToolsTest" + std::to_string(GetCurrentProcessId());
  const std::string local = "Local\\" + name;
  SECURITY_DESCRIPTOR nobody;  // an empty access list: no one may open it
  ACL empty;
  ASSERT_TRUE(InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(InitializeAcl(&empty, sizeof empty, ACL_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE));
  SECURITY_ATTRIBUTES denied = {sizeof denied, &nobody, FALSE};
  const struct {
    const char* holder;
    std::function<HANDLE()> hold;
    bool first;
  } cases[] = {
      {"nothing", [] { return HANDLE(nullptr); }, true},
      {"another copy", [&] { return CreateMutexA(nullptr, FALSE, local.c_str()); }, false},
      {"a mutex denied to us", [&] { return CreateMutexA(&denied, FALSE, local.c_str()); }, false},
      {"an event", [&] { return CreateEventA(nullptr, FALSE, FALSE, local.c_str()); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.holder);
    const win32::ScopedHandle held(c.hold());
    ASSERT_EQ(held.valid(), c.first == false);
    const tools::SingleInstance instance(name.c_str());
    EXPECT_EQ(instance.IsFirst(), c.first);
  }
}

TEST(Registry, WriteRegStringCreatesAMissingKey) {
  const std::string key = "Software\\SetupToolsTest\\" + std::to_string(GetCurrentProcessId());
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SetupToolsTest");
  tools::Win32Platform platform;
  ASSERT_TRUE(platform.WriteRegString(key + "\\Locales", "C:\\x\\pultix.exe", "DLL"));
  win32::ScopedKey k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key + "\\Locales").c_str(), 0, KEY_READ, k.receive()),
            ERROR_SUCCESS);
  char data[16] = {};
  DWORD type = 0;
  DWORD size = sizeof data;
  ASSERT_EQ(RegQueryValueExA(k.get(), "C:\\x\\pultix.exe", nullptr, &type,
                             reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 4u);  // "DLL" and its NUL
  EXPECT_STREQ(data, "DLL");
  k.reset();
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SetupToolsTest");
}

class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    support::RemoveLinks();
  }
  void TearDown() override {
    support::RemoveLinks();
    CoUninitialize();
  }
  const std::string desktopLink_ = support::DesktopLink(), group_ = support::StartMenuGroup();
};

TEST_F(Shortcuts, DesktopLinkPointsAtTheProgram) {
  tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", true);
  ASSERT_TRUE(Exists(desktopLink_));
  EXPECT_FALSE(Exists(group_));
  LinkInfo info;
  ASSERT_TRUE(ReadLink(desktopLink_, &info));
  EXPECT_EQ(info.target, "C:\\Target\\Pultix.exe");
  EXPECT_EQ(info.arguments, " ");
  EXPECT_EQ(info.workDir, "C:\\Target");
}

TEST_F(Shortcuts, ProgramsLinkCreatesTheGroupFolder) {
  tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", false);
  EXPECT_TRUE(Exists(group_ + "\\Pultix.lnk"));
  EXPECT_FALSE(Exists(desktopLink_));
}

// A file where the group folder should be: the link cannot be saved, and
// the user is told which one.
TEST_F(Shortcuts, ALinkThatCannotBeSavedRaises) {
  ASSERT_TRUE(e2e::WriteBytes(group_, "in the way"));
  try {
    tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", false);
    ADD_FAILURE() << "no error raised";
  } catch (const core::Error& e) {
    EXPECT_EQ(e.what(), "Cannot create file " + group_ + "\\Pultix.lnk");
  }
  EXPECT_EQ(ReadAll(group_), "in the way");
  DeleteFileA(group_.c_str());
}

// A redirected folder leaves "Shell Folders" stale; the links follow the shell.
TEST_F(Shortcuts, StaleShellFoldersValuesLoseToTheShell) {
  const char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  win32::ScopedKey k;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            k.receive(), nullptr),
            ERROR_SUCCESS);
  const struct {
    const char* value;
    bool onDesktop;
    std::string link;
  } cases[] = {{"Desktop", true, desktopLink_}, {"Programs", false, group_ + "\\Pultix.lnk"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    TempDir stale;
    {
      const support::SavedRegValue saved(k.get(), c.value);
      RegSetValueExA(k.get(), c.value, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(stale.path().c_str()),
                     static_cast<DWORD>(stale.path().size() + 1));
      tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", c.onDesktop);
    }
    EXPECT_TRUE(Exists(c.link));
    EXPECT_FALSE(Exists(stale.path() + "\\Pultix.lnk"));
    EXPECT_FALSE(Exists(stale.path() + "\\Vorlen"));
  }
}

// A profile named outside the ANSI code page: the shell's ANSI answer names
// a folder that is not there ("o" for "\u0151"); the links go to the real one.
TEST_F(Shortcuts, FoldersNamedOutsideTheCodePageGetTheirLinks) {
  const std::string explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  win32::ScopedKey user, shell;  // where the shell and where old programs look
  for (auto [name, key] : {std::pair{"User Shell Folders", &user}, {"Shell Folders", &shell}})
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (explorer + name).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, key->receive(), nullptr),
              ERROR_SUCCESS);
  TempDir base;
  const struct {
    const char* value;
    bool onDesktop;
    const wchar_t* link;  // below the folder
  } cases[] = {{"Desktop", true, L"\\Pultix.lnk"}, {"Programs", false, L"\\Vorlen\\Pultix.lnk"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    const std::string ascii = base.path() + "\\" + c.value;
    win32::WideText folder(ascii.c_str(), ascii.c_str() + ascii.size() + 1);
    tools::Append(folder, L" Gy\u0151z\u0151");
    std::string ansi;
    ASSERT_FALSE(tools::ToAnsi(folder.data(), ansi)) << "the code page writes the name";
    ASSERT_TRUE(CreateDirectoryW(folder.data(), nullptr));
    {
      const support::SavedRegValue savedUser(user.get(), c.value), savedShell(shell.get(), c.value);
      const win32::WideText name(c.value, c.value + strlen(c.value) + 1);
      for (HKEY key : {user.get(), shell.get()})
        ASSERT_EQ(RegSetValueExW(key, name.data(), 0, key == user.get() ? REG_EXPAND_SZ : REG_SZ,
                                 reinterpret_cast<const BYTE*>(folder.data()),
                                 static_cast<DWORD>(folder.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
      tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", c.onDesktop);
    }
    win32::WideText link(folder), group(folder);
    tools::Append(link, c.link);
    EXPECT_NE(GetFileAttributesW(link.data()), INVALID_FILE_ATTRIBUTES) << "no link there";
    // The folder's own cleanup reads names through the ANSI calls.
    tools::Append(group, L"\\Vorlen");
    DeleteFileW(link.data());
    RemoveDirectoryW(group.data());
    RemoveDirectoryW(folder.data());
  }
}

// What the links fall back to when the shell knows no folder: here none it
// could know (a CSIDL it refuses as invalid).
TEST(ShellFoldersFallback, StringsAreTakenOthersRaise) {
  constexpr int kNoSuchFolder = 0xFF;
  const char kTestKey[] = "Software\\SetupToolsTest\\Explorer";
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SetupToolsTest");
  win32::ScopedKey explorer, folders;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            explorer.receive(), nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(tools::ShellFolder(explorer.get(), "Desktop", kNoSuchFolder),
            win32::WideText(1, L'\0'))
      << "no Shell Folders key";
  ASSERT_EQ(RegCreateKeyExA(explorer.get(), "Shell Folders", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, folders.receive(), nullptr),
            ERROR_SUCCESS);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const DWORD number = 7;
  const struct {
    const char* name;
    DWORD type;
    std::string data;  // for strings
    std::string result, error;
  } cases[] = {
      {"Plain", REG_SZ, "C:\\Old\\Desktop", "C:\\Old\\Desktop", ""},
      {"Expandable", REG_EXPAND_SZ, "%SystemRoot%\\Desk", std::string(windows) + "\\Desk", ""},
      {"Empty", REG_SZ, "", "", ""},
      {"Missing", REG_NONE, "", "", ""},
      {"Number", REG_DWORD, "", "", "Invalid data type for 'Number'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.type == REG_DWORD)
      RegSetValueExA(folders.get(), c.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    else if (c.type != REG_NONE)
      RegSetValueExA(folders.get(), c.name, 0, c.type,
                     reinterpret_cast<const BYTE*>(c.data.c_str()),
                     static_cast<DWORD>(c.data.size() + 1));
    std::string result, error;
    try {
      EXPECT_TRUE(
          tools::ToAnsi(tools::ShellFolder(explorer.get(), c.name, kNoSuchFolder).data(), result));
    } catch (const core::Error& e) {
      error = e.what();
    }
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(error, c.error);
  }
  folders.reset();
  explorer.reset();
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SetupToolsTest");
}

TEST(Paths, SystemDirAndFileNameStem) {
  char expected[MAX_PATH] = {};
  GetSystemDirectoryA(expected, MAX_PATH);
  const std::string dir = tools::GetSystemDir();
  EXPECT_EQ(dir, expected);
  ASSERT_GE(dir.size(), 3u);
  EXPECT_EQ(dir.substr(1, 2), ":\\");
  EXPECT_EQ(core::FileNameStem(tools::GetSystemDir() + "\\_setup.exe"), "_setup");
}

// The folder as a program inside it sees its own path, whatever the text.
TEST(Paths, FullAndFullLongPathOfAFolder) {
  TempDir temp;
  tools::Win32Platform platform;
  const std::string dir = platform.FullLongPath(temp.path());
  const std::string folder = dir + "\\Long Folder Name\\KORVAN";
  ASSERT_TRUE(CreateDirectoryA((dir + "\\Long Folder Name").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  char shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(folder.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortName), folder) << "no short name to test with";
  const std::string saved = platform.CurrentDirectory();
  ASSERT_FALSE(saved.empty());
  {
    ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
    const struct {
      std::string text, full, fullLong;
    } cases[] = {
        {folder, folder, folder},
        {"C:\\", "C:\\", "C:\\"},
        {folder + ".", folder, folder},
        {folder + " ", folder, folder},
        {shortName, shortName, folder},
        {".\\Long Folder Name\\KORVAN", folder, folder},
        {".", dir, dir},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.text);
      EXPECT_EQ(tools::FullPath(c.text), c.full);
      EXPECT_EQ(platform.FullLongPath(c.text), c.fullLong);
    }
  }
  // Back, or the folder cannot be removed.
  EXPECT_TRUE(platform.ChangeCurrentDirectory(saved));
  EXPECT_EQ(platform.CurrentDirectory(), saved);
}

TEST(Errors, OleErrorTextComesFromTheSystemOrTheCode) {
  EXPECT_FALSE(tools::OleErrorMessage(E_NOINTERFACE).empty());
  EXPECT_EQ(tools::OleErrorMessage(static_cast<HRESULT>(0x8123ABCD)), "OLE error 8123abcd");
}

}  // namespace
