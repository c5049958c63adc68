// Times one run of an installer (ours or NSIS through their windows, NSIS
// silently) or of the plain copy, under Wine. Prints key=value lines for
// bench/run.sh.
//
//   bench_driver [--mem] [--prime MB] ours EXE TARGET MANIFEST
//                                          start-up, install, copy phase and
//                                          its steps (MANIFEST: the payload's
//                                          file.lst, for its first and last file)
//   bench_driver [--mem] nsisgui EXE TARGET   the same through NSIS's pages
//   bench_driver [--mem] nsis    EXE TARGET   silent install: start to exit
//   bench_driver [--mem] copy    EXE SRC DST  the plain copy program
//
// Both GUI runs take the same steps with the same waits: start to the first
// window; accept the agreement; keep the folder; install. "All files
// written" is when Logbix.dll appears: the rename that follows the copying
// in both.
//
// --prime MB touches and frees MB of memory of the driver's own just before
// the copying starts (the click, or the start of a program without windows),
// and the time it takes is not counted. This virtual machine hands freed
// memory back to its host within about 2 s; a program that writes into such
// memory pays the host's faults (a 345 MB write 0.8 to 1.0 s, against 0.07 to
// 0.13 s into memory freed just before), and how much that costs changed
// from hour to hour. Memory just freed is what every program then writes
// into, as on a machine of its own.
//
// --mem samples the child's resident anonymous memory (its private pages)
// from Linux's /proc through Wine's Z: drive. Scanning /proc costs CPU, so
// timed runs leave it off and memory is taken in runs of its own.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "win32/ScopedWin.h"
#include "wizard/ControlIds.h"

namespace {

using e2e::Control;
using e2e::Text;

// Short polls keep the latency added to each measured step small.
constexpr DWORD kPollMs = 2;
constexpr DWORD kTimeoutMs = 600000;
// Finding the process in /proc takes a moment, never this long.
constexpr DWORD kWatchMs = 15000;
// A copy of our payloads that has not begun renaming by then has failed.
constexpr double kNoMarkerMs = 300000;

double NowMs() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

bool ReadSmall(const std::string& path, std::string* out) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char buf[8192];
  DWORD got = 0;
  out->clear();
  while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) out->append(buf, got);
  CloseHandle(f);
  return true;
}

// RssAnon + VmSwap of a Linux process, in KiB; -1 when it is gone.
long PrivateKb(const std::string& statusPath) {
  std::string s;
  if (!ReadSmall(statusPath, &s) || s.empty()) return -1;
  long total = 0;
  for (const char* key : {"RssAnon:", "VmSwap:"}) {
    const size_t at = s.find(key);
    if (at != std::string::npos) total += strtol(s.c_str() + at + strlen(key), nullptr, 10);
  }
  return total;
}

// Finds the Linux process whose first argument is `exe` (Wine puts the
// Windows module path there, padded with NULs) and samples its private memory.
class MemoryWatch {
 public:
  explicit MemoryWatch(std::string exe) : exe_(std::move(exe)) {
    thread_ = CreateThread(nullptr, 0, &MemoryWatch::Entry, this, 0, nullptr);
  }
  ~MemoryWatch() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_) {
      WaitForSingleObject(thread_, INFINITE);
      CloseHandle(thread_);
      thread_ = nullptr;
    }
  }
  long Current() const { return current_; }
  long Peak() const { return peak_; }

 private:
  std::string FindStatus() {
    WIN32_FIND_DATAA fd;
    const win32::ScopedFind find(FindFirstFileA("Z:\\proc\\*", &fd));
    if (!find.valid()) return {};
    std::string found;
    do {
      if (fd.cFileName[0] < '0' || fd.cFileName[0] > '9') continue;
      const std::string dir = std::string("Z:\\proc\\") + fd.cFileName;
      std::string c;
      if (!ReadSmall(dir + "\\cmdline", &c)) continue;
      // argv[0] only: arguments follow it after a NUL, padding after that.
      c = c.substr(0, c.find('\0'));
      while (!c.empty() && c.back() == ' ') c.pop_back();
      if (c == exe_) {
        found = dir + "\\status";
        break;
      }
    } while (FindNextFileA(find.get(), &fd));
    return found;
  }

  static DWORD WINAPI Entry(void* self) {
    static_cast<MemoryWatch*>(self)->Run();
    return 0;
  }

  void Run() {
    std::string status;
    while (!stop_ && (status = FindStatus()).empty()) Sleep(5);
    while (!stop_) {
      const long kb = PrivateKb(status);
      if (kb < 0) break;
      current_ = kb;
      if (kb > peak_) peak_ = kb;
      Sleep(5);
    }
  }

  std::string exe_;
  std::atomic<bool> stop_{false};
  std::atomic<long> current_{-1};
  std::atomic<long> peak_{-1};
  HANDLE thread_ = nullptr;
};

