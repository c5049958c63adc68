// End-to-end tests of the main window, the agreement dialog and the
// broken-manifest start: the real installer, started as its own process and
// driven through its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/e2e_common.h"
#include "win32/ScopedWin.h"

namespace e2e {
namespace {

// ---------------------------------------------------------------- main window

TEST(MainWindow, CaptionIsTheExecutableStem) {
  const struct {
    const char* exe;
    const char* caption;
  } cases[] = {{"_setup.exe", "_setup"}, {"Install Me.exe", "Install Me"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.exe);
    const Session s(kShippedInstaller, c.exe);
    ASSERT_TRUE(s.Up());
    EXPECT_EQ(Text(s.window), c.caption);
  }
}

TEST(MainWindow, WelcomeState) {
  const Session s;
  ASSERT_TRUE(s.Up());
  const HWND w = s.window;
  const MainWindow& m = s.m;
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
  // Tab walks the layout's order and comes round again, past the hidden
  // "OK" and the read-only folder field.
  for (HWND next : {m.btnKoniec, m.button1, m.m1, m.btnDalej}) {
    PressKey(w, VK_TAB);
    Settle(w);
    EXPECT_EQ(Focused(w), next) << "after Tab: " << GetDlgCtrlID(Focused(w)) << ", expected "
                                << GetDlgCtrlID(next);
  }
  // A target on an empty drive must not bring up the system's "no disk" box.
  EXPECT_EQ(ErrorModeOf(s.inst.process(), s.inst.pid()) & SEM_FAILCRITICALERRORS,
            static_cast<UINT>(SEM_FAILCRITICALERRORS));
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
  const Session s;
  ASSERT_TRUE(s.Up());
  ExpectPlacements(s.window, 96);
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
    const Session s;
    ASSERT_TRUE(s.Up());
    c.act(s.m);
    EXPECT_TRUE(s.inst.WaitExit(kStepTimeoutMs)) << "the program is still running";
    EXPECT_EQ(s.inst.FindTop(kAgreementDialogClass), nullptr);
  }
}

TEST(MainWindow, EnterOnNextOpensTheAgreement) {
  const Session s;
  ASSERT_TRUE(s.Up());
  ASSERT_EQ(Focused(s.window), s.m.btnDalej);
  PressKey(s.window, VK_RETURN);
  EXPECT_NE(s.inst.WaitWindow(kAgreementDialogClass, kStepTimeoutMs), nullptr);
  EXPECT_TRUE(s.inst.Running());
}

// Win+M and the taskbar button minimise and restore the application window,
// which owns the main window.
TEST(MainWindow, ComesBackWhenTheApplicationWindowIsRestored) {
  const Session s;
  ASSERT_TRUE(s.Up());
  const HWND w = s.window;
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
  EXPECT_EQ(Text(s.m.m1), Welcome()) << "a restore is no new showing";
  EXPECT_EQ(Focused(w), s.m.btnDalej);
  PressKey(w, VK_RETURN);
  EXPECT_NE(s.inst.WaitWindow(kAgreementDialogClass, kStepTimeoutMs), nullptr) << "not usable";
}

// ---------------------------------------------------------------- agreement

// An installer with its agreement dialog open.
struct AgreementOpen {
  AgreementOpen() : d(s.Up() ? s.OpenAgreement() : nullptr), a(d) {}
  Session s;
  HWND d;
  AgreementDialog a;
};

TEST(Agreement, FirstShowing) {
  const AgreementOpen open;
  const HWND d = open.d;
  const AgreementDialog& a = open.a;
  ASSERT_NE(d, nullptr) << "no agreement dialog";
  Settle(d);
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
  const AgreementOpen open;
  const HWND d = open.d;
  const AgreementDialog& a = open.a;
  ASSERT_NE(d, nullptr);
  const struct {
    HWND radio;
    const char* name;
    bool nextEnabled;
  } steps[] = {{a.accept, "Accept", true}, {a.decline, "Do not accept", false},
               {a.accept, "Accept again", true}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    Click(step.radio);
    Settle(d);
    EXPECT_EQ(CheckState(step.radio), BST_CHECKED);
    EXPECT_EQ(CheckState(step.radio == a.accept ? a.decline : a.accept), BST_UNCHECKED);
    EXPECT_EQ(Enabled(a.next), step.nextEnabled);
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
    const Session s;
    ASSERT_TRUE(s.Up());
    const MainWindow& m = s.m;
    s.SetTarget(target);

    HWND d = s.OpenAgreement();
    ASSERT_NE(d, nullptr);
    AgreementDialog a(d);
    Click(a.accept);
    Settle(d);
    c.act(a);
    ASSERT_TRUE(s.inst.WaitNoWindow(kAgreementDialogClass, kStepTimeoutMs)) << "dialog stays open";
    Settle(s.window);
    EXPECT_TRUE(s.inst.Running());
    ExpectWelcomeState(m);
    EXPECT_EQ(Text(m.edit1), target);
    EXPECT_FALSE(DirExists(root.path())) << "nothing may be created";
    EXPECT_EQ(s.inst.FindTop(kMessageBoxClass), nullptr);

    HWND again = s.OpenAgreement();
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
  const AgreementOpen open;
  const HWND d = open.d;
  const AgreementDialog& a = open.a;
  ASSERT_NE(d, nullptr);
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
  EXPECT_TRUE(open.s.inst.WaitNoWindow(kAgreementDialogClass, kStepTimeoutMs))
      << "Esc did not cancel";
  EXPECT_TRUE(open.s.inst.Running());
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
    auto inst = std::make_unique<Installer>(c.installer, TestCopy());
    ASSERT_TRUE(inst->started()) << inst->error();
    HWND box = inst->WaitWindow(kMessageBoxClass);
    ASSERT_NE(box, nullptr) << "no error box";
    Settle(box);
    const MessageBoxInfo info = ReadMessageBox(box);
    EXPECT_EQ(info.title, "_setup");
    EXPECT_EQ(info.text, c.message);
    EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
    PressMessageBoxButton(box, IDOK);

    HWND w = inst->WaitWindow(kMainWindowClass);
    ASSERT_NE(w, nullptr) << "the main window is shown after the error";
    Settle(w);
    ExpectWelcomeState(MainWindow(w), "_____");
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
  const int dpi = GetDeviceCaps(win32::WindowDC().get(), LOGPIXELSY);
  ASSERT_EQ(dpi, 144) << "the prefix is not set to 144 DPI";

  const Session s;
  ASSERT_TRUE(s.Up());
  const HWND w = s.window;
  const SIZE client = ClientSize(w);
  EXPECT_NEAR(client.cx, 833, 1);
  EXPECT_NEAR(client.cy, 474, 1);
  ExpectPlacements(w, dpi);

  // Nothing sticks out of its parent, and the large blocks stay apart.
  const MainWindow& m = s.m;
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
