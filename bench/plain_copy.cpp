// The least a copy can do on Win32: each file of SRC\file.lst mapped
// read-only and written to DST with one WriteFile: a reference row beside
// our installer's copying (its figure includes its own process's start).
//   plain_copy SRC DST
#include <windows.h>

#include <string>
#include <vector>

namespace {

bool CopyOne(const std::string& from, const std::string& to) {
  HANDLE src = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
  if (src == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  GetFileSizeEx(src, &size);
  HANDLE dst = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = dst != INVALID_HANDLE_VALUE;
  if (ok && size.QuadPart > 0) {
    HANDLE map = CreateFileMappingA(src, nullptr, PAGE_READONLY, 0, 0, nullptr);
    const void* view = map ? MapViewOfFile(map, FILE_MAP_READ, 0, 0, 0) : nullptr;
    DWORD written = 0;
    ok = view && WriteFile(dst, view, static_cast<DWORD>(size.QuadPart), &written, nullptr) &&
         written == size.QuadPart;
    if (view) UnmapViewOfFile(view);
    if (map) CloseHandle(map);
  }
  if (dst != INVALID_HANDLE_VALUE) CloseHandle(dst);
  CloseHandle(src);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string src = argv[1], dst = argv[2];
  HANDLE f = CreateFileA((src + "\\file.lst").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 3;
  std::string list(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  ReadFile(f, &list[0], static_cast<DWORD>(list.size()), &got, nullptr);
  CloseHandle(f);
  std::vector<std::string> names;
  size_t at = 0;
  while (at < list.size()) {
    size_t end = list.find("\r\n", at);
    if (end == std::string::npos) end = list.size();
    if (end > at) names.push_back(list.substr(at, end - at));
    at = end + 2;
  }
  if (names.empty()) return 3;
  names.pop_back();  // the version line
  CreateDirectoryA(dst.c_str(), nullptr);
  for (const std::string& n : names)
    if (!CopyOne(src + "\\" + n, dst + "\\" + n)) return 4;
  return 0;
}
