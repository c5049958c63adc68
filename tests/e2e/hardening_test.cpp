// End-to-end tests of the installer's guards: DLLs planted beside it stay
// unused, and a second copy hands over to the first.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/e2e_common.h"
#include "win32/ScopedWin.h"

namespace e2e {
namespace {

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
  const Session s;
  ASSERT_TRUE(s.Up()) << "the installer does not start";
  const Installer* inst = &s.inst;
  // The chooser's drive list is what needs mpr.dll.
  Click(s.m.button1);
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
  EXPECT_TRUE(inst->WaitNoWindow(wizard::kFolderChooserClass, kStepTimeoutMs));
}

// One installer per session: a second copy ends at once and brings the
// first forward, at the window the user works in; the first goes on.
TEST(MainWindow, SecondCopyBringsTheFirstForwardAndEnds) {
  const Session firstSession;
  ASSERT_TRUE(firstSession.Up());
  const Installer* first = &firstSession.inst;
  const HWND w = firstSession.window;
  const MainWindow& m = firstSession.m;
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
      {"agreement open", [&] { agreement = firstSession.OpenAgreement(); },
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
    Installer second(kShippedInstaller, TestCopy("second" + std::to_string(++n) + ".exe"));
    ASSERT_TRUE(second.started()) << second.error();
    EXPECT_TRUE(second.WaitExit(kStepTimeoutMs)) << "the second copy keeps running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == s.front(); }, 5000))
        << "in front: " << ClassOf(GetForegroundWindow());
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(Visible(s.front()));
    EXPECT_TRUE(first->Running());
  }
  DestroyWindow(other);
  // The first copy still answers: back to the welcome state, then closed.
  Click(AgreementDialog(agreement).cancel);
  ASSERT_TRUE(first->WaitNoWindow(kAgreementDialogClass, kStepTimeoutMs));
  Settle(w);
  ExpectWelcomeState(m);
  Click(m.btnKoniec);
  EXPECT_TRUE(first->WaitExit(kStepTimeoutMs));
}

// The single-instance name held by something that shows no setup window
// (another program, a copy that hangs before its window): a new copy says
// so and fails, instead of ending in silence.
TEST(MainWindow, SquattedInstanceNameGivesABoxAndAFailure) {
  const win32::ScopedHandle squatter(CreateMutexA(nullptr, FALSE, "Local\\PultixSetup"));
  ASSERT_TRUE(squatter.valid());
  const Installer inst(kShippedInstaller, TestCopy());
  ASSERT_TRUE(inst.started()) << inst.error();
  const HWND box = inst.WaitWindow(kMessageBoxClass);
  ASSERT_NE(box, nullptr) << "no box; the installer is " << (inst.Running() ? "running" : "gone");
  Settle(box);
  const MessageBoxInfo info = ReadMessageBox(box);
  EXPECT_EQ(info.title, "_setup");
  EXPECT_EQ(info.text, "Setup is already running.");
  EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(inst.FindTop(kMainWindowClass), nullptr);
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(inst.WaitExit(kStepTimeoutMs));
  EXPECT_NE(inst.ExitCode(), 0u);
}

}  // namespace
}  // namespace e2e
