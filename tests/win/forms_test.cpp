// The forms layer against the real system: drawing, layout, keys, modality.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/error.h"
#include "forms/AppError.h"
#include "forms/Application.h"
#include "forms/DialogKeys.h"
#include "forms/Form.h"
#include "forms/Layout.h"
#include "forms/QuestionBox.h"

using namespace forms;

// The import slot every call of user32's function goes through; 32-bit
// symbols carry the underscore and the stdcall argument size.
#ifdef _WIN64
#define GHOSTING_SLOT "__imp_DisableProcessWindowsGhosting"
#else
#define GHOSTING_SLOT "__imp__DisableProcessWindowsGhosting@0"
#endif
extern "C" VOID(WINAPI* ghostingSlot)(VOID) __asm__(GHOSTING_SLOT);

namespace {

// ---- error box text and application title ----

TEST(AppError, TextGetsAFullStopOnlyAfterCharactersAboveIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"List index out of bounds (-1)", "List index out of bounds (-1)"},
      {"Unable to create directory", "Unable to create directory."},
      {"Resource file_lst not found", "Resource file_lst not found."},
      {"Range check error 42", "Range check error 42."},
      {"Done.", "Done."},
      {"a-", "a-"},  // '-' sorts below '.'
      {"C:/", "C:/."},  // '/' sorts above '.'
      {"Zm\xB3", "Zm\xB3."},  // ANSI letters above 127 count as above
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.shown) << c.message;
}

TEST(AppError, TitleIsTheFileNameUpToTheFirstDotInMixedCase) {
  const struct {
    const char* path;
    const char* title;
  } cases[] = {
      {"C:\\Downloads\\SETUP.EXE", "Setup"},
      {"Z:\\work\\_setup.exe", "_setup"},
      {"C:\\a.dir\\INSTALL.V2.EXE", "Install"},
      {"C:\\x\\MyProgram", "Myprogram"},
      {"s.exe", "s"},
  };
  for (const auto& c : cases) EXPECT_EQ(ApplicationTitleFor(c.path), c.title) << c.path;
}

// ---- the application window ----

int ghostingCalls = 0;
VOID WINAPI CountGhostingCall() { ++ghostingCalls; }

// Wine never ghosts a window, so the call itself is what can be checked.
TEST(Application, StartingTurnsWindowGhostingOff) {
  auto* slot = &ghostingSlot;
  DWORD protection = 0;
  ASSERT_TRUE(VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection));
  const auto real = *slot;
  *slot = &CountGhostingCall;
  {
    ApplicationWindow app;
    app.Create(LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_NE(app.Handle(), nullptr);
  }
  *slot = real;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  EXPECT_EQ(ghostingCalls, 1);
}

void ExpectRect(const RECT& r, int left, int top, int width, int height, const char* what) {
  EXPECT_EQ(r.left, left) << what;
  EXPECT_EQ(r.top, top) << what;
  EXPECT_EQ(r.right - r.left, width) << what;
  EXPECT_EQ(r.bottom - r.top, height) << what;
}

// ---- dialog keys ----

// A small window with every role a key can reach.
enum { kOk = 11, kNo, kOther, kMemo, kEdit, kGauge, kLater };
const ControlDef kDialog[] = {
    // A second default button, shown later, as "OK" replaces "Next".
    {.id = kLater, .kind = Kind::BitBtn, .left = 170, .top = 70, .width = 75, .height = 25,
     .settings = kHidden | kDefault, .tab = 5},
    {.id = kOk, .kind = Kind::BitBtn, .left = 8, .top = 100, .width = 75, .height = 25,
     .tab = 0, .buttonKind = BitBtnKind::OK},
    {.id = kNo, .kind = Kind::BitBtn, .left = 90, .top = 100, .width = 75, .height = 25,
     .tab = 1, .buttonKind = BitBtnKind::No},
    {.id = kOther, .kind = Kind::Button, .left = 170, .top = 100, .width = 75, .height = 25,
     .caption = "Other", .tab = 2},
    {.id = kMemo, .kind = Kind::Memo, .left = 8, .top = 8, .width = 100, .height = 60,
     .settings = kReadOnly, .tab = 3},
    {.id = kEdit, .kind = Kind::Edit, .left = 120, .top = 8, .width = 100, .height = 21,
     .tab = 4},
    {.id = kGauge, .kind = Kind::Gauge, .left = 8, .top = 72, .width = 200, .height = 20},
};
const FormDef kDialogDef =
    WithControls(FormDef{.className = "TFormsTestDialog", .caption = "Keys", .clientWidth = 260,
                          .clientHeight = 130},
                 kDialog);

