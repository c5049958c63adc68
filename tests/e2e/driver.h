// Drives a running installer from another process on the same Wine desktop:
// finds its windows and controls, reads their state and posts input to them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr DWORD kDefaultTimeoutMs = 20000;
// One step after an input: a window opens or closes, the program ends, a
// thread or a started program answers.
constexpr DWORD kStepTimeoutMs = 10000;

// A started installer. The destructor terminates a process that is still
// running, so a failing test never leaves windows behind.
class Installer {
 public:
  // Copies `source` to `copyPath` (the caption follows the file name) and
  // starts the copy with its folder as the current directory.
  Installer(const std::string& source, const std::string& copyPath);
  // Starts `exe` where it is, with `arguments` after its quoted path, and
  // returns at once (for timing: no copy, no wait).
  struct InPlace {
    std::string exe, arguments;
  };
  explicit Installer(const InPlace& run);
  ~Installer();
  Installer(const Installer&) = delete;
  Installer& operator=(const Installer&) = delete;

  bool started() const { return process_ != nullptr; }
  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_; }
  const std::string& error() const { return error_; }

  // A visible top-level window of this process with the class `cls`;
  // nullptr after the timeout.
  HWND WaitWindow(const char* cls, DWORD timeoutMs = kDefaultTimeoutMs) const;
  // The visible top-level window of that class right now, if any.
  HWND FindTop(const char* cls) const;
  // Waits until no visible window of that class is left.
  bool WaitNoWindow(const char* cls, DWORD timeoutMs = kDefaultTimeoutMs) const;
  // Waits for the process to end; false after the timeout.
  bool WaitExit(DWORD timeoutMs = kDefaultTimeoutMs) const;
  bool Running() const;
  DWORD ExitCode() const;
  void Kill();

 private:
  bool Launch(const std::string& exe, std::string cmd, DWORD flags, const char* dir);
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  std::string error_;
};

// Full paths of the modules loaded in a running process.
std::vector<std::string> ModulesOf(DWORD pid);
// A running process's error mode, from its own GetErrorMode run in it.
UINT ErrorModeOf(HANDLE process, DWORD pid);

// Finds a control by ID anywhere below `parent` (controls sit inside panels
// and group boxes, which GetDlgItem does not search).
HWND Control(HWND parent, int id);

// A visible top-level window of process `pid` with the class `cls`, if any.
// With `accept`: the first such window it accepts.
HWND TopWindowOf(DWORD pid, const char* cls, bool (*accept)(HWND) = nullptr);

std::string Text(HWND w);
std::string ClassOf(HWND w);
bool Visible(HWND w);  // the window itself and all its parents
bool Enabled(HWND w);
int CheckState(HWND w);  // BM_GETCHECK
SIZE ClientSize(HWND w);
RECT ScreenRect(HWND w);  // window rectangle in screen coordinates
RECT ClientRectOnScreen(HWND w);
// The focused window of the thread that owns `w`.
HWND Focused(HWND w);
DWORD ProcessOf(HWND w);

// Posted, never sent: a click that opens a modal window would block us.
void Click(HWND button);
void CloseBox(HWND top);  // WM_SYSCOMMAND SC_CLOSE, as the title bar's close box
// Posts a key press to the window that has the focus in the owner's thread.
void PressKey(HWND anyWindowOfThread, WORD vk);
void SetText(HWND w, const std::string& text);  // WM_SETTEXT

// Lets the owner's thread process what was posted to it before us.
void Settle(HWND w);

// Polls `pred` every `pollMs` until it holds or the timeout passes.
template <class Pred>
bool WaitFor(Pred pred, DWORD timeoutMs = kDefaultTimeoutMs, DWORD pollMs = 20) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(pollMs);
  }
}

// Waits until a window's text is `expected` and returns the last text seen.
std::string WaitText(HWND w, const std::string& expected, DWORD timeoutMs = 5000);

// A system message box ("#32770").
struct MessageBoxInfo {
  std::string title;
  std::string text;
  std::vector<std::string> buttons;  // captions, in child order
};
MessageBoxInfo ReadMessageBox(HWND box);
// Clicks the message box button with the given ID (IDOK, IDYES...).
void PressMessageBoxButton(HWND box, int id);

// What a screen reader hears as the name of a window's client object, read
// through the system's accessibility proxy (oleacc).
std::string AccessibleName(HWND w);

// Lines of a text joined by CR LF.
std::vector<std::string> SplitCrLf(const std::string& text);
std::string JoinCrLf(const std::vector<std::string>& lines);

// Files.
bool FileExists(const std::string& path);
bool DirExists(const std::string& path);
bool ReadBytes(const std::string& path, std::string* out);
bool WriteBytes(const std::string& path, const std::string& data);
std::vector<std::string> ListFiles(const std::string& dir);  // names, no folders
bool MakeDirs(const std::string& path);
// Deletes a folder tree, clearing read-only attributes first.
void RemoveTree(const std::string& path);

}  // namespace e2e
