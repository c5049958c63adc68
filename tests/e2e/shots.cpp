// The `--shots` mode: walks an installer through the states worth showing
// and hands over to scripts/screenshots.sh at each through files in a shared
// folder: "<state>.ready" from us, "<state>.done" back once the picture is
// taken.
#include <cstdio>
#include <memory>

#include "tests/e2e/e2e_common.h"

namespace e2e {

namespace {

constexpr DWORD kShotTimeoutMs = 60000;

bool Pose(const std::string& dir, const char* state, HWND settleOn) {
  Settle(settleOn);
  Sleep(700);  // let the window manager of the virtual desktop draw the frames
  WriteBytes(dir + "\\" + state + ".ready", state);
  std::printf("waiting for the picture of %s\n", state);
  std::fflush(stdout);
  const std::string done = dir + "\\" + state + ".done";
  if (!WaitFor([&] { return FileExists(done); }, kShotTimeoutMs)) {
    std::fprintf(stderr, "no picture of %s was taken\n", state);
    return false;
  }
  return true;
}

bool Fail(const char* what) {
  std::fprintf(stderr, "shots: %s\n", what);
  return false;
}

bool Walk(const std::string& installer, const std::string& dir) {
  const std::string work = dir + "\\run";
  const std::string target = "C:\\shots\\Vorlen\\KORVAN";
  RemoveTree("C:\\shots");

  {
    Installer inst(installer, work + "\\_setup.exe");
    HWND w = inst.WaitWindow(wizard::kMainWindowClass);
    if (!w) return Fail("no main window");
    MainWindow m(w);
    if (!Pose(dir, "welcome", w)) return false;

    Click(m.btnDalej);
    HWND d = inst.WaitWindow(wizard::kAgreementDialogClass);
    if (!d) return Fail("no agreement dialog");
    AgreementDialog a(d);
    Click(a.accept);
    if (!Pose(dir, "agreement", d)) return false;

    SetText(m.edit1, target);
    Click(a.next);
    HWND s = inst.WaitWindow(wizard::kShortcutDialogClass, kShotTimeoutMs);
    if (!s) return Fail("no shortcut dialog");
    if (!Pose(dir, "shortcut", s)) return false;

    ShortcutDialog sd(s);
    Click(sd.no);
    if (!inst.WaitNoWindow(wizard::kShortcutDialogClass)) return Fail("shortcut dialog stays");
    if (!Pose(dir, "installed", w)) return false;
    Click(m.btnOK);
    inst.WaitExit();
  }

  {
    // A payload file held open without sharing makes the copying fail.
    const std::string blocked = target + "\\Zeta3.def";
    HANDLE held = CreateFileA(blocked.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    Installer inst(installer, work + "\\_setup.exe");
    HWND w = inst.WaitWindow(wizard::kMainWindowClass);
    if (!w) return Fail("no main window");
    MainWindow m(w);
    SetText(m.edit1, target);
    Click(m.btnDalej);
    HWND d = inst.WaitWindow(wizard::kAgreementDialogClass);
    if (!d) return Fail("no agreement dialog");
    AgreementDialog a(d);
    Click(a.accept);
    WaitFor([&] { return Enabled(a.next); });
    Click(a.next);
    const bool failed = WaitFor(
        [&] { return Text(m.m1).find("Setup failed.") != std::string::npos; }, kShotTimeoutMs);
    CloseHandle(held);
    if (!failed) return Fail("the run did not fail");
    if (!Pose(dir, "failed", w)) return false;
    Click(m.btnKoniec);
    inst.WaitExit();
  }
  RemoveTree("C:\\shots");
  return true;
}

}  // namespace

int RunShots(const std::string& installer, const std::string& handshakeDir) {
  const bool ok = Walk(installer, handshakeDir);
  WriteBytes(handshakeDir + "\\finished", ok ? "ok" : "failed");
  return ok ? 0 : 1;
}

}  // namespace e2e
