// End-to-end tests: the real installer, started as its own process and
// driven through its windows.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/e2e_common.h"

namespace e2e {
namespace {

using wizard::kAgreementDialogClass;
using wizard::kMainWindowClass;
using wizard::kShortcutDialogClass;
constexpr char kMessageBoxClass[] = "#32770";
constexpr char kLocalesKey[] = "SOFTWARE\\Borland\\Locales";
constexpr DWORD kRunTimeoutMs = 60000;

std::string TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(info->test_suite_name()) + "." + info->name();
}

// Copies an installer into this test's own folder and starts it.
std::unique_ptr<Installer> Start(const char* source, const std::string& exeName = "_setup.exe") {
  const std::string copy = std::string(kWorkDir) + "\\" + TestName() + "\\" + exeName;
  auto inst = std::make_unique<Installer>(source, copy);
  EXPECT_TRUE(inst->started()) << inst->error();
  return inst;
}

// Target folders live in the prefix's C: drive, fresh for every test.
class TargetRoot {
 public:
  TargetRoot() {
    root_ = "C:\\e2e-targets\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "-" + TestName();
  }
  ~TargetRoot() { RemoveTree(root_); }
  const std::string& path() const { return root_; }

 private:
  std::string root_;
};

// Waits until a window's text is `expected` and returns the last text seen.
std::string WaitText(HWND w, const std::string& expected, DWORD timeoutMs = 5000) {
  std::string seen;
  WaitFor([&] { return (seen = Text(w)) == expected; }, timeoutMs);
  return seen;
}

std::string Welcome(const std::string& version = "2.00.001") {
  return JoinCrLf(WelcomeLines(version));
}

// Checks the controls of the welcome state.
void ExpectWelcomeState(const MainWindow& m, const std::string& version = "2.00.001") {
  EXPECT_EQ(WaitText(m.m1, Welcome(version)), Welcome(version));
  EXPECT_FALSE(Visible(m.g1)) << "G1";
  EXPECT_FALSE(Visible(m.btnOK)) << "BtnOK";
  EXPECT_TRUE(Visible(m.btnKoniec)) << "BtnKoniec";
  EXPECT_TRUE(Enabled(m.btnKoniec)) << "BtnKoniec";
  EXPECT_EQ(Text(m.btnKoniec), "Cancel");
  EXPECT_TRUE(Visible(m.btnDalej)) << "BtnDalej";
  EXPECT_TRUE(Enabled(m.btnDalej)) << "BtnDalej";
  EXPECT_EQ(Text(m.btnDalej), "Next");
  EXPECT_TRUE(Enabled(m.button1)) << "Button1";
  EXPECT_EQ(Text(m.button1), "Browse...");
  EXPECT_EQ(Text(m.groupBox1), "Target folder:");
}

HWND StartMain(Installer& inst) {
  HWND w = inst.WaitWindow(kMainWindowClass);
  if (w) Settle(w);
  return w;
}

// Presses "Next" and waits for the agreement dialog.
HWND OpenAgreement(Installer& inst, const MainWindow& m) {
  Click(m.btnDalej);
  return inst.WaitWindow(kAgreementDialogClass);
}

// Selects "Accept" and presses "&Next" in the agreement dialog.
void Accept(const AgreementDialog& a) {
  Click(a.accept);
  ASSERT_TRUE(WaitFor([&] { return Enabled(a.next); }, 5000)) << "\"&Next\" stays disabled";
  Click(a.next);
}

bool RunFinished(Installer& inst, const MainWindow& m) {
  return inst.FindTop(kShortcutDialogClass) != nullptr ||
         inst.FindTop(kMessageBoxClass) != nullptr ||
         Text(m.m1).find("Setup failed.") != std::string::npos || !inst.Running();
}

// The run's texts: four blank lines (" "), then `extra`.
std::vector<std::string> Lines(std::initializer_list<const char*> extra) {
  std::vector<std::string> lines(4, " ");
  lines.insert(lines.end(), extra.begin(), extra.end());
  return lines;
}

bool ReadRegString(const std::string& name, DWORD* type, std::string* data) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kLocalesKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  char buf[1024] = {};
  DWORD size = sizeof buf - 1;
  const bool ok = RegQueryValueExA(key, name.c_str(), nullptr, type,
                                   reinterpret_cast<BYTE*>(buf), &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (ok) data->assign(buf, strnlen(buf, size));
  return ok;
}

void DeleteRegValue(const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kLocalesKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

std::string ShellFolder(int csidl) {
  char buf[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buf);
  return buf;
}

std::string DesktopLink() { return ShellFolder(CSIDL_DESKTOPDIRECTORY) + "\\Pultix.lnk"; }
std::string StartMenuLink() { return ShellFolder(CSIDL_PROGRAMS) + "\\Vorlen\\Pultix.lnk"; }

struct LinkInfo {
  std::string target, arguments, workDir;
};

bool ReadLink(const std::string& path, LinkInfo* info) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return false;
  IPersistFile* file = nullptr;
  bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
  if (ok) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    ok = SUCCEEDED(file->Load(wide, STGM_READ));
    file->Release();
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
  link->Release();
  return ok;
}

bool SameText(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// ---------------------------------------------------------------- main window

TEST(MainWindow, CaptionIsTheExecutableStem) {
  const struct {
    const char* exe;
    const char* caption;
  } cases[] = {{"_setup.exe", "_setup"}, {"Install Me.exe", "Install Me"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.exe);
    auto inst = Start(kShippedInstaller, c.exe);
    HWND w = StartMain(*inst);
    ASSERT_NE(w, nullptr) << "no main window";
    EXPECT_EQ(Text(w), c.caption);
  }
}

TEST(MainWindow, WelcomeState) {
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  MainWindow m(w);
  for (HWND c : {m.m1, m.g1, m.btnOK, m.btnKoniec, m.btnDalej, m.button1, m.edit1, m.groupBox1})
    ASSERT_NE(c, nullptr) << "a control ID of ControlIds.h is missing";

  const SIZE client = ClientSize(w);
  EXPECT_EQ(client.cx, 555);
  EXPECT_EQ(client.cy, 316);
  const LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_FALSE(style & WS_MINIMIZEBOX) << "no minimise box";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "no maximise box";
  EXPECT_TRUE(style & WS_SYSMENU) << "close box";
  EXPECT_FALSE(style & WS_THICKFRAME) << "fixed border";

  ExpectWelcomeState(m);
  EXPECT_EQ(Text(m.edit1), "c:\\Program Files\\Vorlen\\KORVAN");
  EXPECT_TRUE(GetWindowLongA(m.edit1, GWL_STYLE) & ES_READONLY) << "Edit1 is read-only";
  EXPECT_FALSE(GetWindowLongA(m.edit1, GWL_STYLE) & WS_TABSTOP) << "Edit1 is no tab stop";
  EXPECT_EQ(Focused(w), m.btnDalej) << "\"Next\" has the focus";
  // A target on an empty drive must not bring up the system's "no disk" box.
  EXPECT_EQ(ErrorModeOf(inst->process(), inst->pid()) & SEM_FAILCRITICALERRORS,
            static_cast<UINT>(SEM_FAILCRITICALERRORS));
}

std::string Env(const char* name) {
  char value[4096] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
  return n < sizeof value ? std::string(value, n) : std::string();
}

// Sets an environment variable for the programs started while it lives.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name), old_(Env(name)) {
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~ScopedEnv() { SetEnvironmentVariableA(name_, old_.empty() ? nullptr : old_.c_str()); }

 private:
  const char* name_;
  std::string old_;
};

// Windows looks for a DLL in the program's folder first unless it is one of
// its known DLLs. The installer imports only known DLLs (installer_imports)
// and loads any other from the system folder; copies planted beside it under
// those other names must stay unused, even with Wine told to prefer them.
// Known DLL names are not planted: Windows never takes them from the
// program's folder, whereas Wine would, so they would test Wine, not Windows.
TEST(MainWindow, DllsPlantedBesideTheInstallerAreNotLoaded) {
  const char* const kLoadedAtRunTime[] = {"mpr"};
  const std::string dir = std::string(kWorkDir) + "\\" + TestName();
  ASSERT_TRUE(MakeDirs(dir));
  std::string overrides;
  for (const char* name : kLoadedAtRunTime) {
    ASSERT_TRUE(CopyFileA(kProbeDll, (dir + "\\" + name + ".dll").c_str(), FALSE)) << name;
    overrides += std::string(";") + name + "=n,b";
  }
  const ScopedEnv env("WINEDLLOVERRIDES", Env("WINEDLLOVERRIDES") + overrides);
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr) << "the installer does not start";
  // The chooser's drive list is what needs mpr.dll.
  Click(MainWindow(w).button1);
  HWND chooser = inst->WaitWindow(wizard::kFolderChooserClass);
  ASSERT_NE(chooser, nullptr) << "no chooser";
  Settle(chooser);
  std::string own = dir + "\\";
  CharLowerA(&own[0]);
  const std::vector<std::string> modules = ModulesOf(inst->pid());
  ASSERT_GT(modules.size(), 1u) << "cannot list the installer's modules";
  for (std::string m : modules) {
    CharLowerA(&m[0]);
    if (m.rfind(own, 0) == 0) {
      EXPECT_EQ(m, own + "_setup.exe") << "loaded from its folder";
    }
  }
  PressKey(chooser, VK_ESCAPE);
  EXPECT_TRUE(inst->WaitNoWindow(wizard::kFolderChooserClass, 10000));
}

