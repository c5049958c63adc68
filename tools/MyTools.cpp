#include "tools/MyTools.h"

#include <algorithm>
#include <vector>

#include "core/error.h"
#include "core/path.h"
#include "tools/FileSystem.h"
#include "win32/DllSearch.h"
#include "win32/Resource.h"
#include "win32/ScopedWin.h"
#include "win32/Utf8.h"

namespace tools {

using core::Error;
using core::Format;
using win32::ComPtr;
using win32::ResourceBytes;
using win32::ScopedFind;
using win32::ScopedHandle;
using win32::ScopedKey;
using win32::Utf16;
using win32::Utf8;

namespace {


// NUL-terminated UTF-16 of ANSI text.
WideText ToWide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  WideText out(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

void Append(WideText& to, const wchar_t* tail) {
  if (!to.empty()) to.pop_back();
  to.insert(to.end(), tail, tail + lstrlenW(tail) + 1);
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

// The wide form of a path that may pass MAX_PATH: full, after "\\?\" (or
// "\\?\UNC" for a share), which lifts the limit. What GetFullPathNameW
// cannot resolve, or what is in that form already, stays as it is.
std::vector<wchar_t> ExtendedPath(const std::string& path) {
  std::vector<wchar_t> wide = ToWide(path);
  if (path.rfind("\\\\?\\", 0) == 0 || path.rfind("\\\\.\\", 0) == 0) return wide;
  const DWORD size = GetFullPathNameW(wide.data(), 0, nullptr, nullptr);
  std::vector<wchar_t> full(size + 1, L'\0');
  const DWORD n = size ? GetFullPathNameW(wide.data(), size, full.data(), nullptr) : 0;
  if (n == 0 || n >= size) return wide;
  const bool share = full[0] == L'\\' && full[1] == L'\\';
  static const wchar_t kLocal[] = L"\\\\?\\", kShare[] = L"\\\\?\\UNC";
  std::vector<wchar_t> out(share ? kShare : kLocal, (share ? kShare : kLocal) + (share ? 7 : 4));
  out.insert(out.end(), full.begin() + (share ? 1 : 0), full.begin() + n + 1);
  return out;
}

// An open file's or folder's path on its volume, as the file system
// reached it (through any link on the way); empty when it cannot tell.
std::vector<wchar_t> PathOnVolume(HANDLE h) {
  // A path has at most 32,767 characters.
  std::vector<BYTE> buffer(sizeof(FILE_NAME_INFO) + 32768 * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_NAME_INFO*>(buffer.data());
  if (!GetFileInformationByHandleEx(h, FileNameInfo, info, static_cast<DWORD>(buffer.size())))
    return {};
  return std::vector<wchar_t>(info->FileName,
                              info->FileName + info->FileNameLength / sizeof(wchar_t));
}

// Whether an open file is `name` in `folder`, not a file elsewhere that a
// link led to: this catches the links that show no reparse point, such as
// a Unix link under Wine, which opens (and deletes) the file it names.
bool OpenedInFolder(HANDLE file, DWORD volume, const std::vector<wchar_t>& folder,
                    const std::vector<wchar_t>& name) {
  const ScopedHandle dir(CreateFileW(folder.data(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION dirInfo;
  if (!dir.valid() || !GetFileInformationByHandle(dir.get(), &dirInfo) ||
      dirInfo.dwVolumeSerialNumber != volume)
    return false;
  std::vector<wchar_t> expected = PathOnVolume(dir.get());
  const std::vector<wchar_t> actual = PathOnVolume(file);
  if (expected.empty() || actual.empty()) return false;
  if (expected.back() != L'\\') expected.push_back(L'\\');
  expected.insert(expected.end(), name.begin(), name.end() - 1);
  return CompareStringOrdinal(expected.data(), static_cast<int>(expected.size()), actual.data(),
                              static_cast<int>(actual.size()), TRUE) == CSTR_EQUAL;
}

// A file or folder another program has open for the moment, or a name
// being deleted, may be free again shortly.
core::FileResult HeldOrFailed(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED
             ? core::FileResult::kHeld
             : core::FileResult::kFailed;
}

// Opens a file as itself (never following a link or reparse point) and
// keeps it open only when it is a plain one: no reparse point, no folder, no
// second name that another folder may hold, and in the folder its path
// names. Invalid for anything else.
ScopedHandle OpenPlainFile(const std::vector<wchar_t>& wide, DWORD access, DWORD share,
                           BY_HANDLE_FILE_INFORMATION& info) {
  ScopedHandle file(CreateFileW(wide.data(), access, share, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.valid() || !GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) ||
      info.nNumberOfLinks != 1)
    return ScopedHandle();
  // The folder: the path up to its last separator, kept (a root needs it).
  size_t end = wide.size() - 1;
  while (end > 0 && wide[end - 1] != L'\\') --end;
  std::vector<wchar_t> folder(wide.begin(), wide.begin() + end);
  folder.push_back(L'\0');
  const std::vector<wchar_t> name(wide.begin() + end, wide.end());
  if (!OpenedInFolder(file.get(), info.dwVolumeSerialNumber, folder, name)) return ScopedHandle();
  return file;
}

// Deletes a plain file through the handle that checked it, so the name
// cannot change in between. The handle shares nothing: a file that another
// program holds, even with delete sharing, fails here and stays, instead of
// being marked for a deletion that would happen after the run.
bool RemovePlainFile(const std::string& path, bool evenReadOnly) {
  const std::vector<wchar_t> wide = ExtendedPath(path);
  const DWORD access = DELETE | FILE_READ_ATTRIBUTES;
  BY_HANDLE_FILE_INFORMATION info;
  ScopedHandle file = OpenPlainFile(wide, access | FILE_WRITE_ATTRIBUTES, 0, info);
  // Wine refuses the attribute right on a read-only file, which Windows
  // grants; it does not ask for the right when the attribute is cleared.
  if (!file.valid()) file = OpenPlainFile(wide, access, 0, info);
  if (!file.valid()) return false;
  if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
    if (!evenReadOnly) return false;
    // Windows refuses to delete a read-only file; the attribute goes first.
    FILE_BASIC_INFO basic = {};
    basic.FileAttributes = info.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY;
    if (!basic.FileAttributes) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic)) return false;
  }
  FILE_DISPOSITION_INFO dispose = {TRUE};
  return SetFileInformationByHandle(file.get(), FileDispositionInfo, &dispose, sizeof dispose) != 0;
}

// The bytes, written straight from the mapped image in 256 KiB pieces.
// Under Wine the size of each write decides the speed: the benchmark's
// 345 MB file took 0.29 to 0.34 s in 1 MiB writes, 0.10 to 0.11 s in
// 256 KiB ones (as one write, 0.9 to 1.5 s); copying through a buffer of
// our own first gained nothing.
bool WriteInPieces(HANDLE file, core::Bytes data) {
  constexpr size_t kPiece = 256 << 10;
  for (size_t at = 0; at < data.size; at += kPiece) {
    const DWORD n = static_cast<DWORD>(std::min(kPiece, data.size - at));
    DWORD written = 0;
    if (!WriteFile(file, data.data + at, n, &written, nullptr) || written != n) return false;
  }
  return true;
}

// Open without delete sharing: the system then refuses to rename or remove
// the folder, or any folder above it, and so to put a link in its place.
// Reading rights make the handle count in those sharing checks; an open for
// attributes alone would not.
class Win32HeldFolder : public core::HeldFolder {
 public:
  explicit Win32HeldFolder(ScopedHandle handle) : handle_(std::move(handle)) {}

 private:
  ScopedHandle handle_;
};

}  // namespace

std::string Win32Platform::ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module_, path, MAX_PATH);
  return path;
}

core::Bytes Win32Platform::ProgramResource(int id) {
  return ResourceBytes(module_, MAKEINTRESOURCEA(id));
}

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

core::FileResult Win32Platform::WriteNewFile(const std::string& path, core::Bytes data,
                                             bool durable) {
  // CREATE_NEW fails on any name that exists. Opened as itself, a link or
  // junction there, even one whose target does not exist, is a name like
  // any other instead of being followed to where it points.
  const ScopedHandle file(CreateFileW(ExtendedPath(path).data(), GENERIC_WRITE | DELETE, 0,
                                      nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.valid()) return HeldOrFailed(GetLastError());
  if (!WriteInPieces(file.get(), data) || (durable && !FlushFileBuffers(file.get()))) {
    // Through the handle: the name may no longer be ours.
    FILE_DISPOSITION_INFO dispose = {TRUE};
    SetFileInformationByHandle(file.get(), FileDispositionInfo, &dispose, sizeof dispose);
    return core::FileResult::kFailed;
  }
  return core::FileResult::kDone;
}

bool Win32Platform::RemoveFile(const std::string& path) { return RemovePlainFile(path, false); }

bool Win32Platform::RemoveLeftover(const std::string& path) { return RemovePlainFile(path, true); }

bool Win32Platform::IsPlainFile(const std::string& path) {
  BY_HANDLE_FILE_INFORMATION info;
  return OpenPlainFile(ExtendedPath(path), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, info)
      .valid();
}

std::vector<std::string> Win32Platform::FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry;
  const ScopedFind find(FindFirstFileExW(ExtendedPath(core::JoinPath(folder, "\\*")).data(),
                                         FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                         0));
  if (!find.valid()) return names;
  do {
    std::string name;
    // A name the code page cannot write is no name the manifest lists.
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ToAnsi(entry.cFileName, name))
      names.push_back(name);
  } while (FindNextFileW(find.get(), &entry));
  return names;
}

bool Win32Platform::RenameFile(const std::string& from, const std::string& to) {
  return MoveFileExW(ExtendedPath(from).data(), ToWide(to).data(), MOVEFILE_WRITE_THROUGH) != 0;
}

core::FileResult Win32Platform::ReplaceFile(const std::string& from, const std::string& to) {
  // Windows refuses to replace a read-only file or a folder; saying so here
  // keeps that true on file systems that would not.
  const DWORD attr = GetFileAttributesA(to.c_str());
  if (attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return core::FileResult::kFailed;
  // `to` without the long form: a name beyond MAX_PATH fails as before.
  if (MoveFileExW(ExtendedPath(from).data(), ToWide(to).data(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return core::FileResult::kDone;
  return HeldOrFailed(GetLastError());
}

std::unique_ptr<core::HeldFolder> Win32Platform::HoldFolder(const std::string& path) {
  ScopedHandle folder(CreateFileW(ExtendedPath(path).data(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!folder.valid() || !GetFileInformationByHandle(folder.get(), &info) ||
      !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return nullptr;
  return std::make_unique<Win32HeldFolder>(std::move(folder));
}

void Win32Platform::Wait(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

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

std::string GetSystemDir() { return win32::SystemFolder(); }

bool Win32Platform::ToCodePage(const std::string& text, std::string& ansi) {
  return ToAnsi(Utf16(text).data(), ansi);
}

std::string Win32Platform::FromCodePage(const std::string& ansi) {
  return Utf8(Utf16(ansi, CP_ACP).data());
}

std::string Win32Platform::SystemDir() { return GetSystemDir(); }

std::string Win32Platform::FullLongPath(const std::string& path) {
  const std::string full = FullPath(path);
  char longPath[MAX_PATH];
  const DWORD n = GetLongPathNameA(full.c_str(), longPath, MAX_PATH);
  return n && n < MAX_PATH ? std::string(longPath, n) : full;
}

}  // namespace tools
