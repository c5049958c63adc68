// A DLL planted beside the program loads by default, and no longer once the
// search is restricted; a DLL the program loads itself comes from the system
// folder even before.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/DllSearch.h"

namespace {

std::string OwnFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s = path;
  return s.substr(0, s.find_last_of('\\') + 1);
}

TEST(DllSearch, PlantedDllIsIgnoredOnceRestricted) {
  const std::string dir = OwnFolder();
  const std::string probe = dir + "dll_probe.dll";
  for (const char* planted : {"planted_a.dll", "planted_b.dll", "mpr.dll"})
    ASSERT_TRUE(CopyFileA(probe.c_str(), (dir + planted).c_str(), FALSE)) << planted;

  // By the full path where Windows 7 lacks the search flags, and by the flag;
  // each loads afresh.
  for (const bool searchFlags : {false, true}) {
    SCOPED_TRACE(searchFlags ? "search flag" : "full path");
    HMODULE mpr = win32::LoadSystemLibrary("mpr.dll", searchFlags);
    ASSERT_NE(mpr, nullptr);
    char mprPath[MAX_PATH] = {};
    GetModuleFileNameA(mpr, mprPath, MAX_PATH);
    EXPECT_EQ(std::string(mprPath).find(dir), std::string::npos) << mprPath;
    EXPECT_NE(GetProcAddress(mpr, "WNetGetConnectionA"), nullptr) << "the planted copy was loaded";
    FreeLibrary(mpr);
  }

  HMODULE before = LoadLibraryA("planted_a.dll");
  EXPECT_NE(before, nullptr) << "the control case: the program's folder is searched by default";
  win32::RestrictDllSearch();
  HMODULE after = LoadLibraryA("planted_b.dll");
  EXPECT_EQ(after, nullptr);
  // System DLLs still load.
  EXPECT_NE(LoadLibraryA("version.dll"), nullptr);

  if (before) FreeLibrary(before);
  if (after) FreeLibrary(after);
  DeleteFileA((dir + "planted_a.dll").c_str());
  DeleteFileA((dir + "planted_b.dll").c_str());
  DeleteFileA((dir + "mpr.dll").c_str());
}

}  // namespace
