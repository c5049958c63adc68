#include "tools/MyTools.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "core/error.h"
#include "core/names.h"
#include "tools/FileSystem.h"
#include "tools/Resource.h"
#include "tools/ScopedWin.h"

namespace tools {

using core::Error;
using core::Format;

namespace {

const char kExplorerKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer";
const char kShellFolders[] = "Shell Folders";
constexpr DWORD kLinkContext = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;
constexpr UINT kSystemDirBuffer = 260;

// NUL-terminated UTF-16 of ANSI text.
WideText ToWide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  WideText out(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

bool Empty(const WideText& text) { return text.size() <= 1; }

}  // namespace

void Append(WideText& to, const wchar_t* tail) {
  if (!to.empty()) to.pop_back();
  to.insert(to.end(), tail, tail + lstrlenW(tail) + 1);
}

WideText ReadShellFolder(HKEY parent, const char* name) {
  ScopedKey key;
  if (RegOpenKeyExA(parent, kShellFolders, 0, KEY_ALL_ACCESS, key.receive()) != ERROR_SUCCESS)
    return WideText(1, L'\0');
  const WideText wideName = ToWide(name);
  DWORD type = 0;
  DWORD size = 0;
  LONG rc = RegQueryValueExW(key.get(), wideName.data(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND) return WideText(1, L'\0');
  if (rc != ERROR_SUCCESS) throw Error(Format("Failed to get data for '%s'", name));
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Error(Format("Invalid data type for '%s'", name));
  WideText data(size / sizeof(wchar_t) + 1, L'\0');
  if (size > 0 && RegQueryValueExW(key.get(), wideName.data(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
    throw Error(Format("Failed to get data for '%s'", name));
  data.resize(size / sizeof(wchar_t));
  while (!data.empty() && data.back() == L'\0') data.pop_back();
  data.push_back(L'\0');
  if (type == REG_EXPAND_SZ && !Empty(data)) {
    const DWORD needed = ExpandEnvironmentStringsW(data.data(), nullptr, 0);
    WideText expanded(needed, L'\0');
    if (needed > 0 && ExpandEnvironmentStringsW(data.data(), expanded.data(), needed) > 0)
      data = expanded;
  }
  return data;
}

bool ToAnsi(const wchar_t* text, std::string& out) {
  // UTF-8 as the ANSI code page writes every character; it takes neither the
  // best-fit flag nor the question whether the default character was used.
  const bool utf8 = GetACP() == CP_UTF8;
  const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(codePage, flags, text, -1, nullptr, 0, nullptr,
                                    utf8 ? nullptr : &lossy);
  if (n <= 0) return false;
  out.assign(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, text, -1, &out[0], n, nullptr, utf8 ? nullptr : &lossy);
  out.pop_back();
  return !lossy;
}

namespace {

// The shell knows where the folder is now; "Shell Folders" is kept for old
// programs only and goes stale when a folder is redirected. Both are asked
// in UTF-16: a profile named outside the ANSI code page comes back altered
// from the ANSI calls.
WideText ShellFolder(HKEY explorer, const char* name, int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) && path[0])
    return WideText(path, path + lstrlenW(path) + 1);
  return ReadShellFolder(explorer, name);
}

}  // namespace

core::Bytes Win32Platform::ReadResource(const std::string& name) {
  const core::Bytes bytes = ResourceBytes(module_, name.c_str());
  if (!bytes.data) throw Error(Format("Resource %s not found", name.c_str()));
  return bytes;
}

bool Win32Platform::DirectoryExists(const std::string& path) {
  const DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::FileExists(const std::string& path) {
  const DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::CreateDir(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

void Win32Platform::WriteNewFile(const std::string& path, core::Bytes data) {
  ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw Error(Format("Cannot create file %s", path.c_str()));
  DWORD written = 0;
  // Resources are limited to 32-bit sizes, so one write takes the whole file.
  if (!WriteFile(file.get(), data.data, static_cast<DWORD>(data.size), &written, nullptr) ||
      written != data.size)
    throw Error("Stream write error");
}

bool Win32Platform::RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32Platform::RenameFile(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool Win32Platform::ReplaceFile(const std::string& from, const std::string& to) {
  // Windows refuses to replace a read-only file or a folder; saying so here
  // keeps that true on file systems that would not.
  const DWORD attr = GetFileAttributesA(to.c_str());
  if (attr != INVALID_FILE_ATTRIBUTES) {
    if (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    // An earlier file is at stake: the new bytes reach the disk before they
    // take its name, so a power cut cannot leave an empty file in its place.
    // A first installation has nothing to lose and skips the costly flush.
    ScopedHandle fresh(CreateFileA(from.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!fresh.valid() || !FlushFileBuffers(fresh.get())) return false;
  }
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Platform::WriteRegString(const std::string& key, const std::string& name,
                                   const std::string& value) {
  ScopedKey hk;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, hk.receive(), nullptr) != ERROR_SUCCESS)
    return false;
  // REG_SZ data carry their terminating NUL.
  return RegSetValueExA(hk.get(), name.c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::string GetSystemDir() {
  char buf[kSystemDirBuffer];
  const UINT n = GetSystemDirectoryA(buf, kSystemDirBuffer);
  if (n == 0 || n >= kSystemDirBuffer) return {};
  return std::string(buf, n);
}

std::string Win32Platform::FullLongPath(const std::string& path) {
  const std::string full = FullPath(path);
  char longPath[MAX_PATH];
  const DWORD n = GetLongPathNameA(full.c_str(), longPath, MAX_PATH);
  return n && n < MAX_PATH ? std::string(longPath, n) : full;
}

std::string OleErrorMessage(HRESULT hr) {
  char text[512];
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 static_cast<DWORD>(hr), 0, text, sizeof text, nullptr);
  std::string message(text, n);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  if (message.empty()) message = Format("OLE error %.8lx", static_cast<unsigned long>(hr));
  return message;
}

void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workDir, const std::string& group, bool onDesktop) {
  ComPtr<IUnknown> object;
  const HRESULT hr =
      CoCreateInstance(CLSID_ShellLink, nullptr, kLinkContext, IID_IUnknown, object.receive());
  if (FAILED(hr)) throw Error(OleErrorMessage(hr));
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(object->QueryInterface(IID_IShellLinkA, link.receive())) ||
      FAILED(object->QueryInterface(IID_IPersistFile, file.receive())))
    throw Error("Interface not supported");

  link->SetArguments(arguments.c_str());
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(workDir.c_str());

  ScopedKey explorer;
  HKEY root = HKEY_CURRENT_USER;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kExplorerKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, explorer.receive(), nullptr) == ERROR_SUCCESS)
    root = explorer.get();

  WideText folder;
  if (onDesktop) {
    folder = ShellFolder(root, "Desktop", CSIDL_DESKTOPDIRECTORY);
    if (Empty(folder)) return;
  } else {
    folder = ShellFolder(root, "Programs", CSIDL_PROGRAMS);
    if (Empty(folder)) return;
    Append(folder, L"\\");
    Append(folder, ToWide(group).data());
    CreateDirectoryW(folder.data(), nullptr);
  }
  Append(folder, L"\\");
  Append(folder, ToWide(core::FileNameStem(target)).data());
  Append(folder, L".lnk");
  file->Save(folder.data(), FALSE);
}

}  // namespace tools
