// The steps and checks the end-to-end tests share.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/e2e/e2e_common.h"

namespace e2e {

namespace {

constexpr DWORD kRunTimeoutMs = 60000;

bool SameText(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string Lower(std::string s) {
  CharLowerA(&s[0]);
  return s;
}

// The name a payload file is installed under: language files become DLLs.
std::string InstalledName(const std::string& payload) {
  const size_t dot = payload.rfind('.');
  if (dot != std::string::npos && SameText(payload.substr(dot), ".hu"))
    return payload.substr(0, dot) + ".dll";
  return payload;
}

}  // namespace

TargetRoot::TargetRoot() {
  root_ = "C:\\e2e-targets\\" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(GetTickCount()) + "-" + TestName();
}

std::string TestCopy(const std::string& exeName) {
  return std::string(kWorkDir) + "\\" + TestName() + "\\" + exeName;
}

Session::Session(const char* installer, const std::string& exeName)
    : inst(installer, TestCopy(exeName)) {
  EXPECT_TRUE(inst.started()) << inst.error();
  window = inst.WaitWindow(kMainWindowClass);
  if (!window) {
    ADD_FAILURE() << "no main window";
    return;
  }
  Settle(window);
  m = MainWindow(window);
}

HWND Session::OpenAgreement() const {
  Click(m.btnDalej);
  return inst.WaitWindow(kAgreementDialogClass);
}

void Accept(const AgreementDialog& a) {
  Click(a.accept);
  ASSERT_TRUE(WaitFor([&] { return Enabled(a.next); }, 5000)) << "\"&Next\" stays disabled";
  Click(a.next);
}

void Session::Run(const std::function<void()>& whileRunning) const {
  HWND d = OpenAgreement();
  ASSERT_NE(d, nullptr) << "no agreement dialog";
  ASSERT_NO_FATAL_FAILURE(Accept(AgreementDialog(d)));
  if (whileRunning) whileRunning();
  const auto finished = [&] {
    return inst.FindTop(kShortcutDialogClass) != nullptr ||
           inst.FindTop(kMessageBoxClass) != nullptr ||
           Text(m.m1).find("Setup failed.") != std::string::npos || !inst.Running();
  };
  ASSERT_TRUE(WaitFor(finished, kRunTimeoutMs)) << "the run did not end; M1: " << Text(m.m1);
  ASSERT_TRUE(inst.Running()) << "the installer ended during the run, exit code 0x" << std::hex
                              << inst.ExitCode();
  if (HWND box = inst.FindTop(kMessageBoxClass)) {
    const MessageBoxInfo info = ReadMessageBox(box);
    FAIL() << "message box \"" << info.title << "\": " << info.text;
  }
  Settle(window);
}

void Session::RunOn(const std::string& target, const std::function<void()>& whileRunning) const {
  ASSERT_TRUE(Up());
  SetTarget(target);
  ASSERT_NO_FATAL_FAILURE(Run(whileRunning));
}

void Session::InstallAnsweringShortcuts(const std::string& target, bool yes) const {
  ASSERT_NO_FATAL_FAILURE(RunOn(target));
  HWND s = inst.FindTop(kShortcutDialogClass);
  ASSERT_NE(s, nullptr) << "no shortcut dialog; M1: " << Text(m.m1);
  Click(yes ? ShortcutDialog(s).yes : ShortcutDialog(s).no);
  ASSERT_TRUE(inst.WaitNoWindow(kShortcutDialogClass, kStepTimeoutMs));
  Settle(window);
}

std::string Welcome(const std::string& version) {
  return JoinCrLf(wizard::WelcomeLines(version));
}

void ExpectWelcomeState(const MainWindow& m, const std::string& version) {
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

std::string RunText(core::InstallResult outcome) {
  if (core::Succeeded(outcome)) return JoinCrLf(wizard::SuccessText());
  std::vector<std::string> lines = wizard::CopyingText();
  for (const std::string& line : wizard::FailureLines(outcome)) lines.push_back(line);
  return JoinCrLf(lines);
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

void ExpectInstalledFiles(const std::string& target) {
  std::vector<std::string> expected;
  const std::vector<std::string> kept = support::KeptFiles();
  ASSERT_FALSE(kept.empty()) << "cannot read the shipped file.lst";
  for (const std::string& payload : kept) {
    const std::string installed = InstalledName(payload);
    SCOPED_TRACE(installed);
    std::string got;
    const std::string want = support::PayloadFile(payload);
    ASSERT_FALSE(want.empty()) << "cannot read the payload's " << payload;
    EXPECT_TRUE(ReadBytes(target + "\\" + installed, &got)) << "missing";
    EXPECT_TRUE(got == want) << "differs from the payload (" << got.size() << " bytes, "
                             << want.size() << " expected)";
    expected.push_back(Lower(installed));
  }
  std::vector<std::string> present = ListFiles(target);
  for (std::string& n : present) n = Lower(n);
  std::sort(expected.begin(), expected.end());
  std::sort(present.begin(), present.end());
  EXPECT_EQ(present, expected) << "file.lst, pultix.hu and Logbix.HU must be gone";
}

// Read in the 32-bit view, the one the installed 32-bit program reads: the
// 64-bit installer's value must be there too (HKCU\Software is shared).
bool ReadLocale(const std::string& name, DWORD* type, std::string* data) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kLocalesKey, 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS)
    return false;
  char buf[1024] = {};
  DWORD size = sizeof buf - 1;
  const bool ok = RegQueryValueExA(key, name.c_str(), nullptr, type,
                                   reinterpret_cast<BYTE*>(buf), &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (ok) data->assign(buf, strnlen(buf, size));
  return ok;
}

void DeleteLocale(const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kLocalesKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

void ExpectRegistered(const std::string& target) {
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(ReadLocale(target + "\\pultix.exe", &type, &data))
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

}  // namespace e2e