using Child = e2e::Installer;

// Polls `pred` until it holds, the child ends or the timeout passes; the
// answer is `pred`'s last.
template <class Pred>
bool Poll(const Child& c, Pred pred, DWORD timeoutMs = kTimeoutMs) {
  bool held = false;
  e2e::WaitFor([&] { return (held = pred()) || !c.Running(); }, timeoutMs, kPollMs);
  return held;
}

HWND WaitTop(const Child& c, const char* cls) {
  HWND w = nullptr;
  Poll(c, [&] { return (w = c.FindTop(cls)) != nullptr; });
  return w;
}

// Starts `exe` with `arguments`; the child is ended when it goes out of scope.
std::unique_ptr<Child> Start(const std::string& exe, const std::string& arguments) {
  auto c = std::make_unique<Child>(Child::InPlace{exe, arguments});
  if (!c->started()) fprintf(stderr, "%s\n", c->error().c_str());
  return c;
}

int Fail(const char* what) {
  printf("error=%s\n", what);
  fprintf(stderr, "bench_driver: %s\n", what);
  return 1;
}

void PrintMem(MemoryWatch* mem, long idleKb) {
  if (!mem) return;
  mem->Stop();
  if (idleKb >= 0) printf("idle_kb=%ld\n", idleKb);
  printf("peak_kb=%ld\n", mem->Peak());
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

size_t gPrimeMb = 0;

// Returns the milliseconds it took, to be left out of the figures.
double PrimeMemory() {
  if (!gPrimeMb) return 0;
  const double t0 = NowMs();
  constexpr size_t kPiece = 64 << 20;
  std::vector<void*> pieces;
  for (size_t done = 0; done < gPrimeMb << 20; done += kPiece) {
    void* p = VirtualAlloc(nullptr, kPiece, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!p) break;
    memset(p, 1, kPiece);
    pieces.push_back(p);
  }
  for (void* p : pieces) VirtualFree(p, 0, MEM_RELEASE);
  return NowMs() - t0;
}

struct Point {
  const char* key;
  std::function<bool()> reached;
};

// The first file our installer writes and the last one it keeps (it
// deletes the manifest copy), from the payload's manifest.
struct FirstAndLast {
  std::string first, last;
};

bool ReadManifest(const std::string& path, FirstAndLast* out) {
  std::string text;
  if (!ReadSmall(path, &text)) return false;
  std::vector<std::string> names;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    if (end > at) names.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  if (names.size() < 2) return false;
  names.pop_back();  // the version
  out->first = names.front();
  for (const std::string& n : names)
    if (lstrcmpiA(n.c_str(), "file.lst") != 0) out->last = n;
  return true;
}

int RunOurs(const std::string& exe, const std::string& target, const std::string& manifest,
            bool withMem) {
  FirstAndLast files;
  if (!ReadManifest(manifest, &files)) return Fail("manifest unreadable");
  double t0 = NowMs();
  const auto child = Start(exe, "");
  const Child& c = *child;
  if (!c.started()) return Fail("start");
  std::unique_ptr<MemoryWatch> mem;
  HWND main = WaitTop(c, wizard::kMainWindowClass);
  const double tWindow = NowMs();
  if (!main) return Fail("no main window");
  printf("startup_ms=%.1f\n", tWindow - t0);
  long idleKb = -1;
  if (withMem) {
    // Idle: the welcome window shown and nothing asked of it yet.
    mem = std::make_unique<MemoryWatch>(exe);
    Poll(c, [&] { return mem->Current() >= 0; }, kWatchMs);
    Sleep(500);
    idleKb = mem->Current();
  }
  HWND edit = Control(main, wizard::kEdit1);
  HWND next = Control(main, wizard::kBtnDalej);
  HWND m1 = Control(main, wizard::kM1);
  e2e::SetText(edit, target);
  e2e::Click(next);
  HWND agreement = WaitTop(c, wizard::kAgreementDialogClass);
  if (!agreement) return Fail("no agreement dialog");
  HWND accept = Control(agreement, wizard::kRadioButton1);
  HWND agreeNext = Control(agreement, wizard::kAgreementBitBtn1);
  e2e::Click(accept);
  if (!Poll(c, [&] { return IsWindowEnabled(agreeNext) != FALSE; })) return Fail("&Next disabled");
  t0 += PrimeMemory();
  const double tCopy = NowMs();
  e2e::Click(agreeNext);
  // The copy phase, seen from outside, point by point in the order the run
  // passes them; each point stays true once reached, so one check per poll
  // suffices and the polling takes little from the installer.
  const std::string first = target + "\\" + files.first, last = target + "\\" + files.last;
  // The event-log module is renamed after every payload file is written:
  // its new name marks the end of the copying (the payload keeps that file).
  const std::string renamed = target + "\\Logbix.dll";
  const Point points[] = {
      {"agreement", [&] { return !IsWindowVisible(agreement); }},
      {"folder", [&] { return e2e::DirExists(target); }},
      {"first_file", [&] { return e2e::FileExists(first); }},
      {"files", [&] { return e2e::FileExists(last); }},
      {"renames", [&] { return e2e::FileExists(renamed); }},
  };
  constexpr size_t kPoints = sizeof points / sizeof points[0];
  double at[kPoints] = {};
  size_t reached = 0;
  unsigned polls = 0;
  HWND shortcut = nullptr;
  Poll(c, [&] {
    while (reached < kPoints && points[reached].reached()) at[reached++] = NowMs();
    if (reached == kPoints) return true;
    // A failed run never renames: its end (a box or the shortcut dialog
    // without the marker) is looked for now and then only, as a window
    // search costs the installer more than a file check.
    if (++polls % 25 == 0 && (c.FindTop(wizard::kShortcutDialogClass) || c.FindTop("#32770")))
      return true;
    return NowMs() - tCopy > kNoMarkerMs;
  });
  if (reached < kPoints) return Fail(("stopped before " + std::string(points[reached].key) +
                                      "; M1: " + Text(m1)).c_str());
  shortcut = WaitTop(c, wizard::kShortcutDialogClass);
  const double tDone = NowMs();
  if (!shortcut) return Fail(("no shortcut dialog; M1: " + Text(m1)).c_str());
  const double tFiles = at[kPoints - 1];
  printf("install_ms=%.1f\n", tFiles - t0);
  printf("copy_phase_ms=%.1f\n", tFiles - tCopy);
  printf("dialog_ms=%.1f\n", tDone - t0);
  // Where the copy phase goes: each step from the point before it.
  for (size_t i = 0; i < kPoints; ++i)
    printf("step_%s_ms=%.1f\n", points[i].key, at[i] - (i ? at[i - 1] : tCopy));
  PrintMem(mem.get(), idleKb);
  e2e::Click(Control(shortcut, wizard::kShortcutBitBtn2));
  const std::string ok = "PULTIX installed successfully.";
  std::string m1Text;
  Poll(c, [&] {
    m1Text = Text(m1);
    return m1Text.size() >= ok.size() && m1Text.compare(m1Text.size() - ok.size(), ok.size(), ok) == 0;
  });
  if (m1Text.find(ok) == std::string::npos) return Fail("no success text");
  e2e::Click(Control(main, wizard::kBtnOK));
  c.WaitExit(10000);
  printf("ok=1\n");
  return 0;
}

int RunNsis(const std::string& exe, const std::string& target, bool withMem) {
  PrimeMemory();
  const double t0 = NowMs();
  const auto c = Start(exe, "/S /D=" + target);
  if (!c->started()) return Fail("start");
  std::unique_ptr<MemoryWatch> mem;
  if (withMem) mem = std::make_unique<MemoryWatch>(exe);
  if (!c->WaitExit(kTimeoutMs)) return Fail("timeout");
  const double t1 = NowMs();
  if (c->ExitCode() != 0) return Fail("nsis exit code");
  printf("install_ms=%.1f\n", t1 - t0);
  PrintMem(mem.get(), -1);
  printf("ok=1\n");
  return 0;
}

// NSIS's wizard: one dialog whose button 1 reads "I Agree" on the licence
// page, "Install" on the directory page and "Close" when done; the install
// page's work runs on a thread of its own, so its window keeps answering.
constexpr int kNsisNext = 1;

bool TextHas(HWND w, const char* part) { return Text(w).find(part) != std::string::npos; }

HWND NsisWizard(const Child& c) {
  return e2e::TopWindowOf(c.pid(), "#32770", [](HWND w) {
    HWND next = GetDlgItem(w, kNsisNext);
    return next && TextHas(next, "Agree");
  });
}

int RunNsisGui(const std::string& exe, const std::string& target, bool withMem) {
  double t0 = NowMs();
  const auto child = Start(exe, "");
  const Child& c = *child;
  if (!c.started()) return Fail("start");
  std::unique_ptr<MemoryWatch> mem;
  // A large installer first shows NSIS's integrity check dialog; the wizard
  // is the dialog whose button 1 reads "I Agree".
  HWND main = nullptr;
  Poll(c, [&] { return (main = NsisWizard(c)) != nullptr; });
  const double tWindow = NowMs();
  if (!main) return Fail("no NSIS licence page");
  printf("startup_ms=%.1f\n", tWindow - t0);
  long idleKb = -1;
  if (withMem) {
    mem = std::make_unique<MemoryWatch>(exe);
    Poll(c, [&] { return mem->Current() >= 0; }, kWatchMs);
    Sleep(500);
    idleKb = mem->Current();
  }
  HWND next = GetDlgItem(main, kNsisNext);
  e2e::Click(next);
  if (!Poll(c, [&] { return TextHas(next, "Install") && IsWindowEnabled(next); }))
    return Fail("no directory page");
  t0 += PrimeMemory();
  const double tCopy = NowMs();
  e2e::Click(next);
  const std::string marker = target + "\\Logbix.dll";
  double tFiles = 0;
  Poll(c, [&] {
    if (tFiles == 0 && GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES) tFiles = NowMs();
    return tFiles != 0 || NowMs() - tCopy > kNoMarkerMs;
  });
  if (tFiles == 0) return Fail("Logbix.dll not written");
  printf("install_ms=%.1f\n", tFiles - t0);
  printf("copy_phase_ms=%.1f\n", tFiles - tCopy);
  PrintMem(mem.get(), idleKb);
  if (!Poll(c, [&] { return TextHas(next, "Close"); })) return Fail("install page never done");
  e2e::Click(next);
  c.WaitExit(10000);
  printf("ok=1\n");
  return 0;
}

int RunCopy(const std::string& exe, const std::string& src, const std::string& dst,
            bool withMem) {
  PrimeMemory();
  const double t0 = NowMs();
  const auto c = Start(exe, Quoted(src) + " " + Quoted(dst));
  if (!c->started()) return Fail("start");
  std::unique_ptr<MemoryWatch> mem;
  if (withMem) mem = std::make_unique<MemoryWatch>(exe);
  if (!c->WaitExit(kTimeoutMs)) return Fail("timeout");
  const double t1 = NowMs();
  if (c->ExitCode() != 0) return Fail("copy exit code");
  printf("install_ms=%.1f\n", t1 - t0);
  PrintMem(mem.get(), -1);
  printf("ok=1\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int i = 1;
  bool withMem = false;
  if (i < argc && strcmp(argv[i], "--mem") == 0) {
    withMem = true;
    ++i;
  }
  if (i + 1 < argc && strcmp(argv[i], "--prime") == 0) {
    gPrimeMb = strtoul(argv[i + 1], nullptr, 10);
    i += 2;
  }
  const int left = argc - i;
  const std::string mode = left > 0 ? argv[i] : "";
  int rc = 2;
  if (mode == "ours" && left == 4) rc = RunOurs(argv[i + 1], argv[i + 2], argv[i + 3], withMem);
  else if (mode == "nsis" && left == 3) rc = RunNsis(argv[i + 1], argv[i + 2], withMem);
  else if (mode == "nsisgui" && left == 3) rc = RunNsisGui(argv[i + 1], argv[i + 2], withMem);
  else if (mode == "copy" && left == 4) rc = RunCopy(argv[i + 1], argv[i + 2], argv[i + 3], withMem);
  else fprintf(stderr, "usage: bench_driver [--mem] [--prime MB] ours|nsisgui|nsis|copy ...\n");
  fflush(stdout);
  return rc;
}
