// Paths, expected texts and window handles shared by the tests and the
// screenshot walk.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "wizard/ControlIds.h"

namespace e2e {

inline const char kShippedInstaller[] = E2E_INSTALLER_SHIPPED;
inline const char kNoManifestInstaller[] = E2E_INSTALLER_NO_MANIFEST;
inline const char kEmptyManifestInstaller[] = E2E_INSTALLER_EMPTY_MANIFEST;
inline const char kMissingHuInstaller[] = E2E_INSTALLER_MISSING_HU;
inline const char kBigZeta3Installer[] = E2E_INSTALLER_BIG_ZETA3;
inline const char kDeviceNameInstaller[] = E2E_INSTALLER_DEVICE_NAME;
inline const char kPayloadDir[] = E2E_PAYLOAD_DIR;
inline const char kWorkDir[] = E2E_WORK_DIR;
inline const char kProbeDll[] = E2E_PROBE_DLL;  // an empty DLL to plant

inline std::vector<std::string> WelcomeLines(const std::string& version) {
  return {" ", " ", "This will install service software", "of security system control panel",
          " ", "Vorlen KORVAN", " ", "- Pultix -", " ", "version " + version + " Hungarian"};
}

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

// Walks the installer through its states and waits at each for a screenshot
// (the `--shots <installer> <folder>` mode of e2e_tests.exe).
int RunShots(const std::string& installer, const std::string& handshakeDir);

}  // namespace e2e
