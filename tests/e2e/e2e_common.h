// Paths, expected texts and window handles shared by the tests and the
// screenshot walk.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/install.h"
#include "tests/e2e/driver.h"
#include "tests/support/support.h"
#include "wizard/ControlIds.h"
#include "wizard/Unit2Texts.h"

namespace e2e {

using namespace support;

inline const char kShippedInstaller[] = E2E_INSTALLER_SHIPPED;
inline const char kNoManifestInstaller[] = E2E_INSTALLER_NO_MANIFEST;
inline const char kEmptyManifestInstaller[] = E2E_INSTALLER_EMPTY_MANIFEST;
inline const char kMissingHuInstaller[] = E2E_INSTALLER_MISSING_HU;
inline const char kBigZeta3Installer[] = E2E_INSTALLER_BIG_ZETA3;
inline const char kBigZeta1Installer[] = E2E_INSTALLER_BIG_ZETA1;  // 200 MB of Zeta1.def
inline const char kManyFilesInstaller[] = E2E_INSTALLER_MANY;  // 200 files more
inline const char kDeviceNameInstaller[] = E2E_INSTALLER_DEVICE_NAME;
inline const char kWorkDir[] = E2E_WORK_DIR;
inline const char kProbeDll[] = E2E_PROBE_DLL;  // an empty DLL to plant

// The main window and its controls.
struct MainWindow {
  explicit MainWindow(HWND w)
      : window(w),
        m1(Control(w, wizard::kM1)),
        g1(Control(w, wizard::kG1)),
        btnOK(Control(w, wizard::kBtnOK)),
        btnKoniec(Control(w, wizard::kBtnKoniec)),
        btnDalej(Control(w, wizard::kBtnDalej)),
        button1(Control(w, wizard::kButton1)),
        edit1(Control(w, wizard::kEdit1)),
        groupBox1(Control(w, wizard::kMainGroupBox1)),
        panel2(Control(w, wizard::kPanel2)) {}
  HWND window, m1, g1, btnOK, btnKoniec, btnDalej, button1, edit1, groupBox1, panel2;
};

struct AgreementDialog {
  explicit AgreementDialog(HWND w)
      : window(w),
        memo1(Control(w, wizard::kMemo1)),
        next(Control(w, wizard::kAgreementBitBtn1)),
        cancel(Control(w, wizard::kAgreementBitBtn2)),
        accept(Control(w, wizard::kRadioButton1)),
        decline(Control(w, wizard::kRadioButton2)) {}
  HWND window, memo1, next, cancel, accept, decline;
};

struct ShortcutDialog {
  explicit ShortcutDialog(HWND w)
      : window(w),
        yes(Control(w, wizard::kShortcutBitBtn1)),
        no(Control(w, wizard::kShortcutBitBtn2)),
        groupBox1(Control(w, wizard::kShortcutGroupBox1)),
        desktop(Control(w, wizard::kCheckBox1)),
        startMenu(Control(w, wizard::kCheckBox2)) {}
  HWND window, yes, no, groupBox1, desktop, startMenu;
};

using wizard::kAgreementDialogClass;
using wizard::kMainWindowClass;
using wizard::kShortcutDialogClass;
constexpr char kMessageBoxClass[] = "#32770";
constexpr char kLocalesKey[] = "SOFTWARE\\Borland\\Locales";

// Target folders live in the prefix's C: drive, fresh for every test.
class TargetRoot {
 public:
  TargetRoot();
  ~TargetRoot() { RemoveTree(root_); }
  const std::string& path() const { return root_; }

 private:
  std::string root_;
};

// Where the running test keeps its copy of an installer.
std::string TestCopy(const std::string& exeName = "_setup.exe");

// One installer from its start to its end: a copy started in the test's own
// folder (the caption follows the copy's name), its main window up.
class Session {
 public:
  explicit Session(const char* installer = kShippedInstaller,
                   const std::string& exeName = "_setup.exe");
  // The main window is up; a failure was reported otherwise.
  bool Up() const { return window != nullptr; }
  void SetTarget(const std::string& folder) const { SetText(m.edit1, folder); }
  // Presses "Next" and waits for the agreement dialog.
  HWND OpenAgreement() const;
  // "Next" with the agreement accepted; returns when the run has ended.
  // `whileRunning` is called once the agreement is accepted.
  void Run(const std::function<void()>& whileRunning = {}) const;
  // Sets the target folder, then Run().
  void RunOn(const std::string& target, const std::function<void()>& whileRunning = {}) const;
  // Runs on `target` to the shortcut dialog and leaves it by "Yes" or "No".
  void InstallAnsweringShortcuts(const std::string& target, bool yes) const;

  Installer inst;
  HWND window = nullptr;
  MainWindow m{nullptr};
};

// Selects "Accept" and presses "&Next" in the agreement dialog.
void Accept(const AgreementDialog& a);

std::string Welcome(const std::string& version = "2.00.001");
// Checks the controls of the welcome state.
void ExpectWelcomeState(const MainWindow& m, const std::string& version = "2.00.001");
// The information text a run ends with: the success text, or the copying
// text and the failure's lines.
std::string RunText(core::InstallResult outcome);
void ExpectFinalButtons(const MainWindow& m, bool installed);
// The installed folder holds the shipped payload, with the language files
// under their active names and without the manifest.
void ExpectInstalledFiles(const std::string& target);
void ExpectRegistered(const std::string& target);
bool ReadLocale(const std::string& name, DWORD* type, std::string* data);
void DeleteLocale(const std::string& name);
void ExpectLink(const std::string& path, const std::string& target);

// Walks the installer through its states and waits at each for a screenshot
// (the `--shots <installer> <folder>` mode of e2e_tests.exe).
int RunShots(const std::string& installer, const std::string& handshakeDir);

}  // namespace e2e
