#include "tools/FileSystem.h"

#include <windows.h>

#include "core/path.h"
#include "tools/DllSearch.h"
#include "tools/ScopedWin.h"

namespace tools {

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
std::string NetworkName(const std::string& device) {
  using GetConnection = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
  static const GetConnection get = [] {
    HMODULE mpr = LoadSystemLibrary("mpr.dll");
    return mpr ? reinterpret_cast<GetConnection>(reinterpret_cast<void*>(
                     GetProcAddress(mpr, "WNetGetConnectionA")))
               : nullptr;
  }();
  char name[MAX_PATH + 1] = {};
  DWORD size = sizeof name;
  return get && get(device.c_str(), name, &size) == NO_ERROR ? std::string(name) : std::string();
}

}  // namespace

std::vector<DriveInfo> ListDrives() {
  const DWORD mask = GetLogicalDrives();
  size_t count = 0;
  for (DWORD rest = mask; rest; rest &= rest - 1) ++count;
  std::vector<DriveInfo> drives(count);
  auto next = drives.begin();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    DriveInfo& drive = *next++;
    drive.letter = static_cast<char>('a' + i);
    const std::string root = std::string(1, drive.letter) + ":\\";
    drive.kind = DriveKindOf(GetDriveTypeA(root.c_str()));
    char label[MAX_PATH + 1] = {};
    if (core::ReadsVolumeLabel(drive.kind) &&
        GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                              nullptr, 0))
      drive.label = label;
    if (drive.kind == core::DriveKind::Network) drive.networkName = NetworkName(root.substr(0, 2));
  }
  return drives;
}

FolderContents ReadFolder(const std::string& folder) {
  FolderContents contents;
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAA fd;
  const ScopedFind find(FindFirstFileA(pattern.c_str(), &fd));
  if (!find.valid()) return contents;
  do {
    if (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    const std::string name = fd.cFileName;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != "." && name != "..") contents.folders.push_back(name);
    } else {
      contents.files.push_back(name);
    }
  } while (FindNextFileA(find.get(), &fd));
  core::SortNames(contents.folders);
  core::SortNames(contents.files);
  return contents;
}

bool VolumeKeepsCase(const std::string& path) {
  DWORD flags = 0;
  if (!GetVolumeInformationA(core::VolumeRoot(path).c_str(), nullptr, 0, nullptr, nullptr,
                             &flags, nullptr, 0))
    return true;
  return (flags & FS_CASE_IS_PRESERVED) != 0;
}

std::string CurrentDirectory() {
  char buf[MAX_PATH] = {};
  const DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  return n && n < MAX_PATH ? std::string(buf, n) : std::string();
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return n && n < MAX_PATH ? std::string(full, n) : path;
}

std::string DriveCurrentDirectory(char letter) {
  // Upper case, as the system spells drives in the paths it returns.
  const std::string device{static_cast<char>(letter - 'a' + 'A'), ':'};
  const std::string full = FullPath(device);
  return full != device ? full : device + "\\";
}

CurrentDirectoryRestorer::CurrentDirectoryRestorer() : saved_(CurrentDirectory()) {}

CurrentDirectoryRestorer::~CurrentDirectoryRestorer() {
  if (NeedRestore) SetCurrentDirectoryA(saved_.c_str());
}

}  // namespace tools