class DialogForm : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Create();
    form.Show();
    for (int id : {kOk, kNo, kOther, kLater})
      form.OnClick(id, [this, id] { pressed.push_back(id); });
  }
  std::vector<int> Press(int focusId, DialogKey key, bool modifiers = false) {
    pressed.clear();
    SetFocus(form.Item(focusId));
    form.PressDialogKey(key, modifiers);
    return pressed;
  }

  // Types Enter into the edit through the system's input queue, with Shift
  // held when asked, and dispatches it as the program's loop does; so the
  // modifier state is the system's own, as when a user types.
  std::vector<int> TypeEnter(bool shift) {
    pressed.clear();
    SetFocus(form.Item(kEdit));
    std::vector<INPUT> keys;
    auto key = [&](WORD vk, bool up) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = vk;
      in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      keys.push_back(in);
    };
    if (shift) key(VK_SHIFT, false);
    key(VK_RETURN, false);
    key(VK_RETURN, true);
    if (shift) key(VK_SHIFT, true);
    EXPECT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    const WPARAM lastKey = keys.back().ki.wVk;
    bool done = false;
    for (const DWORD end = GetTickCount() + 3000; !done && GetTickCount() < end;) {
      MSG msg;
      if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        Sleep(5);
        continue;
      }
      done = msg.message == WM_KEYUP && msg.wParam == lastKey;
      if (PreTranslateMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    EXPECT_TRUE(done) << "the typed keys never arrived";
    return pressed;
  }

  Form form{kDialogDef, 96};
  std::vector<int> pressed;
};

using Ids = std::vector<int>;

TEST_F(DialogForm, KeysReachTheRightButton) {
  EXPECT_EQ(Press(kEdit, DialogKey::Enter), Ids{kOk});
  EXPECT_EQ(Press(kOther, DialogKey::Enter), Ids{kOther}) << "the focused push button";
  EXPECT_EQ(Press(kEdit, DialogKey::Escape), Ids{kNo});
  EXPECT_EQ(Press(kOther, DialogKey::Escape), Ids{kNo});
  EXPECT_EQ(Press(kMemo, DialogKey::Enter), Ids{}) << "a multi-line text keeps Enter";
  EXPECT_EQ(Press(kMemo, DialogKey::Escape), Ids{}) << "and Esc";
  EXPECT_EQ(Press(kEdit, DialogKey::Enter, true), Ids{}) << "modifier held";

  form.SetEnabled(kOk, false);
  EXPECT_EQ(Press(kEdit, DialogKey::Enter), Ids{});
  form.SetVisible(kLater, true);
  EXPECT_EQ(Press(kEdit, DialogKey::Enter), Ids{kLater}) << "the usable default button";
  form.SetEnabled(kOk, true);
  EXPECT_EQ(Press(kEdit, DialogKey::Enter), Ids{kLater}) << "the first usable one";
  form.SetVisible(kNo, false);
  EXPECT_EQ(Press(kEdit, DialogKey::Escape), Ids{});
}

