#include "tools/SingleInstance.h"

#include <string>

namespace tools {

namespace {

struct Search {
  const char* mark;
  DWORD pid;
  HWND skip;
  HWND found;
};

BOOL CALLBACK FindMarked(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  if (!GetPropA(w, s->mark)) return TRUE;
  s->found = w;
  return FALSE;
}

// Top-level windows come top first: the first visible, enabled one is the
// window in front (a modal dialog disables the windows it owns).
BOOL CALLBACK FindFront(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != s->pid || w == s->skip || !IsWindowVisible(w) || !IsWindowEnabled(w)) return TRUE;
  s->found = w;
  return FALSE;
}

}  // namespace

SingleInstance::SingleInstance(const char* name) : name_(name) {
  const std::string mutexName = std::string("Local\\") + name;
  HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
  // Read at once: nothing may set the last error in between. Only a mutex
  // this call created makes the first copy; the name is just as taken when
  // another account's copy denies us its mutex (ERROR_ACCESS_DENIED) or
  // another kind of object has it (ERROR_INVALID_HANDLE).
  first_ = mutex && GetLastError() != ERROR_ALREADY_EXISTS;
  mutex_.reset(mutex);
}

bool SingleInstance::ActivateFirst(DWORD waitMs) const {
  constexpr DWORD kPollMs = 50;
  Search marked{name_, 0, nullptr, nullptr};
  // The first copy may not have its window yet.
  for (const DWORD start = GetTickCount();; Sleep(kPollMs)) {
    EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&marked));
    if (marked.found || GetTickCount() - start >= waitMs) break;
  }
  HWND app = marked.found;
  if (!app) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(app, &pid);
  // The first copy passes the activation on to its own windows.
  AllowSetForegroundWindow(pid);
  // Asynchronous: the first copy may be busy writing files.
  if (IsIconic(app)) ShowWindowAsync(app, SW_RESTORE);
  Search front{name_, pid, app, nullptr};
  EnumWindows(FindFront, reinterpret_cast<LPARAM>(&front));
  SetForegroundWindow(front.found ? front.found : app);
  return true;
}

SingleInstance::Mark::Mark(const SingleInstance& instance, HWND appWindow)
    : name_(instance.name_), window_(appWindow) {
  if (window_) SetPropA(window_, name_, window_);
}

SingleInstance::Mark::~Mark() {
  if (window_) RemovePropA(window_, name_);
}

}  // namespace tools
