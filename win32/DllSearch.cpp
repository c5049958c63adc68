#include "win32/DllSearch.h"

#include <windows.h>

#include <string>

#include "core/path.h"

namespace win32 {

namespace {

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

// Looked up at run time: older systems lack the call.
SetDefaultDllDirectoriesFn SetDefaultDllDirectoriesCall() {
  return reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
}

}  // namespace

std::string SystemFolder() {
  char buf[MAX_PATH];
  const UINT n = GetSystemDirectoryA(buf, MAX_PATH);
  return n == 0 || n >= MAX_PATH ? std::string() : std::string(buf, n);
}

bool SystemHasSearchFlags() { return SetDefaultDllDirectoriesCall() != nullptr; }

void RestrictDllSearch() {
  if (const SetDefaultDllDirectoriesFn setDirs = SetDefaultDllDirectoriesCall())
    setDirs(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

void EnableRedirectionGuard() {
  using SetPolicyFn = BOOL(WINAPI*)(PROCESS_MITIGATION_POLICY, PVOID, SIZE_T);
  // Windows 8 brought the call, Windows 10 22H2 the policy; older systems
  // refuse it, and the run goes on without.
  const auto setPolicy = reinterpret_cast<SetPolicyFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetProcessMitigationPolicy")));
  if (!setPolicy) return;
  PROCESS_MITIGATION_REDIRECTION_TRUST_POLICY policy = {};
  policy.EnforceRedirectionTrust = 1;
  setPolicy(ProcessRedirectionTrustPolicy, &policy, sizeof policy);
}

HMODULE LoadSystemLibrary(const char* name, bool searchFlags) {
  if (searchFlags) return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // The DLL's own imports are then looked for in its folder first.
  const std::string dir = SystemFolder();
  return dir.empty() ? nullptr
                     : LoadLibraryExA(core::JoinPath(dir, name).c_str(), nullptr,
                                      LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace win32