// One installer per session: a second copy ends at once and brings the
// first forward, at the window the user works in; the first goes on.
TEST(MainWindow, SecondCopyBringsTheFirstForwardAndEnds) {
  auto first = Start(kShippedInstaller);
  HWND w = StartMain(*first);
  ASSERT_NE(w, nullptr);
  MainWindow m(w);
  HWND app = first->FindTop("TApplication");
  ASSERT_NE(app, nullptr);
  // A window of ours in front, as another program would be.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  HWND agreement = nullptr;
  const struct {
    const char* state;
    std::function<void()> enter;
    std::function<HWND()> front;
    bool minimised;
  } steps[] = {
      {"welcome, behind another window", [] {}, [&] { return w; }, false},
      {"agreement open", [&] { agreement = OpenAgreement(*first, m); },
       [&] { return agreement; }, false},
      {"minimised with the agreement open", [&] { ShowWindow(app, SW_MINIMIZE); },
       [&] { return agreement; }, true},
  };
  int n = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE(s.state);
    s.enter();
    ASSERT_NE(s.front(), nullptr);
    if (s.minimised) {
      ASSERT_TRUE(WaitFor([&] { return IsIconic(app) != 0; }, 5000)) << "not minimised";
    }
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }, 5000));
    auto second = Start(kShippedInstaller, "second" + std::to_string(++n) + ".exe");
    EXPECT_TRUE(second->WaitExit(10000)) << "the second copy keeps running";
    EXPECT_EQ(second->ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == s.front(); }, 5000))
        << "in front: " << ClassOf(GetForegroundWindow());
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(Visible(s.front()));
    EXPECT_TRUE(first->Running());
  }
  DestroyWindow(other);
  // The first copy still answers: back to the welcome state, then closed.
  Click(AgreementDialog(agreement).cancel);
  ASSERT_TRUE(first->WaitNoWindow(kAgreementDialogClass, 10000));
  Settle(w);
  ExpectWelcomeState(m);
  Click(m.btnKoniec);
  EXPECT_TRUE(first->WaitExit(10000));
}

