#include "tests/support/support.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "win32/ScopedWin.h"


namespace support {

std::string ReadAll(const std::string& path) {
  std::string data;
  return e2e::ReadBytes(path, &data) ? data : std::string();
}

std::string PayloadFile(const std::string& name) { return ReadAll(PayloadPath(name)); }

std::vector<std::string> KeptFiles() {
  std::vector<std::string> kept;
  for (const std::string& name : ShippedFiles()) {
    if (lstrcmpiA(name.c_str(), "file.lst") != 0) kept.push_back(name);
  }
  return kept;
}

std::string TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(info->test_suite_name()) + "." + info->name();
}

std::string ShellFolder(int csidl) {
  char buf[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf);
  return buf;
}

std::string DesktopLink() { return ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\Pultix.lnk"; }
std::string StartMenuGroup() { return ShellFolder(CSIDL_PROGRAMS) + "\\Vorlen"; }
std::string StartMenuLink() { return StartMenuGroup() + "\\Pultix.lnk"; }

void RemoveLinks() {
  DeleteFileA(DesktopLink().c_str());
  DeleteFileA(StartMenuLink().c_str());
  RemoveDirectoryA(StartMenuGroup().c_str());
}

bool ReadLink(const std::string& path, LinkInfo* info) {
  win32::ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(link.receive()))))
    return false;
  win32::ComPtr<IPersistFile> file;
  bool ok = SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(file.receive())));
  if (ok) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    ok = SUCCEEDED(file->Load(wide, STGM_READ));
  }
  if (ok) {
    char buf[MAX_PATH] = {};
    link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH);
    info->target = buf;
    buf[0] = 0;
    link->GetArguments(buf, MAX_PATH);
    info->arguments = buf;
    buf[0] = 0;
    link->GetWorkingDirectory(buf, MAX_PATH);
    info->workDir = buf;
  }
  return ok;
}

namespace {

// The Unix path of a Windows path under Wine; empty on Windows. Wine's own
// export, of the C calling convention.
std::string UnixPath(const std::string& path) {
  using UnixFileName = char*(__cdecl*)(LPCWSTR);
  const auto unixName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) return {};
  wchar_t wide[MAX_PATH * 4] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 4);
  char* name = unixName(wide);
  if (!name) return {};
  std::string out = name;
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

// Runs a shell command on the Unix side of Wine and waits for its end. Wine
// starts a Unix program without a process handle: the end is a file the
// command writes last.
bool RunUnixShell(const std::string& command) {
  char temp[MAX_PATH] = {}, marker[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  if (!GetTempFileNameA(temp, "sh", 0, marker)) return false;
  DeleteFileA(marker);
  std::string line = "Z:\\bin\\sh -c \"" + command + "; echo $? >'" + UnixPath(marker) + "'\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  std::string status;
  e2e::WaitFor([&] { return e2e::ReadBytes(marker, &status) && !status.empty(); }, 10000, 2);
  DeleteFileA(marker);
  return status == "0\n";
}

}  // namespace

bool MakeSymbolicLink(const std::string& link, const std::string& target) {
  const std::string unixLink = UnixPath(link);
  if (unixLink.empty())
    return CreateSymbolicLinkA(link.c_str(), target.c_str(),
                               SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
  return RunUnixShell("ln -s '" + UnixPath(target) + "' '" + unixLink + "'");
}

bool RemoveSymbolicLink(const std::string& link) {
  const std::string unixLink = UnixPath(link);
  // Windows deletes the link itself; Wine would delete the file it names.
  if (unixLink.empty()) return DeleteFileA(link.c_str()) != 0;
  return RunUnixShell("rm '" + unixLink + "'");
}

TempDir::TempDir(const std::string& parent) {
  static int counter = 0;
  std::string base = parent;
  if (base.empty()) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    base = temp;
  }
  if (base.back() != '\\') base += '\\';
  path_ = base + "test_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(counter++);
  e2e::MakeDirs(path_);
}

SavedRegValue::SavedRegValue(HKEY key, const char* name) : key_(key), name_(name) {
  DWORD size = 0;
  had_ = RegQueryValueExA(key_, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
  if (!had_) return;
  data_.resize(size);
  had_ = RegQueryValueExA(key_, name, nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
  data_.resize(size);
}

SavedRegValue::~SavedRegValue() {
  if (had_)
    RegSetValueExA(key_, name_.c_str(), 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
  else
    RegDeleteValueA(key_, name_.c_str());
}

}  // namespace support
