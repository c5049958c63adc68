// MyTools against the real system under Wine, with the shipped payload
// linked into this test program as it is into the installer.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/error.h"
#include "tools/MyTools.h"
#include "tools/ScopedWin.h"

namespace {

const std::vector<std::string> kKept = {"Pultix.cnt", "Pultix.exe", "PULTIX.HLP", "pultix.hu",
                                        "Logbix.HU",  "Zeta1.def",  "Zeta2.def",  "Zeta3.def",
                                        "Zeta4.def",  "Zeta5.def"};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string PayloadFile(const std::string& name) {
  std::string dir = SETUP_PAYLOAD_DIR_Z;
  for (char& c : dir) {
    if (c == '/') c = '\\';
  }
  return ReadAll(dir + "\\" + name);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A fresh folder under %TEMP%, removed with its files afterwards.
class TempDir {
 public:
  TempDir() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "tools_test_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter_++);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempDir() { Remove(path_); }
  const std::string& path() const { return path_; }

 private:
  static void Remove(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = dir + "\\" + name;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(full);
        else
          DeleteFileA(full.c_str());
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }
  static int counter_;
  std::string path_;
};
int TempDir::counter_ = 0;

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
  std::vector<std::string> list = {"stale"};
  tools::LoadResourceList("file_lst", list);
  ASSERT_EQ(list.size(), 12u);
  EXPECT_EQ(list.front(), "Pultix.cnt");
  EXPECT_EQ(list[5], "file.lst");
  EXPECT_EQ(list.back(), "2.00.001");
}

TEST(Extract, WritesThePayloadByteForByte) {
  TempDir dir;
  CountingGauge gauge;
  ASSERT_TRUE(tools::ExtractPayload(dir.path(), gauge));
  for (const auto& name : kKept)
    EXPECT_EQ(ReadAll(dir.path() + "\\" + name), PayloadFile(name)) << name;
  EXPECT_FALSE(Exists(dir.path() + "\\file.lst"));
  EXPECT_EQ(gauge.PercentDone(), 100);
  // Running again overwrites what is there.
  std::ofstream(dir.path() + "\\Zeta1.def", std::ios::binary) << "stale";
  ASSERT_TRUE(tools::ExtractPayload(dir.path(), gauge));
  EXPECT_EQ(ReadAll(dir.path() + "\\Zeta1.def"), PayloadFile("Zeta1.def"));
}

// Wine running as root writes read-only files regardless (the host tests
// cover that case); a folder in the file's place cannot be opened either way.
TEST(Extract, UnwritableFileStopsTheRunThere) {
  TempDir dir;
  const std::string blocked = dir.path() + "\\PULTIX.HLP";
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  CountingGauge gauge;
  EXPECT_FALSE(tools::ExtractPayload(dir.path(), gauge));
  EXPECT_TRUE(Exists(dir.path() + "\\Pultix.exe"));
  EXPECT_FALSE(Exists(dir.path() + "\\pultix.hu"));
  EXPECT_EQ(gauge.Progress(), 2);
  EXPECT_FALSE(Exists(dir.path() + "\\file.lst"));
}

TEST(Extract, FileHeldOpenWithoutSharingFails) {
  TempDir dir;
  const std::string held = dir.path() + "\\Pultix.exe";
  tools::ScopedHandle h(CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(h.valid());
  EXPECT_FALSE(tools::ExtractResourceFile(GetModuleHandleA(nullptr), dir.path() + "\\",
                                          "PULTIX_EXE", "Pultix.exe"));
  EXPECT_TRUE(tools::ExtractResourceFile(GetModuleHandleA(nullptr), dir.path() + "\\",
                                         "PULTIX_CNT", "sub\\dir\\Pultix.cnt"));
  EXPECT_EQ(ReadAll(dir.path() + "\\sub\\dir\\Pultix.cnt"), PayloadFile("Pultix.cnt"));
}

TEST(Registry, WriteRegStringCreatesAMissingKey) {
  const std::string key = "Software\\SetupToolsTest\\" + std::to_string(GetCurrentProcessId());
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\SetupToolsTest");
  ASSERT_TRUE(tools::WriteRegString(key + "\\Locales", "C:\\x\\pultix.exe", "DLL"));
  tools::ScopedKey k;
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

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

struct LinkInfo {
  std::string path, arguments, workDir;
};

LinkInfo ReadLink(const std::string& file) {
  LinkInfo info;
  tools::ComPtr<IShellLinkA> link;
  tools::ComPtr<IPersistFile> persist;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.receive())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, persist.receive())))
    return info;
  std::wstring wide(file.begin(), file.end());
  if (FAILED(persist->Load(wide.c_str(), STGM_READ))) return info;
  char buf[MAX_PATH] = {};
  link->GetPath(buf, MAX_PATH, nullptr, 0);
  info.path = buf;
  link->GetArguments(buf, MAX_PATH);
  info.arguments = buf;
  link->GetWorkingDirectory(buf, MAX_PATH);
  info.workDir = buf;
  return info;
}

class Shortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    desktopLink_ = ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\Pultix.lnk";
    group_ = ShellFolder(CSIDL_PROGRAMS) + "\\Vorlen";
    DeleteFileA(desktopLink_.c_str());
    DeleteFileA((group_ + "\\Pultix.lnk").c_str());
    RemoveDirectoryA(group_.c_str());
  }
  void TearDown() override {
    DeleteFileA(desktopLink_.c_str());
    DeleteFileA((group_ + "\\Pultix.lnk").c_str());
    RemoveDirectoryA(group_.c_str());
    CoUninitialize();
  }
  std::string desktopLink_, group_;
};

TEST_F(Shortcuts, DesktopLinkPointsAtTheProgram) {
  tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", true);
  ASSERT_TRUE(Exists(desktopLink_));
  EXPECT_FALSE(Exists(group_));
  const LinkInfo info = ReadLink(desktopLink_);
  EXPECT_EQ(info.path, "C:\\Target\\Pultix.exe");
  EXPECT_EQ(info.arguments, " ");
  EXPECT_EQ(info.workDir, "C:\\Target");
}

TEST_F(Shortcuts, ProgramsLinkCreatesTheGroupFolder) {
  tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", false);
  EXPECT_TRUE(Exists(group_ + "\\Pultix.lnk"));
  EXPECT_FALSE(Exists(desktopLink_));
}

TEST_F(Shortcuts, MissingShellFoldersValueFallsBackToTheShell) {
  const char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  tools::ScopedKey k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, k.receive()), ERROR_SUCCESS);
  char saved[MAX_PATH] = {};
  DWORD size = sizeof saved;
  DWORD type = 0;
  const bool had = RegQueryValueExA(k.get(), "Desktop", nullptr, &type,
                                    reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS;
  RegDeleteValueA(k.get(), "Desktop");
  tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", true);
  if (had) RegSetValueExA(k.get(), "Desktop", 0, type, reinterpret_cast<BYTE*>(saved), size);
  EXPECT_TRUE(Exists(desktopLink_));
}

TEST_F(Shortcuts, NonStringShellFoldersValueIsAnError) {
  const char kKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  tools::ScopedKey k;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, k.receive()), ERROR_SUCCESS);
  char saved[MAX_PATH] = {};
  DWORD size = sizeof saved;
  DWORD type = 0;
  const bool had = RegQueryValueExA(k.get(), "Programs", nullptr, &type,
                                    reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS;
  const DWORD number = 7;
  RegSetValueExA(k.get(), "Programs", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof number);
  std::string message;
  try {
    tools::CreateShortcut("C:\\Target\\Pultix.exe", " ", "C:\\Target", "Vorlen", false);
  } catch (const core::Error& e) {
    message = e.what();
  }
  if (had)
    RegSetValueExA(k.get(), "Programs", 0, type, reinterpret_cast<BYTE*>(saved), size);
  else
    RegDeleteValueA(k.get(), "Programs");
  EXPECT_EQ(message, "Invalid data type for 'Programs'");
}

TEST(Paths, SystemDirAndFileNameStem) {
  char expected[MAX_PATH] = {};
  GetSystemDirectoryA(expected, MAX_PATH);
  const std::string dir = tools::GetSystemDir();
  EXPECT_EQ(dir, expected);
  ASSERT_GE(dir.size(), 3u);
  EXPECT_EQ(dir.substr(1, 2), ":\\");
  EXPECT_EQ(tools::FileNameStem(tools::GetSystemDir() + "\\_setup.exe"), "_setup");
}

// The folder as a program inside it sees its own path, whatever the text.
TEST(Paths, FullAndFullLongPathOfAFolder) {
  TempDir temp;
  const std::string dir = tools::FullLongPath(temp.path());
  const std::string folder = dir + "\\Long Folder Name\\KORVAN";
  ASSERT_TRUE(CreateDirectoryA((dir + "\\Long Folder Name").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  char shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(folder.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortName), folder) << "no short name to test with";
  char saved[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, saved);
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
    EXPECT_EQ(tools::FullLongPath(c.text), c.fullLong);
  }
  SetCurrentDirectoryA(saved);
}

TEST(Errors, OleErrorTextComesFromTheSystemOrTheCode) {
  EXPECT_FALSE(tools::OleErrorMessage(E_NOINTERFACE).empty());
  EXPECT_EQ(tools::OleErrorMessage(static_cast<HRESULT>(0x8123ABCD)), "OLE error 8123abcd");
}

}  // namespace