// Control positions at 96 DPI, relative to the main window's client area.
struct Placement {
  int id;
  const char* name;
  int left, top, width, height;
};
const Placement kMainPlacements[] = {
    {wizard::kBtnKoniec, "BtnKoniec", 477, 288, 75, 24},
    {wizard::kBtnDalej, "BtnDalej", 378, 288, 75, 24},
    {wizard::kMainGroupBox1, "GroupBox1", 219, 238, 336, 44},
    {wizard::kButton1, "Button1", 219 + 254, 238 + 15, 78, 25},
    {wizard::kEdit1, "Edit1", 219 + 7, 238 + 16, 243, 21},
    {wizard::kPanel2, "Panel2", 219, 3, 334, 233},
};

// Checks the placements scaled by dpi/96; nested controls may be off by the
// rounding of two scaled offsets.
void ExpectPlacements(HWND w, int dpi) {
  const RECT client = ClientRectOnScreen(w);
  for (const Placement& p : kMainPlacements) {
    SCOPED_TRACE(p.name);
    HWND c = Control(w, p.id);
    ASSERT_NE(c, nullptr);
    const RECT r = ScreenRect(c);
    EXPECT_NEAR(r.left - client.left, MulDiv(p.left, dpi, 96), 2);
    EXPECT_NEAR(r.top - client.top, MulDiv(p.top, dpi, 96), 2);
    EXPECT_NEAR(r.right - r.left, MulDiv(p.width, dpi, 96), 1);
    EXPECT_NEAR(r.bottom - r.top, MulDiv(p.height, dpi, 96), 1);
  }
}

TEST(MainWindow, ControlPlacement) {
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  ExpectPlacements(w, 96);
}

// Every way out of the welcome state ends the program.
TEST(MainWindow, ClosingInWelcomeStateEndsTheProgram) {
  const struct {
    const char* how;
    void (*act)(const MainWindow&);
  } cases[] = {
      {"Esc on the focused Next", [](const MainWindow& m) { PressKey(m.window, VK_ESCAPE); }},
      {"Cancel button", [](const MainWindow& m) { Click(m.btnKoniec); }},
      {"close box", [](const MainWindow& m) { CloseBox(m.window); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    auto inst = Start(kShippedInstaller);
    HWND w = StartMain(*inst);
    ASSERT_NE(w, nullptr);
    MainWindow m(w);
    c.act(m);
    EXPECT_TRUE(inst->WaitExit(10000)) << "the program is still running";
    EXPECT_EQ(inst->FindTop(kAgreementDialogClass), nullptr);
  }
}

TEST(MainWindow, EnterOnNextOpensTheAgreement) {
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  MainWindow m(w);
  ASSERT_EQ(Focused(w), m.btnDalej);
  PressKey(w, VK_RETURN);
  EXPECT_NE(inst->WaitWindow(kAgreementDialogClass, 10000), nullptr);
  EXPECT_TRUE(inst->Running());
}

// Win+M and the taskbar button minimise and restore the application window,
// which owns the main window.
TEST(MainWindow, ComesBackWhenTheApplicationWindowIsRestored) {
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  HWND app = GetWindow(w, GW_OWNER);
  ASSERT_NE(app, nullptr) << "the main window has no owner";
  ASSERT_EQ(ClassOf(app), "TApplication");
  PostMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(app) && !IsWindowVisible(w); }, 5000))
      << "not minimised with the window it owns";
  PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(app) && IsWindowVisible(w); }, 5000))
      << "the main window did not come back";
  Settle(w);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_TRUE(Enabled(w));
  MainWindow m(w);
  EXPECT_EQ(Text(m.m1), Welcome()) << "a restore is no new showing";
  EXPECT_EQ(Focused(w), m.btnDalej);
  PressKey(w, VK_RETURN);
  EXPECT_NE(inst->WaitWindow(kAgreementDialogClass, 10000), nullptr) << "not usable";
}

// ---------------------------------------------------------------- agreement

TEST(Agreement, FirstShowing) {
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  HWND d = OpenAgreement(*inst, MainWindow(w));
  ASSERT_NE(d, nullptr) << "no agreement dialog";
  Settle(d);
  AgreementDialog a(d);
  for (HWND c : {a.memo1, a.next, a.cancel, a.accept, a.decline}) ASSERT_NE(c, nullptr);

  EXPECT_EQ(Text(d), "Licence agreement");
  const SIZE client = ClientSize(d);
  EXPECT_EQ(client.cx, 476);
  EXPECT_EQ(client.cy, 468);
  EXPECT_EQ(Text(a.next), "&Next");
  EXPECT_FALSE(Enabled(a.next)) << "\"&Next\" disabled at first";
  EXPECT_EQ(Text(a.cancel), "C&ancel");
  EXPECT_TRUE(Enabled(a.cancel));
  EXPECT_EQ(Text(a.accept), "Accept");
  EXPECT_EQ(Text(a.decline), "Do not accept");
  EXPECT_EQ(CheckState(a.accept), BST_UNCHECKED);
  EXPECT_EQ(CheckState(a.decline), BST_CHECKED);
  EXPECT_EQ(Focused(d), a.memo1) << "the agreement text has the focus";
  EXPECT_FALSE(Text(a.memo1).empty()) << "agreement text";
}

TEST(Agreement, AcceptEnablesAndDeclineDisablesNext) {
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  HWND d = OpenAgreement(*inst, MainWindow(w));
  ASSERT_NE(d, nullptr);
  AgreementDialog a(d);
  const struct {
    HWND radio;
    const char* name;
    bool nextEnabled;
  } steps[] = {{a.accept, "Accept", true}, {a.decline, "Do not accept", false},
               {a.accept, "Accept again", true}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    Click(s.radio);
    Settle(d);
    EXPECT_EQ(CheckState(s.radio), BST_CHECKED);
    EXPECT_EQ(CheckState(s.radio == a.accept ? a.decline : a.accept), BST_UNCHECKED);
    EXPECT_EQ(Enabled(a.next), s.nextEnabled);
  }
}