TEST_F(DialogForm, RealKeyMessagesGoThroughTheMessageLoopFilter) {
  SetFocus(form.Item(kEdit));
  MSG msg{form.Item(kEdit), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(PreTranslateMessage(msg));
  SetFocus(form.Item(kMemo));
  msg.hwnd = form.Item(kMemo);
  EXPECT_FALSE(PreTranslateMessage(msg)) << "left for the text itself";
  EXPECT_EQ(pressed, Ids{kOk});
}

TEST_F(DialogForm, TypedEnterPressesTheDefaultButtonButNotWithShiftHeld) {
  EXPECT_EQ(TypeEnter(true), Ids{}) << "Shift+Enter";
  EXPECT_EQ(TypeEnter(false), Ids{kOk}) << "Enter";
}

// What a modal run ends with tells what the form's result was when the
// handler of "&No" returned.
TEST_F(DialogForm, ModalResultIsSetBeforeTheClickHandlerRuns) {
  auto endOfRun = [this](std::function<void()> handler) {
    form.OnClick(kNo, std::move(handler));
    PostMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(kNo, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form.Item(kNo)));
    // The close box ends a run the click leaves going; unused, it goes.
    PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    const int result = form.ShowModal();
    MSG left;
    while (PeekMessageA(&left, form.Handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
    }
    return result;
  };
  EXPECT_EQ(endOfRun([] {}), mrNo);
  EXPECT_EQ(endOfRun([this] { form.Click(kOther); }), mrNo)
      << "no modal result of its own: the form's stays";
  EXPECT_EQ(endOfRun([this] { form.SetModalResult(mrNone); }), mrCancel)
      << "the handler's word comes after the button's";
}

// Screen readers find the gauge as the system's progress bar (the class
// index the proxy asks for) whose range is 0-100 and position the percentage.
TEST_F(DialogForm, GaugeTextAndProgressBarPositionFollowTheClampedPercentage) {
  TGauge& g = form.GaugeOf(kGauge);
  const HWND h = g.Handle();
  EXPECT_EQ(SendMessageA(h, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_QUERYCLASSNAMEIDX)),
            65536 + 13);
  PBRANGE range{-1, -1};
  EXPECT_EQ(SendMessageA(h, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
  EXPECT_EQ(SendMessageA(h, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(range.iLow, 0);
  EXPECT_EQ(range.iHigh, 100);
  const struct {
    int max, progress;  // max 0: unchanged
    int clamped;
    const char* text;
    int position;
  } steps[] = {{0, 0, 0, "0%", 0}, {10, 3, 3, "30%", 30}, {0, 50, 10, "100%", 100},
               {0, -5, 0, "0%", 0}};
  for (const auto& step : steps) {
    if (step.max) g.SetMaxValue(step.max);
    g.SetProgress(step.progress);
    char text[16] = {};
    GetWindowTextA(h, text, sizeof text);
    EXPECT_EQ(g.Progress(), step.clamped);
    EXPECT_STREQ(text, step.text);
    EXPECT_EQ(SendMessageA(h, PBM_GETPOS, 0, 0), step.position) << step.text;
  }
  try {
    g.SetMaxValue(-1);
    FAIL() << "a maximum below the minimum must raise";
  } catch (const core::Error& e) {
    EXPECT_STREQ(e.what(), "Value must be between 0 and 2147483647");
  }
}

TEST_F(DialogForm, MemoTextIsItsLinesJoinedByCrLf) {
  form.ClearLines(kMemo);
  form.AddLines(kMemo, {" ", "Copy files to target folder..."});
  form.AddLines(kMemo, {"Setup failed."});
  EXPECT_EQ(form.Text(kMemo), " \r\nCopy files to target folder...\r\nSetup failed.");
}

TEST(ModalForm, ButtonClosesWithItsResultAndTheOwnerIsDisabledMeanwhile) {
  Form owner{kDialogDef, 96};
  owner.Create();
  owner.Show();
  Form dialog{WithControls(FormDef{.className = "TFormsTestModal", .clientWidth = 260,
                                    .clientHeight = 130},
                           kDialog),
              96};
  dialog.Create(owner.Handle());
  bool ownerEnabledInHandler = true;
  dialog.OnClick(kNo, [&] { ownerEnabledInHandler = IsWindowEnabled(owner.Handle()) != FALSE; });
  PostMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(kNo, BN_CLICKED),
               reinterpret_cast<LPARAM>(dialog.Item(kNo)));
  EXPECT_EQ(dialog.ShowModal(), mrNo);
  EXPECT_FALSE(ownerEnabledInHandler);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));

  // The close box cancels.
  PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

// Tab order differs from creation order; a radio group; inherited colours.
enum { kFirst = 31, kGroup, kRadioA, kRadioB, kLast, kTinted };
const ControlDef kTabs[] = {
    {.id = kLast, .kind = Kind::Button, .left = 8, .top = 80, .width = 60, .height = 22,
     .caption = "Last", .tab = 2},
    {.id = kGroup, .kind = Kind::GroupBox, .left = 8, .top = 8, .width = 200, .height = 60,
     .caption = "Group", .tab = 1, .color = clSkyBlue},
    {.id = kRadioA, .kind = Kind::RadioButton, .parent = kGroup, .left = 8, .top = 20,
     .width = 80, .height = 17, .caption = "A", .settings = kGroupStart, .tab = 0},
    {.id = kRadioB, .kind = Kind::RadioButton, .parent = kGroup, .left = 100, .top = 20,
     .width = 80, .height = 17, .caption = "B", .settings = kChecked, .tab = 1},
    {.id = kFirst, .kind = Kind::Button, .left = 80, .top = 80, .width = 60, .height = 22,
     .caption = "First", .tab = 0},
    {.id = kTinted, .kind = Kind::Memo, .left = 150, .top = 80, .width = 60, .height = 40,
     .settings = kReadOnly | kNoTabStop, .textColor = clBlue, .font = {"Courier New", 12, true}},
};

// Records what reaches its window procedure of the keyboard cues' protocol.
class CueForm : public Form {
 public:
  using Form::Form;
  std::vector<WPARAM> uiChanges;  // WM_CHANGEUISTATE

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CHANGEUISTATE) uiChanges.push_back(wParam);
    return Form::HandleMessage(msg, wParam, lParam);
  }
};

