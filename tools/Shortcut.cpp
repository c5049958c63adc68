// Links to the installed program: IShellLink objects saved whole into the
// desktop or the Start menu's programs.
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "core/error.h"
#include "core/names.h"
#include "core/path.h"
#include "tools/MyTools.h"
#include "win32/ScopedWin.h"
#include "win32/Utf8.h"

namespace tools {

using win32::ComPtr;
using win32::ScopedKey;
using win32::Utf16;
using win32::Utf8;

using core::Error;
using core::Format;

namespace {

const char kExplorerKey[] = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer";
const char kShellFolders[] = "Shell Folders";
constexpr DWORD kLinkContext = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;

bool Empty(const WideText& text) { return text.size() <= 1; }

// A value of the "Shell Folders" key below `explorer`: empty when the key
// or the value is missing; an expandable string is expanded. Raises for a
// value that is no string or cannot be read.
WideText ReadShellFolder(HKEY parent, const char* name) {
  ScopedKey key;
  if (RegOpenKeyExA(parent, kShellFolders, 0, KEY_ALL_ACCESS, key.receive()) != ERROR_SUCCESS)
    return WideText(1, L'\0');
  const WideText wideName = Utf16(name, CP_ACP);
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

}  // namespace

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

namespace {

// The shell reads "%NAME%" in a link's target as a variable and keeps the
// text to expand at each start, with the item found through the expanded
// path (IShellLink::SetPath; Wine does not). A folder whose name holds '%'
// signs is a name: the link gets the folder's own item and nothing to expand.
void KeepLiteralTarget(IUnknown* object, IShellLinkA* link, const std::string& target) {
  ComPtr<IShellLinkDataList> data;
  if (FAILED(object->QueryInterface(IID_PPV_ARGS(data.receive())))) return;
  PIDLIST_ABSOLUTE item = nullptr;
  if (SUCCEEDED(SHParseDisplayName(Utf16(target, CP_ACP).data(), nullptr, &item, 0, nullptr))) {
    link->SetIDList(item);
    CoTaskMemFree(item);
  }
  DWORD flags = 0;
  if (SUCCEEDED(data->GetFlags(&flags)) && (flags & SLDF_HAS_EXP_SZ)) {
    data->RemoveDataBlock(EXP_SZ_LINK_SIG);
    data->SetFlags(flags & ~SLDF_HAS_EXP_SZ);
  }
}

// Saved under a name beside the link, then moved onto it: the link object
// writes its file in pieces, and a kill must not leave a torn link.
void SaveWhole(IPersistFile* file, const WideText& link) {
  WideText partial(link);
  Append(partial, Utf16(core::kPartialSuffix, CP_ACP).data());
  if (SUCCEEDED(file->Save(partial.data(), FALSE)) &&
      MoveFileExW(partial.data(), link.data(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return;
  DeleteFileW(partial.data());
  std::string name;
  ToAnsi(link.data(), name);  // a look-alike is good enough for a message
  throw Error(Format("Cannot create file %s", name.c_str()));
}

}  // namespace

void CreateShortcut(const std::string& target, const std::string& arguments,
                    const std::string& workDir, const std::string& group, bool onDesktop) {
  ComPtr<IUnknown> object;
  const HRESULT hr =
      CoCreateInstance(CLSID_ShellLink, nullptr, kLinkContext, IID_PPV_ARGS(object.receive()));
  if (FAILED(hr)) throw Error(OleErrorMessage(hr));
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(object->QueryInterface(IID_PPV_ARGS(link.receive()))) ||
      FAILED(object->QueryInterface(IID_PPV_ARGS(file.receive()))))
    throw Error("Interface not supported");

  link->SetArguments(arguments.c_str());
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(workDir.c_str());
  if (target.find('%') != std::string::npos) KeepLiteralTarget(object.get(), link.get(), target);

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
    Append(folder, Utf16(group, CP_ACP).data());
    CreateDirectoryW(folder.data(), nullptr);
  }
  Append(folder, L"\\");
  Append(folder, Utf16(core::FileNameStem(target), CP_ACP).data());
  Append(folder, L".lnk");
  SaveWhole(file.get(), folder);
}

void Win32Platform::CreateShortcut(const std::string& target, const std::string& arguments,
                                   const std::string& workDir, const std::string& group,
                                   bool onDesktop) {
  tools::CreateShortcut(target, arguments, workDir, group, onDesktop);
}

}  // namespace tools