// Leaving the dialog without "&Next" returns to the unchanged main window,
// and the next showing keeps the selection.
TEST(Agreement, LeavingWithoutNextKeepsMainWindowAndSelection) {
  const struct {
    const char* how;
    void (*act)(const AgreementDialog&);
  } cases[] = {
      {"C&ancel", [](const AgreementDialog& a) { Click(a.cancel); }},
      {"close box", [](const AgreementDialog& a) { CloseBox(a.window); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    TargetRoot root;
    const std::string target = root.path() + "\\new\\KORVAN";
    auto inst = Start(kShippedInstaller);
    HWND w = StartMain(*inst);
    ASSERT_NE(w, nullptr);
    MainWindow m(w);
    SetText(m.edit1, target);

    HWND d = OpenAgreement(*inst, m);
    ASSERT_NE(d, nullptr);
    AgreementDialog a(d);
    Click(a.accept);
    Settle(d);
    c.act(a);
    ASSERT_TRUE(inst->WaitNoWindow(kAgreementDialogClass, 10000)) << "dialog stays open";
    Settle(w);
    EXPECT_TRUE(inst->Running());
    ExpectWelcomeState(m);
    EXPECT_EQ(Text(m.edit1), target);
    EXPECT_FALSE(DirExists(root.path())) << "nothing may be created";
    EXPECT_EQ(inst->FindTop(kMessageBoxClass), nullptr);

    HWND again = OpenAgreement(*inst, m);
    ASSERT_NE(again, nullptr) << "\"Next\" shows the agreement again";
    EXPECT_EQ(again, d) << "the dialog is created once";
    Settle(again);
    EXPECT_EQ(CheckState(a.accept), BST_CHECKED) << "selection kept";
    EXPECT_EQ(CheckState(a.decline), BST_UNCHECKED);
    EXPECT_TRUE(Enabled(a.next));
  }
}

// The agreement text keeps Esc for itself; Esc cancels once the focus moved.
TEST(Agreement, EscIsKeptByTheTextThenCancels) {
  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  HWND d = OpenAgreement(*inst, MainWindow(w));
  ASSERT_NE(d, nullptr);
  AgreementDialog a(d);
  Settle(d);
  ASSERT_EQ(Focused(d), a.memo1);
  PressKey(d, VK_ESCAPE);
  Settle(d);
  EXPECT_TRUE(Visible(d)) << "Esc in the agreement text closed the dialog";

  // Tab skips the disabled "&Next" and reaches "C&ancel".
  PressKey(d, VK_TAB);
  Settle(d);
  EXPECT_EQ(Focused(d), a.cancel);
  PressKey(d, VK_ESCAPE);
  EXPECT_TRUE(inst->WaitNoWindow(kAgreementDialogClass, 10000)) << "Esc did not cancel";
  EXPECT_TRUE(inst->Running());
}

// ---------------------------------------------------------------- broken payloads

TEST(BrokenPayload, ManifestErrorBoxThenUnknownVersion) {
  const struct {
    const char* installer;
    const char* message;
  } cases[] = {
      {kNoManifestInstaller, "Resource file_lst not found."},
      {kEmptyManifestInstaller, "List index out of bounds (-1)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    auto inst = Start(c.installer);
    HWND box = inst->WaitWindow(kMessageBoxClass);
    ASSERT_NE(box, nullptr) << "no error box";
    Settle(box);
    const MessageBoxInfo info = ReadMessageBox(box);
    EXPECT_EQ(info.title, "_setup");
    EXPECT_EQ(info.text, c.message);
    EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
    PressMessageBoxButton(box, IDOK);

    HWND w = StartMain(*inst);
    ASSERT_NE(w, nullptr) << "the main window is shown after the error";
    MainWindow m(w);
    ExpectWelcomeState(m, "_____");
  }
}

// ---------------------------------------------------------------- installation run

// The main window, once its folder field holds `target`; nullptr if none.
HWND MainWithTarget(Installer& inst, const std::string& target) {
  HWND w = StartMain(inst);
  if (w) SetText(MainWindow(w).edit1, target);
  return w;
}

// Runs "Next" with the agreement accepted; returns when the run has ended.
void RunInstall(Installer& inst, const MainWindow& m) {
  HWND d = OpenAgreement(inst, m);
  ASSERT_NE(d, nullptr) << "no agreement dialog";
  ASSERT_NO_FATAL_FAILURE(Accept(AgreementDialog(d)));
  ASSERT_TRUE(WaitFor([&] { return RunFinished(inst, m); }, kRunTimeoutMs))
      << "the run did not end; M1: " << Text(m.m1);
  ASSERT_TRUE(inst.Running()) << "the installer ended during the run, exit code 0x" << std::hex
                              << inst.ExitCode();
  if (HWND box = inst.FindTop(kMessageBoxClass)) {
    const MessageBoxInfo info = ReadMessageBox(box);
    FAIL() << "message box \"" << info.title << "\": " << info.text;
  }
  Settle(m.window);
}

void ExpectFinalButtons(const MainWindow& m, bool installed) {
  EXPECT_FALSE(Enabled(m.btnDalej)) << "Next";
  EXPECT_FALSE(Enabled(m.button1)) << "Browse...";
  EXPECT_EQ(Visible(m.btnOK), installed) << "OK";
  EXPECT_EQ(Visible(m.btnKoniec), !installed) << "Cancel/Exit";
  if (installed) {
    EXPECT_TRUE(Enabled(m.btnOK));
  } else {
    EXPECT_TRUE(Enabled(m.btnKoniec));
    EXPECT_EQ(Text(m.btnKoniec), "Exit");
  }
}

// The installed folder holds the shipped payload, with the language files
// under their active names and without the manifest.
void ExpectInstalledFiles(const std::string& target) {
  const struct {
    const char* payload;
    const char* installed;
  } files[] = {
      {"Pultix.cnt", "Pultix.cnt"}, {"Pultix.exe", "Pultix.exe"}, {"PULTIX.HLP", "PULTIX.HLP"},
      {"pultix.hu", "pultix.dll"},  {"Logbix.HU", "Logbix.dll"},  {"Zeta1.def", "Zeta1.def"},
      {"Zeta2.def", "Zeta2.def"},   {"Zeta3.def", "Zeta3.def"},   {"Zeta4.def", "Zeta4.def"},
      {"Zeta5.def", "Zeta5.def"},
  };
  std::vector<std::string> expected;
  for (const auto& f : files) {
    SCOPED_TRACE(f.installed);
    std::string want, got;
    ASSERT_TRUE(ReadBytes(std::string(kPayloadDir) + "\\" + f.payload, &want));
    EXPECT_TRUE(ReadBytes(target + "\\" + f.installed, &got)) << "missing";
    EXPECT_TRUE(got == want) << "differs from the payload (" << got.size() << " bytes, "
                             << want.size() << " expected)";
    std::string lower = f.installed;
    CharLowerA(&lower[0]);
    expected.push_back(lower);
  }
  std::vector<std::string> present = ListFiles(target);
  for (std::string& n : present) CharLowerA(&n[0]);
  std::sort(expected.begin(), expected.end());
  std::sort(present.begin(), present.end());
  EXPECT_EQ(present, expected) << "file.lst, pultix.hu and Logbix.HU must be gone";
}

void ExpectRegistered(const std::string& target) {
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(ReadRegString(target + "\\pultix.exe", &type, &data))
      << "no value " << target << "\\pultix.exe under HKCU\\" << kLocalesKey;
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data, "DLL");
}

void ExpectLink(const std::string& path, const std::string& target) {
  SCOPED_TRACE(path);
  LinkInfo link;
  ASSERT_TRUE(ReadLink(path, &link)) << "no readable link";
  EXPECT_TRUE(SameText(link.target, target + "\\Pultix.exe")) << link.target;
  EXPECT_EQ(link.arguments, " ");
  EXPECT_TRUE(SameText(link.workDir, target)) << link.workDir;
}

void RemoveLinks() {
  DeleteFileA(DesktopLink().c_str());
  DeleteFileA(StartMenuLink().c_str());
}

class Install : public ::testing::Test {
 protected:
  void SetUp() override { RemoveLinks(); }
  void TearDown() override {
    RemoveLinks();
    for (const std::string& t : registered_) DeleteRegValue(t + "\\pultix.exe");
  }
  // Remembers a target whose registry value the test may leave.
  std::string Target(const std::string& path) {
    registered_.push_back(path);
    return path;
  }
  TargetRoot root_;
  std::vector<std::string> registered_;
};

enum class Leave { kEnterOnYes, kClickNo, kEsc, kCloseBox, kClickYes };

// A fresh installation, then installations over it, each leaving the
// shortcut dialog another way.
TEST_F(Install, FreshThenAgainWithEachShortcutChoice) {
  const std::string target = Target(root_.path() + "\\Vorlen\\nested\\KORVAN");
  const std::string group = ShellFolder(CSIDL_PROGRAMS) + "\\Vorlen";
  const struct {
    const char* run;
    Leave leave;
    bool desktop, startMenu;  // boxes ticked when leaving
    bool desktopLink, startMenuLink;
  } runs[] = {
      {"fresh, Enter on \"Yes\" with both boxes", Leave::kEnterOnYes, true, true, true, true},
      {"again, \"No\"", Leave::kClickNo, true, true, false, false},
      {"again, Esc", Leave::kEsc, true, true, false, false},
      {"again, close box", Leave::kCloseBox, true, true, false, false},
      {"again, \"Yes\" with only \"in Menu Start\"", Leave::kClickYes, false, true, false, true},
      {"again, \"Yes\" with both boxes cleared", Leave::kClickYes, false, false, false, false},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.run);
    RemoveLinks();
    RemoveDirectoryA(group.c_str());
    auto inst = Start(kShippedInstaller);
    HWND w = StartMain(*inst);
    ASSERT_NE(w, nullptr);
    MainWindow m(w);
    SetText(m.edit1, target);
    ASSERT_NO_FATAL_FAILURE(RunInstall(*inst, m));

    HWND s = inst->FindTop(kShortcutDialogClass);
    ASSERT_NE(s, nullptr) << "no shortcut dialog; M1: " << Text(m.m1);
    EXPECT_EQ(Text(m.m1), JoinCrLf(Lines({"PULTIX installed successfully."})));
    EXPECT_TRUE(Visible(m.g1)) << "G1";
    EXPECT_EQ(Text(m.g1), "100%");
    ExpectInstalledFiles(target);
    ExpectRegistered(target);

    ShortcutDialog sd(s);
    Settle(s);
    EXPECT_EQ(Text(s), "Shorcut");
    const SIZE client = ClientSize(s);
    EXPECT_EQ(client.cx, 221);
    EXPECT_EQ(client.cy, 88);
    EXPECT_EQ(Text(sd.groupBox1), "Create shortcut to program:");
    EXPECT_EQ(Text(sd.desktop), "on desktop");
    EXPECT_EQ(Text(sd.startMenu), "in Menu Start");
    EXPECT_EQ(Text(sd.yes), "Yes");
    EXPECT_EQ(Text(sd.no), "No");
    EXPECT_EQ(CheckState(sd.desktop), BST_CHECKED);
    EXPECT_EQ(CheckState(sd.startMenu), BST_CHECKED);
    EXPECT_EQ(Focused(s), sd.yes) << "\"Yes\" has the focus";

    if (!r.desktop) Click(sd.desktop);
    if (!r.startMenu) Click(sd.startMenu);
    Settle(s);
    EXPECT_EQ(CheckState(sd.desktop), r.desktop ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(CheckState(sd.startMenu), r.startMenu ? BST_CHECKED : BST_UNCHECKED);
    switch (r.leave) {
      case Leave::kEnterOnYes: PressKey(s, VK_RETURN); break;
      case Leave::kClickNo: Click(sd.no); break;
      case Leave::kEsc: PressKey(s, VK_ESCAPE); break;
      case Leave::kCloseBox: CloseBox(s); break;
      case Leave::kClickYes: Click(sd.yes); break;
    }
    ASSERT_TRUE(inst->WaitNoWindow(kShortcutDialogClass, 10000)) << "the dialog stays open";
    Settle(w);
    EXPECT_EQ(inst->FindTop(kMessageBoxClass), nullptr) << "an error box appeared";
    if (r.desktopLink) {
      ExpectLink(DesktopLink(), target);
    } else {
      EXPECT_FALSE(FileExists(DesktopLink())) << "desktop link";
    }
    if (r.startMenuLink) {
      ExpectLink(StartMenuLink(), target);
    } else {
      EXPECT_FALSE(FileExists(StartMenuLink())) << "Start menu link";
    }
    ExpectFinalButtons(m, true);
    EXPECT_EQ(Text(m.m1), JoinCrLf(Lines({"PULTIX installed successfully."})));
    // Esc belongs to the hidden cancel button now.
    PressKey(w, VK_ESCAPE);
    Settle(w);
    EXPECT_TRUE(inst->Running()) << "Esc closed the installed window";

    Click(m.btnOK);
    EXPECT_TRUE(inst->WaitExit(10000)) << "\"OK\" does not end the program";
  }
}

// Broken payloads stop the copying at their bad line; the last failing step
// names the failure. COM9 of the prefix is mapped by the fixture
// e2e_drive_root to a plain file, so a write to the device would be seen.
TEST_F(Install, BrokenPayloadStopsAtItsLine) {
  const std::string device = std::string(kWorkDir) + "\\device-com9";
  // The device case means something only if what goes to COM9 arrives in the file.
  std::string seen;
  ASSERT_TRUE(WriteBytes("\\\\.\\COM9", "probe") && ReadBytes(device, &seen) && seen == "probe")
      << "COM9 is not mapped (the fixture e2e_drive_root does that)";
  ASSERT_TRUE(WriteBytes(device, ""));
  const struct {
    const char* what;
    const char* installer;
    const char* errorLine;
    const char* gauge;  // files written before the bad line, of three
    const char* present;
    const char* absent;
  } cases[] = {
      {"missing pultix.hu", kMissingHuInstaller,
       "Errors encountered during installing language files.", "33%", "Pultix.exe", "Logbix.dll"},
      {"device name COM9.txt", kDeviceNameInstaller, "Errors encountered during copying.", "66%",
       "Logbix.dll", "pultix.hu"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.what);
    const std::string target = Target(root_.path() + "\\" + std::to_string(i) + "\\KORVAN");
    auto inst = Start(c.installer);
    HWND w = MainWithTarget(*inst, target);
    ASSERT_NE(w, nullptr);
    MainWindow m(w);
    ASSERT_NO_FATAL_FAILURE(RunInstall(*inst, m));

    EXPECT_EQ(Text(m.m1), JoinCrLf(Lines({"Copy files to target folder...", c.errorLine,
                                          "Setup failed."})));
    EXPECT_EQ(inst->FindTop(kShortcutDialogClass), nullptr) << "no shortcuts after failure";
    ExpectFinalButtons(m, false);
    EXPECT_EQ(Text(m.g1), c.gauge);
    EXPECT_TRUE(FileExists(target + "\\" + c.present));
    EXPECT_FALSE(FileExists(target + "\\" + c.absent));
    EXPECT_TRUE(ReadBytes(device, &seen) && seen.empty()) << "written to the device: " << seen;
    ExpectRegistered(target);

    Click(m.btnKoniec);
    EXPECT_TRUE(inst->WaitExit(10000)) << "\"Exit\" does not end the program";
  }
}

// A payload file that cannot be written stops the copying and keeps its
// earlier bytes: read-only, held open without sharing, or a folder of that
// name. The earlier modules stay unless their replacements were extracted,
// so the installed program still starts.
TEST_F(Install, UnwritableFileInTargetReportsCopying) {
  enum class Block { kReadOnly, kHeldOpen, kFolder };
  const char* const copying = "Errors encountered during copying.";
  const char* const language = "Errors encountered during installing language files.";
  const struct {
    const char* how;
    const char* blocked;
    Block block;
    const char* errorLine;
    const char* gauge;
    const char* lastWritten;
    const char* firstNotWritten;
    bool modulesReplaced;
  } cases[] = {
      {"Zeta3.def read-only", "Zeta3.def", Block::kReadOnly, copying, "72%", "Zeta2.def",
       "Zeta4.def", true},
      {"Zeta3.def held open without sharing", "Zeta3.def", Block::kHeldOpen, copying, "72%",
       "Zeta2.def", "Zeta4.def", true},
      {"a folder named Zeta3.def", "Zeta3.def", Block::kFolder, copying, "72%", "Zeta2.def",
       "Zeta4.def", true},
      {"PULTIX.HLP held open without sharing", "PULTIX.HLP", Block::kHeldOpen, language, "18%",
       "Pultix.exe", "pultix.hu", false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.how);
    const std::string target = Target(root_.path() + "\\" + std::to_string(i) + "\\KORVAN");
    ASSERT_TRUE(MakeDirs(target));
    // The modules of an earlier installation.
    ASSERT_TRUE(WriteBytes(target + "\\pultix.dll", "earlier pultix.dll"));
    ASSERT_TRUE(WriteBytes(target + "\\Logbix.dll", "earlier Logbix.dll"));
    const std::string blocked = target + "\\" + c.blocked;
    HANDLE held = INVALID_HANDLE_VALUE;
    if (c.block == Block::kFolder) {
      ASSERT_TRUE(MakeDirs(blocked));
    } else {
      ASSERT_TRUE(WriteBytes(blocked, "old"));
    }
    if (c.block == Block::kHeldOpen) {
      held = CreateFileA(blocked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    if (c.block == Block::kReadOnly) {
      ASSERT_TRUE(SetFileAttributesA(blocked.c_str(), FILE_ATTRIBUTE_READONLY));
      HANDLE probe = CreateFileA(blocked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
      if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
      ASSERT_EQ(probe, INVALID_HANDLE_VALUE)
          << "a read-only file opens for writing: is Wine running as root?";
    }

    auto inst = Start(kShippedInstaller);
    HWND w = MainWithTarget(*inst, target);
    ASSERT_NE(w, nullptr);
    MainWindow m(w);
    RunInstall(*inst, m);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    if (HasFatalFailure()) return;

    EXPECT_EQ(Text(m.m1), JoinCrLf(Lines({"Copy files to target folder...", c.errorLine,
                                          "Setup failed."})));
    EXPECT_EQ(inst->FindTop(kShortcutDialogClass), nullptr);
    ExpectFinalButtons(m, false);
    EXPECT_EQ(Text(m.g1), c.gauge);
    if (c.block == Block::kFolder) {
      EXPECT_TRUE(DirExists(blocked));
    } else {
      std::string old;
      EXPECT_TRUE(ReadBytes(blocked, &old) && old == "old") << "the blocked file was changed";
    }
    EXPECT_TRUE(FileExists(target + "\\" + c.lastWritten));
    EXPECT_FALSE(FileExists(target + "\\" + c.firstNotWritten)) << "later files are not written";
    EXPECT_FALSE(FileExists(target + "\\file.lst")) << "the manifest is deleted after a failure too";
    // Renames run after a failed copy; without a replacement the earlier
    // module stays byte for byte.
    const struct {
      const char* installed;
      const char* payload;
    } modules[] = {{"pultix.dll", "pultix.hu"}, {"Logbix.dll", "Logbix.HU"}};
    for (const auto& module : modules) {
      std::string want = std::string("earlier ") + module.installed, got;
      if (c.modulesReplaced) {
        ASSERT_TRUE(ReadBytes(std::string(kPayloadDir) + "\\" + module.payload, &want));
      }
      EXPECT_TRUE(ReadBytes(target + "\\" + module.installed, &got) && got == want)
          << module.installed;
    }
    for (const std::string& name : ListFiles(target))
      EXPECT_EQ(name.find(".~setup"), std::string::npos) << "partial file " << name;
    ExpectRegistered(target);

    Click(m.btnKoniec);
    EXPECT_TRUE(inst->WaitExit(10000)) << "\"Exit\" does not end the program";
  }
}

// S: is a file system of 512 KB, mounted by the fixture e2e_small_disk. The
// second payload's Zeta3.def does not fit: the disk fills up while it is
// written, and the first run's Zeta3.def must stay whole.
TEST_F(Install, FullDiskOnReinstallKeepsTheEarlierFile) {
  ASSERT_TRUE(DirExists("S:\\")) << "S: is not mapped (the fixture e2e_small_disk does that)";
  const std::string target = Target("S:\\KORVAN");
  RemoveTree(target);
  const struct {
    const char* installer;
    const char* errorLine;  // nullptr: success
  } runs[] = {
      {kShippedInstaller, nullptr},
      {kBigZeta3Installer, "Errors encountered during copying."},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.installer);
    auto inst = Start(r.installer);
    HWND w = MainWithTarget(*inst, target);
    ASSERT_NE(w, nullptr);
    MainWindow m(w);
    ASSERT_NO_FATAL_FAILURE(RunInstall(*inst, m));
    if (r.errorLine) {
      EXPECT_EQ(Text(m.m1), JoinCrLf(Lines({"Copy files to target folder...", r.errorLine,
                                            "Setup failed."})));
      Click(m.btnKoniec);
    } else {
      HWND s = inst->FindTop(kShortcutDialogClass);
      ASSERT_NE(s, nullptr) << "no shortcut dialog; M1: " << Text(m.m1);
      Click(ShortcutDialog(s).no);
      ASSERT_TRUE(inst->WaitNoWindow(kShortcutDialogClass, 10000));
      Click(m.btnOK);
    }
    EXPECT_TRUE(inst->WaitExit(10000));
    // Every file of the first run, Zeta3.def whole, and no scrap.
    ExpectInstalledFiles(target);
  }
  RemoveTree(target);
}

// Runs "Next" on `target` up to the shortcut dialog and leaves it by "Yes"
// or "No"; `main` receives the main window.
void InstallAnsweringShortcuts(Installer& inst, const std::string& target, bool yes,
                               HWND* main) {
  HWND w = StartMain(inst);
  ASSERT_NE(w, nullptr);
  *main = w;
  MainWindow m(w);
  SetText(m.edit1, target);
  ASSERT_NO_FATAL_FAILURE(RunInstall(inst, m));
  HWND s = inst.FindTop(kShortcutDialogClass);
  ASSERT_NE(s, nullptr) << "no shortcut dialog; M1: " << Text(m.m1);
  Click(yes ? ShortcutDialog(s).yes : ShortcutDialog(s).no);
  ASSERT_TRUE(inst.WaitNoWindow(kShortcutDialogClass, 10000));
  Settle(w);
}

// Deletes the files in a drive root; the root itself must stay.
void ClearRoot(const std::string& root) {
  for (const std::string& name : ListFiles(root)) DeleteFileA((root + name).c_str());
}

// R: is mapped by the CTest fixture e2e_drive_root to an empty folder.
TEST_F(Install, DriveRootTargetRegistersWithOneBackslash) {
  const std::string root = "R:\\";
  ASSERT_EQ(GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_FIXED))
      << "R: is not mapped (the fixture e2e_drive_root does that)";
  ClearRoot(root);
  // Either form of the value name is removed afterwards.
  Target("R:");
  Target("R:\\");
  auto inst = Start(kShippedInstaller);
  HWND w = nullptr;
  ASSERT_NO_FATAL_FAILURE(InstallAnsweringShortcuts(*inst, root, false, &w));
  MainWindow m(w);

  DWORD type = 0;
  std::string data;
  EXPECT_TRUE(ReadRegString("R:\\pultix.exe", &type, &data) && data == "DLL")
      << "no value R:\\pultix.exe";
  EXPECT_FALSE(ReadRegString("R:\\\\pultix.exe", &type, &data)) << "doubled backslash";
  EXPECT_TRUE(FileExists("R:\\pultix.dll"));
  EXPECT_TRUE(FileExists("R:\\Zeta5.def"));
  EXPECT_FALSE(FileExists("R:\\file.lst"));
  Click(m.btnOK);
  EXPECT_TRUE(inst->WaitExit(10000));
  ClearRoot(root);
}

// The installed program finds its registry value by its own full long path;
// a short or dotted target text is registered and linked in that form.
TEST_F(Install, ShortOrDottedTargetRegistersAndLinksTheLongPath) {
  const std::string folder = Target(root_.path() + "\\Long Folder Name\\KORVAN");
  ASSERT_TRUE(MakeDirs(folder));
  char shortName[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(folder.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortName), folder) << "no short name to test with";
  for (const std::string& typed : {std::string(shortName), folder + "."}) {
    SCOPED_TRACE(typed);
    RemoveLinks();
    DeleteRegValue(folder + "\\pultix.exe");
    auto inst = Start(kShippedInstaller);
    HWND w = nullptr;
    ASSERT_NO_FATAL_FAILURE(InstallAnsweringShortcuts(*inst, typed, true, &w));
    MainWindow m(w);
    EXPECT_EQ(inst->FindTop(kMessageBoxClass), nullptr) << "an error box appeared";
    ExpectRegistered(folder);
    DWORD type = 0;
    std::string data;
    EXPECT_FALSE(ReadRegString(typed + "\\pultix.exe", &type, &data)) << "a name never looked up";
    ExpectLink(DesktopLink(), folder);
    ExpectLink(StartMenuLink(), folder);
    ExpectInstalledFiles(folder);
    Click(m.btnOK);
    EXPECT_TRUE(inst->WaitExit(10000));
  }
}

char FreeDriveLetter() {
  const DWORD used = GetLogicalDrives();
  for (char d = 'Q'; d <= 'Y'; ++d) {
    if (!(used & (1u << (d - 'A')))) return d;
  }
  return 0;
}

TEST_F(Install, UncreatableTargetShowsErrorAndStaysInWelcome) {
  const char drive = FreeDriveLetter();
  ASSERT_NE(drive, 0) << "no free drive letter";
  ASSERT_TRUE(MakeDirs(root_.path()));
  const std::string file = root_.path() + "\\plain.txt";
  ASSERT_TRUE(WriteBytes(file, "x"));
  const struct {
    const char* why;
    std::string target;
  } cases[] = {
      {"drive that does not exist", std::string(1, drive) + ":\\Vorlen\\KORVAN"},
      {"folder under a file", file + "\\KORVAN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    auto inst = Start(kShippedInstaller);
    HWND w = StartMain(*inst);
    ASSERT_NE(w, nullptr);
    MainWindow m(w);
    SetText(m.edit1, c.target);
    HWND d = OpenAgreement(*inst, m);
    ASSERT_NE(d, nullptr);
    ASSERT_NO_FATAL_FAILURE(Accept(AgreementDialog(d)));

    HWND box = inst->WaitWindow(kMessageBoxClass);
    ASSERT_NE(box, nullptr) << "no error box; M1: " << Text(m.m1);
    Settle(box);
    const MessageBoxInfo info = ReadMessageBox(box);
    EXPECT_EQ(info.title, "Error");
    EXPECT_EQ(info.text, "Unable to create folder: " + c.target + ". \rChose another one.");
    EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
    PressKey(box, VK_RETURN);
    ASSERT_TRUE(inst->WaitNoWindow(kMessageBoxClass, 10000)) << "Enter does not close the box";
    Settle(w);

    ExpectWelcomeState(m);
    EXPECT_EQ(Text(m.edit1), c.target);
    EXPECT_EQ(inst->FindTop(kShortcutDialogClass), nullptr);

    // The accepted agreement is still accepted on the next "Next".
    HWND again = OpenAgreement(*inst, m);
    ASSERT_NE(again, nullptr);
    Settle(again);
    AgreementDialog a(again);
    EXPECT_EQ(CheckState(a.accept), BST_CHECKED);
    EXPECT_TRUE(Enabled(a.next));
  }
}

// ---------------------------------------------------------------- 144 DPI

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT x;
  return IntersectRect(&x, &a, &b) != 0;
}

TEST(Dpi144, MainWindowScalesInProportion) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 144) << "the prefix is not set to 144 DPI";

  auto inst = Start(kShippedInstaller);
  HWND w = StartMain(*inst);
  ASSERT_NE(w, nullptr);
  const SIZE client = ClientSize(w);
  EXPECT_NEAR(client.cx, 833, 1);
  EXPECT_NEAR(client.cy, 474, 1);
  ExpectPlacements(w, dpi);

  // Nothing sticks out of its parent, and the large blocks stay apart.
  MainWindow m(w);
  for (HWND c : {m.btnKoniec, m.btnDalej, m.groupBox1, m.panel2, m.button1, m.edit1, m.m1}) {
    SCOPED_TRACE(GetDlgCtrlID(c));
    EXPECT_TRUE(Inside(ScreenRect(c), ClientRectOnScreen(GetParent(c)))) << "clipped";
  }
  EXPECT_FALSE(Overlap(ScreenRect(m.btnDalej), ScreenRect(m.btnKoniec)));
  EXPECT_FALSE(Overlap(ScreenRect(m.btnDalej), ScreenRect(m.groupBox1)));
  EXPECT_FALSE(Overlap(ScreenRect(m.groupBox1), ScreenRect(m.panel2)));
  EXPECT_FALSE(Overlap(ScreenRect(m.button1), ScreenRect(m.edit1)));
  ExpectWelcomeState(m);
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  SetProcessDPIAware();  // measure in physical pixels at any DPI
  CoInitialize(nullptr);
  if (argc == 4 && std::strcmp(argv[1], "--shots") == 0) return e2e::RunShots(argv[2], argv[3]);
  ::testing::InitGoogleTest(&argc, argv);
  const int rc = RUN_ALL_TESTS();
  CoUninitialize();
  return rc;
}
