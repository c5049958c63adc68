// The installer's helper operations on Win32.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/platform.h"
#include "tools/FileSystem.h"
#include "win32/Utf8.h"

namespace tools {

// The real system behind the portable payload and installation logic.
class Win32Platform : public core::Platform {
 public:
  explicit Win32Platform(HMODULE module = GetModuleHandleA(nullptr)) : module_(module) {}
  void CreateShortcut(const std::string& target, const std::string& arguments,
                      const std::string& workDir, const std::string& group,
                      bool onDesktop) override;
  std::string ProgramPath() override;
  core::Bytes ReadResource(const std::string& name) override;
  core::Bytes ProgramResource(int id) override;
  std::string SystemDir() override;
  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool CreateDir(const std::string& path) override;
  core::FileResult WriteNewFile(const std::string& path, core::Bytes data, bool durable) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveLeftover(const std::string& path) override;
  bool IsPlainFile(const std::string& path) override;
  std::vector<std::string> FilesIn(const std::string& folder) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  core::FileResult ReplaceFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<core::HeldFolder> HoldFolder(const std::string& path) override;
  void Wait(int milliseconds) override;
  bool WriteRegString(const std::string& key, const std::string& name,
                      const std::string& value) override;
  // FullPath, then the long form of every name on it that exists.
  std::string FullLongPath(const std::string& path) override;

  // The folder chooser's, from FileSystem.h.
  std::vector<core::DriveInfo> ListDrives() override { return tools::ListDrives(); }
  core::FolderContents ReadFolder(const std::string& folder) override {
    return tools::ReadFolder(folder);
  }
  bool VolumeKeepsCase(const std::string& path) override { return tools::VolumeKeepsCase(path); }
  std::string CurrentDirectory() override { return tools::CurrentDirectory(); }
  bool ChangeCurrentDirectory(const std::string& path) override {
    return SetCurrentDirectoryTo(path);
  }
  std::string DriveCurrentDirectory(char letter) override {
    return tools::DriveCurrentDirectory(letter);
  }
  std::string ResolvePath(const std::string& text) override { return FullWidePath(text); }
  bool ToCodePage(const std::string& text, std::string& ansi) override;
  std::string FromCodePage(const std::string& ansi) override;

 private:
  HMODULE module_;
};

std::string GetSystemDir();
// Pultix.lnk-style link on the desktop, or in the group folder of the Start
// menu's programs (ShellFolder below HKCU's Explorer key), saved whole: a
// kill leaves the earlier link or the new one; no folder, no link. Raises
// when the shell-link object is unavailable, and "Cannot create file %s"
// with the link's path when the link cannot be saved.
void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workDir, const std::string& group, bool onDesktop);

using win32::WideText;
void Append(WideText& to, const wchar_t* tail);

// The folder the shell knows for `csidl`; where it knows none, the value
// `name` of the "Shell Folders" key below `explorer`: empty when the key or
// the value is missing, an expandable string expanded. Raises for a value
// that is no string or cannot be read. Wide, as folder names may hold
// characters outside the ANSI code page.
WideText ShellFolder(HKEY explorer, const char* name, int csidl);

// `text` in the ANSI code page; false when a character has no exact
// equivalent there (a look-alike or '?' would name another file).
bool ToAnsi(const wchar_t* text, std::string& out);

// The system's text for an HRESULT, or "OLE error %.8x".
std::string OleErrorMessage(HRESULT hr);

}  // namespace tools