class TabForm : public ::testing::Test {
 protected:
  explicit TabForm(int dpi = 96)
      : form(WithControls(FormDef{.className = "TFormsTestTabs", .clientWidth = 220,
                                   .clientHeight = 130},
                          kTabs),
             dpi) {}
  void SetUp() override {
    form.Create();
    form.Show();
  }
  int Focused() { return GetDlgCtrlID(GetFocus()); }
  void Key(WPARAM vk) {
    MSG msg{GetFocus(), WM_KEYDOWN, vk, 0, 0, {}};
    ASSERT_TRUE(form.HandleNavigationKey(msg));
  }
  CueForm form;
};

TEST_F(TabForm, TabFollowsTheTableAndEntersTheGroupAtItsSelection) {
  EXPECT_EQ(Focused(), kFirst) << "the first tab stop has the focus";
  Key(VK_TAB);
  EXPECT_EQ(Focused(), kRadioB);
  Key(VK_TAB);
  EXPECT_EQ(Focused(), kLast);
  Key(VK_TAB);
  EXPECT_EQ(Focused(), kFirst) << "wraps; the memo is no tab stop";
}

// As under the dialog manager, showing sets the keyboard cues by the last
// input, Tab shows where the focus is and Alt the mnemonics: until then a
// user of the mouse sees neither. (Wine always shows them, so the protocol
// is what can be checked.)
TEST_F(TabForm, KeysShowTheKeyboardCuesTheyConcern) {
  auto sent = [&](WORD action, WORD cues) {
    const auto& seen = form.uiChanges;
    return std::find(seen.begin(), seen.end(), MAKEWPARAM(action, cues)) != seen.end();
  };
  EXPECT_TRUE(sent(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL)) << "when shown";
  EXPECT_FALSE(sent(UIS_CLEAR, UISF_HIDEFOCUS));
  Key(VK_TAB);
  EXPECT_TRUE(sent(UIS_CLEAR, UISF_HIDEFOCUS)) << "Tab";
  EXPECT_FALSE(sent(UIS_CLEAR, UISF_HIDEACCEL));
  const MSG alt{GetFocus(), WM_SYSKEYDOWN, VK_MENU, 0, 0, {}};
  EXPECT_FALSE(form.HandleNavigationKey(alt)) << "Alt goes on to the system";
  EXPECT_TRUE(sent(UIS_CLEAR, UISF_HIDEACCEL)) << "Alt";
}

TEST_F(TabForm, ArrowsSelectWithinTheGroupAndMoveItsTabStop) {
  int clicked = 0;
  form.OnClick(kRadioA, [&] { ++clicked; });
  SetFocus(form.Item(kRadioB));
  Key(VK_LEFT);
  EXPECT_EQ(Focused(), kRadioA);
  EXPECT_TRUE(form.Checked(kRadioA));
  EXPECT_FALSE(form.Checked(kRadioB));
  EXPECT_EQ(clicked, 1) << "selecting by key runs the click handler";
  SetFocus(form.Item(kFirst));
  Key(VK_TAB);
  EXPECT_EQ(Focused(), kRadioA);
}

TEST_F(TabForm, ColoursComeFromTheTableOrTheParent) {
  win32::WindowDC windowDc(form.Handle());
  HDC dc = windowDc.get();
  auto brushColour = [&](int id) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        form.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(form.Item(id))));
    LOGBRUSH lb{};
    GetObjectA(brush, sizeof lb, &lb);
    return lb.lbColor;
  };
  EXPECT_EQ(brushColour(kRadioA), clSkyBlue) << "from the group box";
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(brushColour(kTinted), GetSysColor(COLOR_BTNFACE)) << "from the form";
  EXPECT_EQ(GetTextColor(dc), clBlue);
}

