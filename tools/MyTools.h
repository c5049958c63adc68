// The installer's helper operations on Win32.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/platform.h"

namespace tools {

// The real system behind the portable payload and installation logic.
class Win32Platform : public core::Platform {
 public:
  explicit Win32Platform(HMODULE module = GetModuleHandleA(nullptr)) : module_(module) {}
  core::Bytes ReadResource(const std::string& name) override;
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

 private:
  HMODULE module_;
};

std::string GetSystemDir();
// Pultix.lnk-style link on the desktop, or in the group folder of the Start
// menu's programs, saved whole: a kill leaves the earlier link or the new
// one. Raises when the shell-link object is unavailable, and "Cannot create
// file %s" with the link's path when the link cannot be saved.
void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workDir, const std::string& group, bool onDesktop);

// UTF-16 text with its terminating NUL. A vector, not std::wstring: the wide
// string's library code would cost the installer 24 KB.
using WideText = std::vector<wchar_t>;
void Append(WideText& to, const wchar_t* tail);

// A value of the "Shell Folders" key below `explorer`, which CreateShortcut
// reads only when the shell does not know the folder: empty when the key or
// the value is missing; an expandable string is expanded. Raises for a value
// that is no string or cannot be read. Wide, as folder names may hold
// characters outside the ANSI code page.
WideText ReadShellFolder(HKEY explorer, const char* name);

// `text` in the ANSI code page; false when a character has no exact
// equivalent there (a look-alike or '?' would name another file).
bool ToAnsi(const wchar_t* text, std::string& out);

// The system's text for an HRESULT, or "OLE error %.8x".
std::string OleErrorMessage(HRESULT hr);

}  // namespace tools
