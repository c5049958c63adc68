#include "tools/FileSystem.h"

#include <windows.h>

#include "core/chooser.h"
#include "core/path.h"
#include "win32/DllSearch.h"
#include "win32/ScopedWin.h"
#include "win32/Utf8.h"

namespace tools {

using win32::LoadSystemLibrary;
using win32::ScopedFind;
using win32::Utf16;
using win32::Utf8;

namespace {

core::DriveKind DriveKindOf(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE: return core::DriveKind::Removable;
    case DRIVE_REMOTE: return core::DriveKind::Network;
    case DRIVE_CDROM: return core::DriveKind::CDRom;
    case DRIVE_RAMDISK: return core::DriveKind::Ram;
    default: return core::DriveKind::Fixed;
  }
}

// The network name of a mapped drive ("X:"); empty when there is none.
// mpr.dll is no known DLL: it comes from the system folder at run time.
std::string NetworkName(const wchar_t* device) {
  using GetConnection = DWORD(WINAPI*)(LPCWSTR, LPWSTR, LPDWORD);
  static const GetConnection get = [] {
    HMODULE mpr = LoadSystemLibrary("mpr.dll");
    return mpr ? reinterpret_cast<GetConnection>(reinterpret_cast<void*>(
                     GetProcAddress(mpr, "WNetGetConnectionW")))
               : nullptr;
  }();
  wchar_t name[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH + 1;  // in characters
  return get && get(device, name, &size) == NO_ERROR ? Utf8(name) : std::string();
}

}  // namespace

std::vector<core::DriveInfo> ListDrives() {
  const DWORD mask = GetLogicalDrives();
  size_t count = 0;
  for (DWORD rest = mask; rest; rest &= rest - 1) ++count;
  std::vector<core::DriveInfo> drives(count);
  auto next = drives.begin();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    core::DriveInfo& drive = *next++;
    drive.letter = static_cast<char>('a' + i);
    wchar_t root[] = {static_cast<wchar_t>(L'a' + i), L':', L'\\', L'\0'};
    drive.kind = DriveKindOf(GetDriveTypeW(root));
    wchar_t label[MAX_PATH + 1] = {};
    if (core::ReadsVolumeLabel(drive.kind) &&
        GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
      drive.label = Utf8(label);
    root[2] = L'\0';  // "x:"
    if (drive.kind == core::DriveKind::Network) drive.networkName = NetworkName(root);
  }
  return drives;
}

core::FolderContents ReadFolder(const std::string& folder) {
  core::FolderContents contents;
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAW fd;
  const ScopedFind find(FindFirstFileW(Utf16(pattern).data(), &fd));
  if (!find.valid()) return contents;
  do {
    if (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    const std::string name = Utf8(fd.cFileName);
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != "." && name != "..") contents.folders.push_back(name);
    } else {
      contents.files.push_back(name);
    }
  } while (FindNextFileW(find.get(), &fd));
  core::SortNames(contents.folders);
  core::SortNames(contents.files);
  return contents;
}

bool VolumeKeepsCase(const std::string& path) {
  DWORD flags = 0;
  if (!GetVolumeInformationW(Utf16(core::VolumeRoot(path)).data(), nullptr, 0, nullptr, nullptr,
                             &flags, nullptr, 0))
    return true;
  return (flags & FS_CASE_IS_PRESERVED) != 0;
}

std::string CurrentDirectory() {
  wchar_t buf[MAX_PATH] = {};
  const DWORD n = GetCurrentDirectoryW(MAX_PATH, buf);
  return n && n < MAX_PATH ? Utf8(buf) : std::string();
}

bool SetCurrentDirectoryTo(const std::string& path) {
  return !path.empty() && SetCurrentDirectoryW(Utf16(path).data());
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return n && n < MAX_PATH ? std::string(full, n) : path;
}

std::string FullWidePath(const std::string& text) {
  if (text.empty()) return text;
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(Utf16(text).data(), MAX_PATH, full, nullptr);
  return n && n < MAX_PATH ? Utf8(full) : text;
}

std::string DriveCurrentDirectory(char letter) {
  // Upper case, as the system spells drives in the paths it returns.
  const wchar_t device[] = {static_cast<wchar_t>(letter - 'a' + L'A'), L':', L'\0'};
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(device, MAX_PATH, full, nullptr);
  return n > 2 && n < MAX_PATH ? Utf8(full) : Utf8(device) + "\\";
}

}  // namespace tools