class TabForm144 : public TabForm {
 protected:
  TabForm144() : TabForm(144) {}
};

// The font each control really gets: TrueType, its character height scaled.
TEST_F(TabForm144, FontsScaleByHeightInPixels) {
  const struct {
    int id;
    int height;  // design pixels
    const char* face;
    bool bold;
  } cases[] = {
      {kFirst, 11, "Microsoft Sans Serif", false}, {kLast, 11, "Microsoft Sans Serif", false},
      {kRadioA, 11, "Microsoft Sans Serif", false}, {kRadioB, 11, "Microsoft Sans Serif", false},
      {kTinted, 12, "Courier New", true},
  };
  win32::WindowDC windowDc(form.Handle());
  HDC dc = windowDc.get();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(form.Item(c.id), WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -Scale(c.height, 144));
    EXPECT_STREQ(lf.lfFaceName, c.face);
    EXPECT_EQ(lf.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    EXPECT_STREQ(face, c.face) << "another face stands in";
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE) << "a bitmap font is not scaled";
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, Scale(c.height, 144));
  }
}

TEST(ScaledForm, ClientAreaAndControlsFollowTheDpi) {
  Form form{kDialogDef, 144};
  form.Create();
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, Scale(260, 144));
  EXPECT_EQ(client.bottom, Scale(130, 144));
  RECT r;
  GetWindowRect(form.Item(kNo), &r);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
  ExpectRect(r, 135, 150, 113, 38, "button at 144 DPI");
}

// The confirmation is a dialog of the system's class, laid out like a message
// box, so screen readers read it as one and the dialog manager takes its
// keys: Esc answers no (a system Yes/No box ignores it), Enter the focused
// button, "&Yes" being the default; its words are ours.
struct QuestionAnswer {
  const char* how;
  int focus;
  UINT msg;  // WM_KEYDOWN with the key, or the close box
  WPARAM key;
  bool yes;
};
const QuestionAnswer* answering = nullptr;
std::string questionSeen;

// Runs inside the dialog's own loop: notes what the box shows, then answers.
VOID CALLBACK AnswerQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND box = GetActiveWindow();
  char cls[32] = {}, title[32] = {};
  GetClassNameA(box, cls, sizeof cls);
  GetWindowTextA(box, title, sizeof title);
  questionSeen = std::string(cls) + "|" + title;
  for (int id : {kQuestionText, kQuestionYes, kQuestionNo}) {
    char text[128] = {};
    GetDlgItemTextA(box, id, text, sizeof text);
    questionSeen += std::string("|") + text;
  }
  questionSeen += "|focus " + std::to_string(GetDlgCtrlID(GetFocus())) + "|default " +
                  std::to_string(LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0)));
  SendMessageA(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(box, answering->focus)),
               TRUE);
  if (answering->msg == WM_SYSCOMMAND) PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
  else PostMessageA(GetFocus(), WM_KEYDOWN, answering->key, 1);
}

TEST(QuestionBox, AMessageBoxOfOurWordsWhoseKeysTheDialogManagerTakes) {
  const char kQuestion[] = "The specified directory does not exist. Create it?";
  const QuestionAnswer cases[] = {
      {"Esc", kQuestionYes, WM_KEYDOWN, VK_ESCAPE, false},
      {"Enter on Yes", kQuestionYes, WM_KEYDOWN, VK_RETURN, true},
      {"Enter on No", kQuestionNo, WM_KEYDOWN, VK_RETURN, false},
      {"close box", kQuestionYes, WM_SYSCOMMAND, 0, false},
  };
  for (const QuestionAnswer& c : cases) {
    SCOPED_TRACE(c.how);
    answering = &c;
    ASSERT_NE(SetTimer(nullptr, 0, 50, &AnswerQuestion), 0u);
    EXPECT_EQ(AskYesNo(nullptr, "Confirm", kQuestion), c.yes);
    EXPECT_EQ(questionSeen,
              std::string("#32770|Confirm|") + kQuestion + "|&Yes|&No|focus 6|default 6");
  }
}

}  // namespace
