// Helpers shared by the tests that run under Wine: files, the shipped
// payload, shell folders and links, the registry, the running test's name.
// Windows and processes are driven by tests/e2e/driver.h.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/support/shipped.h"

namespace support {

// The whole file; empty when it cannot be read.
std::string ReadAll(const std::string& path);
// A file of the shipped payload folder.
std::string PayloadFile(const std::string& name);
// What an installation keeps of the shipped files: all but file.lst, under
// the names the payload gives them.
std::vector<std::string> KeptFiles();

// "Suite.Name" of the running GoogleTest test.
std::string TestName();

std::string ShellFolder(int csidl);

// The program's links: on the desktop and in the Start menu group Vorlen.
std::string DesktopLink();
std::string StartMenuGroup();
std::string StartMenuLink();
// Removes both links and the group's folder.
void RemoveLinks();

struct LinkInfo {
  std::string target, arguments, workDir;
};
// Reads a shell link; needs COM initialised.
bool ReadLink(const std::string& path, LinkInfo* info);

// A symbolic link at `link` to the file `target`, and its removal (the link
// only). Under Wine, whose CreateSymbolicLink creates nothing, a Unix link:
// Wine shows it as the file it names, no reparse point.
bool MakeSymbolicLink(const std::string& link, const std::string& target);
bool RemoveSymbolicLink(const std::string& link);

// A fresh folder of its own, removed with everything in it afterwards.
class TempDir {
 public:
  explicit TempDir(const std::string& parent = "");
  ~TempDir() { e2e::RemoveTree(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A registry value saved when this is made and put back (or removed, if it
// did not exist) when it is destroyed.
class SavedRegValue {
 public:
  SavedRegValue(HKEY key, const char* name);
  ~SavedRegValue();
  SavedRegValue(const SavedRegValue&) = delete;
  SavedRegValue& operator=(const SavedRegValue&) = delete;

 private:
  HKEY key_;
  std::string name_;
  bool had_ = false;
  DWORD type_ = 0;
  std::vector<BYTE> data_;
};

}  // namespace support
