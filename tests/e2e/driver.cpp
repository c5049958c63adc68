#include "tests/e2e/driver.h"

#include <oleacc.h>
#include <tlhelp32.h>

#include <cstring>

#include "win32/ScopedWin.h"

namespace e2e {

namespace {

struct FindArgs {
  DWORD pid;
  const char* cls;
  bool (*accept)(HWND);
  HWND found;
};

BOOL CALLBACK FindTopLevel(HWND w, LPARAM lp) {
  auto* a = reinterpret_cast<FindArgs*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != a->pid || !IsWindowVisible(w) || ClassOf(w) != a->cls) return TRUE;
  if (a->accept && !a->accept(w)) return TRUE;
  a->found = w;
  return FALSE;
}

struct ControlArgs {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND w, LPARAM lp) {
  auto* a = reinterpret_cast<ControlArgs*>(lp);
  if (GetDlgCtrlID(w) != a->id) return TRUE;
  a->found = w;
  return FALSE;
}

std::string DirOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

Installer::Installer(const std::string& source, const std::string& copyPath) {
  MakeDirs(DirOf(copyPath));
  if (!CopyFileA(source.c_str(), copyPath.c_str(), FALSE)) {
    error_ = "cannot copy " + source + " to " + copyPath + ", error " +
             std::to_string(GetLastError());
    return;
  }
  // The system's default error mode, not ours: the installer must set its own.
  if (Launch(copyPath, "\"" + copyPath + "\"", CREATE_DEFAULT_ERROR_MODE, DirOf(copyPath).c_str()))
    WaitForInputIdle(process_, kStepTimeoutMs);
}

Installer::Installer(const InPlace& run) {
  Launch(run.exe, "\"" + run.exe + "\"" + (run.arguments.empty() ? "" : " " + run.arguments), 0,
         nullptr);
}

bool Installer::Launch(const std::string& exe, std::string cmd, DWORD flags, const char* dir) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, flags, nullptr, dir, &si,
                      &pi)) {
    error_ = "cannot start " + exe + ", error " + std::to_string(GetLastError());
    return false;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  return true;
}

Installer::~Installer() {
  Kill();
  if (process_) CloseHandle(process_);
}

void Installer::Kill() {
  if (process_ && Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, kStepTimeoutMs);
  }
}

HWND TopWindowOf(DWORD pid, const char* cls, bool (*accept)(HWND)) {
  FindArgs a{pid, cls, accept, nullptr};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&a));
  return a.found;
}

HWND Installer::FindTop(const char* cls) const { return TopWindowOf(pid_, cls); }

HWND Installer::WaitWindow(const char* cls, DWORD timeoutMs) const {
  HWND w = nullptr;
  WaitFor([&] { return (w = FindTop(cls)) != nullptr || !Running(); }, timeoutMs);
  return w;
}

bool Installer::WaitNoWindow(const char* cls, DWORD timeoutMs) const {
  return WaitFor([&] { return FindTop(cls) == nullptr; }, timeoutMs);
}

bool Installer::WaitExit(DWORD timeoutMs) const {
  return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

bool Installer::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

DWORD Installer::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

namespace {

std::vector<MODULEENTRY32> Modules(DWORD pid) {
  std::vector<MODULEENTRY32> modules;
  const win32::ScopedHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
  if (!snap.valid()) return modules;
  MODULEENTRY32 m{};
  m.dwSize = sizeof m;
  for (BOOL ok = Module32First(snap.get(), &m); ok; ok = Module32Next(snap.get(), &m))
    modules.push_back(m);
  return modules;
}

}  // namespace

std::vector<std::string> ModulesOf(DWORD pid) {
  std::vector<std::string> paths;
  for (const MODULEENTRY32& m : Modules(pid)) paths.emplace_back(m.szExePath);
  return paths;
}

UINT ErrorModeOf(HANDLE process, DWORD pid) {
  // kernel32 may lie elsewhere in the other process: the same offset from its base.
  BYTE* remoteKernel = nullptr;
  for (const MODULEENTRY32& m : Modules(pid)) {
    if (lstrcmpiA(m.szModule, "kernel32.dll") == 0) remoteKernel = m.modBaseAddr;
  }
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto local = reinterpret_cast<BYTE*>(GetProcAddress(kernel, "GetErrorMode"));
  if (!remoteKernel || !local) return ~0u;
  auto start = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      remoteKernel + (local - reinterpret_cast<BYTE*>(kernel)));
  const win32::ScopedHandle thread(
      CreateRemoteThread(process, nullptr, 0, start, nullptr, 0, nullptr));
  if (!thread.valid()) return ~0u;
  DWORD mode = ~0u;
  if (WaitForSingleObject(thread.get(), kStepTimeoutMs) != WAIT_OBJECT_0 ||
      !GetExitCodeThread(thread.get(), &mode))
    mode = ~0u;
  return mode;
}

HWND Control(HWND parent, int id) {
  if (!parent) return nullptr;
  ControlArgs a{id, nullptr};
  EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&a));
  return a.found;
}

std::string Text(HWND w) {
  if (!w) return "<no window>";
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &len))
    return "<no answer>";
  std::string s(len + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(&s[0]),
                      SMTO_NORMAL, 5000, &got);
  s.resize(got);
  return s;
}

std::string ClassOf(HWND w) {
  char buf[256] = {};
  GetClassNameA(w, buf, sizeof buf);
  return buf;
}

bool Visible(HWND w) { return w && IsWindowVisible(w); }
bool Enabled(HWND w) { return w && IsWindowEnabled(w); }

int CheckState(HWND w) {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(w, BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &r);
  return static_cast<int>(r);
}

SIZE ClientSize(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT ScreenRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

RECT ClientRectOnScreen(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HWND Focused(HWND w) {
  GUITHREADINFO gti{};
  gti.cbSize = sizeof gti;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &gti)) return nullptr;
  return gti.hwndFocus;
}

DWORD ProcessOf(HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return pid;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void CloseBox(HWND top) { PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0); }

void PressKey(HWND anyWindowOfThread, WORD vk) {
  HWND target = Focused(anyWindowOfThread);
  if (!target) target = anyWindowOfThread;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageA(target, WM_KEYDOWN, vk, scan | 1);
  PostMessageA(target, WM_KEYUP, vk, scan | 1 | (1u << 30) | (1u << 31));
}

std::string WaitText(HWND w, const std::string& expected, DWORD timeoutMs) {
  std::string seen;
  WaitFor([&] { return (seen = Text(w)) == expected; }, timeoutMs);
  return seen;
}

void SetText(HWND w, const std::string& text) {
  DWORD_PTR r = 0;
  SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                      5000, &r);
}

void Settle(HWND w) {
  // A sent message is handled at the owner's next message retrieval; the
  // second one therefore waits until what was posted before has been taken.
  DWORD_PTR r = 0;
  for (int i = 0; i < 2; ++i) SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &r);
  Sleep(300);
}

MessageBoxInfo ReadMessageBox(HWND box) {
  MessageBoxInfo info;
  info.title = Text(box);
  HWND text = GetDlgItem(box, 0xFFFF);  // the message's static control
  if (text) info.text = Text(text);
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (ClassOf(c) == "Button" && IsWindowVisible(c)) info.buttons.push_back(Text(c));
  }
  return info;
}

void PressMessageBoxButton(HWND box, int id) {
  HWND b = GetDlgItem(box, id);
  if (b) Click(b);
}

std::string AccessibleName(HWND w) {
  win32::ComPtr<IAccessible> object;
  if (FAILED(AccessibleObjectFromWindow(w, OBJID_CLIENT, IID_PPV_ARGS(object.receive()))) ||
      !object)
    return "<no accessible object>";
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string text;
  if (object->get_accName(self, &name) == S_OK && name) {
    char buf[512] = {};
    WideCharToMultiByte(CP_ACP, 0, name, -1, buf, sizeof buf - 1, nullptr, nullptr);
    text = buf;
    SysFreeString(name);
  }
  return text;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "\r\n";
    out += lines[i];
  }
  return out;
}

bool FileExists(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadBytes(const std::string& path, std::string* out) {
  const win32::ScopedHandle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  if (!h.valid()) return false;
  out->clear();
  char buf[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h.get(), buf, sizeof buf, &got, nullptr)) && got) out->append(buf, got);
  return ok;
}

bool WriteBytes(const std::string& path, const std::string& data) {
  const win32::ScopedHandle h(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!h.valid()) return false;
  DWORD put = 0;
  return WriteFile(h.get(), data.data(), static_cast<DWORD>(data.size()), &put, nullptr) &&
         put == data.size();
}

std::vector<std::string> ListFiles(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  const win32::ScopedFind find(FindFirstFileA((dir + "\\*").c_str(), &fd));
  if (!find.valid()) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
  } while (FindNextFileA(find.get(), &fd));
  return names;
}

bool MakeDirs(const std::string& path) {
  if (path.empty() || DirExists(path)) return true;
  const size_t slash = path.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) MakeDirs(path.substr(0, slash));
  return CreateDirectoryA(path.c_str(), nullptr) || DirExists(path);
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA fd;
  const win32::ScopedFind find(FindFirstFileA((path + "\\*").c_str(), &fd));
  if (find.valid()) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(find.get(), &fd));
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace e2e
