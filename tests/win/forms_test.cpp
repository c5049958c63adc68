// The forms layer against the real system: drawing, layout, keys, modality.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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
#include "forms/Paint.h"
#include "forms/QuestionBox.h"

using namespace forms;

// The import slot every call of user32's function goes through.
extern "C" VOID(WINAPI* __imp_DisableProcessWindowsGhosting)(VOID);

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
  auto* slot = &__imp_DisableProcessWindowsGhosting;
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

// ---- layout tables ----

enum { kLeftBar = 1, kPicture, kBox, kBar, kText, kButton };
const ControlDef kLayout[] = {
    {.id = kPicture, .kind = Kind::Image, .left = 1, .width = 214, .height = 316,
     .dock = Dock::Left},
    {.id = kButton, .kind = Kind::Button, .left = 378, .top = 288, .width = 75, .height = 24},
    {.id = kLeftBar, .kind = Kind::Panel, .width = 1, .height = 316, .dock = Dock::Left},
    {.id = kBox, .kind = Kind::Panel, .left = 219, .top = 3, .width = 334, .height = 233,
     .bevel = Bevel::Lowered},
    {.id = kBar, .kind = Kind::Gauge, .parent = kBox, .width = 332, .height = 22,
     .dock = Dock::Bottom},
    {.id = kText, .kind = Kind::Memo, .parent = kBox, .width = 332, .height = 209,
     .dock = Dock::Fill},
};

void ExpectRect(const RECT& r, int left, int top, int width, int height, const char* what) {
  EXPECT_EQ(r.left, left) << what;
  EXPECT_EQ(r.top, top) << what;
  EXPECT_EQ(r.right - r.left, width) << what;
  EXPECT_EQ(r.bottom - r.top, height) << what;
}

TEST(Layout, At96DpiControlsKeepTheirDesignValuesAndDockInOrder) {
  const auto r = ComputeLayout(kLayout, std::size(kLayout), 555, 316, 96);
  ExpectRect(r[0], 1, 0, 214, 316, "picture right of the bar");
  ExpectRect(r[1], 378, 288, 75, 24, "button");
  ExpectRect(r[2], 0, 0, 1, 316, "bar at the left edge");
  ExpectRect(r[3], 219, 3, 334, 233, "box");
  ExpectRect(r[4], 1, 210, 332, 22, "gauge inside the bevel, at the bottom");
  ExpectRect(r[5], 1, 1, 332, 209, "text fills the rest");
}

TEST(Layout, At144DpiEverythingScalesButTheBevel) {
  const auto r = ComputeLayout(kLayout, std::size(kLayout), Scale(555, 144), Scale(316, 144), 144);
  ExpectRect(r[2], 0, 0, 2, 474, "bar");
  ExpectRect(r[0], 2, 0, 321, 474, "picture");
  ExpectRect(r[1], 567, 432, 113, 36, "button");
  ExpectRect(r[3], 329, 5, 501, 350, "box");
  ExpectRect(r[4], 1, 349 - 33, 499, 33, "gauge");
  ExpectRect(r[5], 1, 1, 499, 349 - 33 - 1, "text");
}

TEST(Layout, AnchoredControlsFollowTheRightEdgeWhenTheClientGrows) {
  enum { kMoves = 1, kStretches, kStays, kBottomPanel, kInPanel };
  const ControlDef table[] = {
      {.id = kMoves, .kind = Kind::Button, .left = 150, .top = 10, .width = 40, .height = 20,
       .settings = kAnchorTopRight},
      {.id = kStretches, .kind = Kind::Edit, .left = 10, .top = 10, .width = 100, .height = 20,
       .settings = kAnchorRight},
      {.id = kStays, .kind = Kind::Button, .left = 10, .top = 40, .width = 40, .height = 20},
      {.id = kBottomPanel, .kind = Kind::Panel, .width = 200, .height = 40,
       .dock = Dock::Bottom},
      {.id = kInPanel, .kind = Kind::Button, .parent = kBottomPanel, .left = 150, .top = 5,
       .width = 40, .height = 20, .settings = kAnchorTopRight},
  };
  const auto same = ComputeLayout(table, std::size(table), 200, 100, 96, 200, 100);
  ExpectRect(same[0], 150, 10, 40, 20, "design size: design values");
  const auto r = ComputeLayout(table, std::size(table), 240, 100, 96, 200, 100);
  ExpectRect(r[0], 190, 10, 40, 20, "moves with the right edge");
  ExpectRect(r[1], 10, 10, 140, 20, "anchored both sides: stretches");
  ExpectRect(r[2], 10, 40, 40, 20, "not anchored right: stays");
  ExpectRect(r[3], 0, 60, 240, 40, "docked: full width");
  ExpectRect(r[4], 190, 5, 40, 20, "inside the docked panel: moves with it");
}

TEST(Layout, ScaleIsExactAt96AndRoundsElsewhere) {
  const struct {
    int n, dpi, scaled;
  } cases[] = {{11, 96, 11}, {11, 120, 14}, {11, 144, 17}, {555, 144, 833}, {1, 144, 2}};
  for (const auto& c : cases) EXPECT_EQ(Scale(c.n, c.dpi), c.scaled) << c.n << "@" << c.dpi;
}

// ---- the gauge ----

TEST(Gauge, BarIsTheWidthPlusOneShareCapped) {
  const struct {
    int width, percent, bar;
  } cases[] = {{100, 0, 0}, {100, 45, 45}, {100, 99, 99}, {100, 100, 101}, {332, 50, 166},
               {0, 100, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(GaugeBarWidth(c.width, c.percent), c.bar) << c.width << " " << c.percent;
}

class GaugePicture : public ::testing::Test {
 protected:
  static constexpr int kW = 120, kH = 22;
  const COLORREF back = RGB(212, 208, 200);
  const COLORREF bar = RGB(10, 36, 106);
  Font font{CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                        "MS Sans Serif")};

  uint32_t PixelAt(Offscreen& off, int x, int y) { return off.bits()[y * kW + x]; }
};

TEST_F(GaugePicture, BarBackgroundAndInvertedText) {
  for (int percent : {0, 45, 100}) {
    Offscreen off(nullptr, kW, kH);
    PaintGauge(off.dc(), kW, kH, percent, font.get(), back, bar);
    const int barW = std::min(GaugeBarWidth(kW, percent), kW);
    // The top row holds no text: it shows the bar's edge exactly.
    for (int x = 0; x < kW; ++x)
      ASSERT_EQ(PixelAt(off, x, 0), ToPixel(x < barW ? bar : back)) << percent << "% x=" << x;
    // Every other pixel is bar, background or one of them inverted, and
    // the text put some inverted pixels there.
    const std::set<uint32_t> allowed = {ToPixel(back), ToPixel(bar), ToPixel(back) ^ 0xFFFFFF,
                                        ToPixel(bar) ^ 0xFFFFFF};
    int inverted = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const uint32_t p = PixelAt(off, x, y);
        ASSERT_TRUE(allowed.count(p)) << percent << "% at " << x << "," << y;
        if (p == (ToPixel(x < barW ? bar : back) ^ 0xFFFFFF)) ++inverted;
      }
    EXPECT_GT(inverted, 10) << percent;
  }
}

// ---- glyphs ----

TEST(Glyph, StripsHoldOneImageOrNormalAndDisabled) {
  const struct {
    int width, height, count;
  } cases[] = {{13, 13, 1}, {16, 16, 1}, {32, 16, 2}, {18, 16, 1}};
  for (const auto& c : cases) {
    Pixels p;
    p.width = c.width;
    p.height = c.height;
    p.data.assign(static_cast<size_t>(c.width) * c.height, 0);
    EXPECT_EQ(GlyphCount(p), c.count) << c.width << "x" << c.height;
  }
}

TEST(Glyph, DisabledLookEmbossesDarkPixelsOnly) {
  const uint32_t clear = 0x008080, dark = 0x000000, light = 0xF0F0F0;
  Pixels g;
  g.width = 3;
  g.height = 3;
  g.data = {dark, light, clear,  //
            clear, clear, clear,  //
            clear, clear, clear};
  const Pixels d = DisabledGlyph(g, RGB(255, 255, 255), RGB(128, 128, 128));
  EXPECT_EQ(d.at(0, 0), 0x808080u);  // dark: shadow
  EXPECT_EQ(d.at(1, 0), clear);      // light: gone
  EXPECT_EQ(d.at(1, 1), 0xFFFFFFu);  // highlight below right of the dark pixel
  EXPECT_EQ(d.transparent(), clear);
}

TEST(Glyph, ButtonDrawsGlyphWithoutItsTransparentPixelsAndDisabledLookWhenDisabled) {
  const uint32_t clear = 0x008080, red = 0xDC0000, grey = 0x808080;
  Pixels glyph{3, 3, {red, clear, red, clear, red, clear, clear, clear, clear}};
  Pixels disabled{3, 3, {grey, clear, clear, clear, clear, clear, clear, clear, clear}};
  constexpr int kW = 75, kH = 25;
  // No caption: the glyph alone is centred, its top-left at (36, 11).
  for (bool enabled : {true, false}) {
    Offscreen off(nullptr, kW, kH);
    ButtonLook look;
    look.enabled = enabled;
    PaintBitBtn(off.dc(), RECT{0, 0, kW, kH}, "", nullptr, glyph, disabled, look);
    const DWORD* px = off.bits();
    const uint32_t face = ToPixel(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(px[11 * kW + 36], enabled ? red : grey) << enabled;
    EXPECT_EQ(px[11 * kW + 37], face) << "transparent pixel shows the face";
    EXPECT_EQ(px[11 * kW + 38], enabled ? red : face) << enabled;
  }
}

// ---- dialog keys ----

TEST(DialogKeys, ChoosesTheButtonByKeyFocusAndState) {
  const ButtonState usable{true, true, true}, hidden{true, false, true},
      disabled{true, true, false}, none{};
  const struct {
    DialogKey key;
    FocusKind focus;
    bool modifiers;
    ButtonState def, cancel;
    KeyTarget target;
  } cases[] = {
      {DialogKey::Enter, FocusKind::Other, false, usable, usable, KeyTarget::Default},
      {DialogKey::Enter, FocusKind::PushButton, false, usable, usable, KeyTarget::Focused},
      {DialogKey::Enter, FocusKind::Other, false, disabled, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::Other, false, hidden, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::Other, false, none, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::MultiLineText, false, usable, usable, KeyTarget::None},
      {DialogKey::Enter, FocusKind::Other, true, usable, usable, KeyTarget::None},
      {DialogKey::Escape, FocusKind::Other, false, usable, usable, KeyTarget::Cancel},
      {DialogKey::Escape, FocusKind::PushButton, false, usable, usable, KeyTarget::Cancel},
      {DialogKey::Escape, FocusKind::Other, false, usable, hidden, KeyTarget::None},
      {DialogKey::Escape, FocusKind::Other, false, usable, disabled, KeyTarget::None},
      {DialogKey::Escape, FocusKind::MultiLineText, false, usable, usable, KeyTarget::None},
      {DialogKey::Escape, FocusKind::Other, true, usable, usable, KeyTarget::None},
  };
  int row = 0;
  for (const auto& c : cases)
    EXPECT_EQ(ChooseKeyTarget(c.key, c.focus, c.modifiers, c.def, c.cancel), c.target)
        << "row " << row++;
}

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
      form.OnClick(id, [this, id] {
        pressed.push_back(id);
        resultSeen.push_back(form.ModalResult());
      });
  }
  std::vector<int> Press(int focusId, DialogKey key, bool modifiers = false) {
    pressed.clear();
    SetFocus(form.Item(focusId));
    form.PressDialogKey(key, modifiers);
    return pressed;
  }

  Form form{kDialogDef, 96};
  std::vector<int> pressed;
  std::vector<int> resultSeen;
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

TEST_F(DialogForm, ModalResultIsSetBeforeTheClickHandlerRuns) {
  form.SetModalResult(mrNone);
  form.Click(kNo);
  form.Click(kOther);  // no modal result of its own: the form's stays
  EXPECT_EQ(resultSeen, (Ids{mrNo, mrNo}));
}

TEST_F(DialogForm, GaugeTextFollowsTheClampedPercentage) {
  TGauge& g = form.GaugeOf(kGauge);
  char text[16];
  auto shown = [&] {
    GetWindowTextA(g.Handle(), text, sizeof text);
    return std::string(text);
  };
  EXPECT_EQ(shown(), "0%");
  g.SetMaxValue(10);
  g.SetProgress(3);
  EXPECT_EQ(shown(), "30%");
  g.SetProgress(50);
  EXPECT_EQ(g.Progress(), 10);
  EXPECT_EQ(shown(), "100%");
  g.SetProgress(-5);
  EXPECT_EQ(shown(), "0%");
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
  int resultInHandler = mrNone;
  dialog.OnClick(kNo, [&] {
    ownerEnabledInHandler = IsWindowEnabled(owner.Handle()) != FALSE;
    resultInHandler = dialog.ModalResult();
  });
  PostMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(kNo, BN_CLICKED),
               reinterpret_cast<LPARAM>(dialog.Item(kNo)));
  EXPECT_EQ(dialog.ShowModal(), mrNo);
  EXPECT_EQ(resultInHandler, mrNo);
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
  Form form;
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
  HDC dc = GetDC(form.Handle());
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
  ReleaseDC(form.Handle(), dc);
}

class TabForm144 : public TabForm {
 protected:
  TabForm144() : TabForm(144) {}
};

TEST(FontFace, MsSansSerifBecomesTrueTypeAwayFrom96Dpi) {
  const struct {
    const char* face;
    int dpi;
    const char* used;
  } cases[] = {
      {"MS Sans Serif", 96, "MS Sans Serif"},
      {"MS Sans Serif", 120, "Microsoft Sans Serif"},
      {"MS Sans Serif", 144, "Microsoft Sans Serif"},
      {"Courier New", 144, "Courier New"},
  };
  for (const auto& c : cases) EXPECT_STREQ(FontFace(c.face, c.dpi), c.used) << c.face << c.dpi;
}

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
  HDC dc = GetDC(form.Handle());
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
  ReleaseDC(form.Handle(), dc);
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

// A picture is drawn pixel for pixel at 96 DPI and grows with its control
// elsewhere.
TEST(ScaledForm, PictureGrowsWithTheDpi) {
  const ControlDef picture[] = {
      {.id = 1, .kind = Kind::Image, .width = 40, .height = 30, .color = clSkyBlue}};
  constexpr int kW = 20, kH = 10;
  const COLORREF red = RGB(220, 20, 30);
  for (int dpi : {96, 120, 144}) {
    SCOPED_TRACE(dpi);
    Form form{WithControls(FormDef{.className = "TFormsTestPicture", .clientWidth = 40,
                                    .clientHeight = 30},
                           picture),
              dpi};
    form.Create();
    form.SetPicture(1, FilledBitmap(kW, kH, red));
    const int w = Scale(40, dpi), h = Scale(30, dpi);
    Offscreen shown(nullptr, w, h);
    form.PaintDrawnControl(0, shown.dc());
    const DWORD* px = shown.bits();
    int drawnW = 0, drawnH = 0;
    while (drawnW < w && px[drawnW] == ToPixel(red)) ++drawnW;
    while (drawnH < h && px[drawnH * w] == ToPixel(red)) ++drawnH;
    EXPECT_EQ(drawnW, Scale(kW, dpi));
    EXPECT_EQ(drawnH, Scale(kH, dpi));
    EXPECT_EQ(px[(h - 1) * w + w - 1], ToPixel(clSkyBlue)) << "the rest is background";
  }
}

// A system Yes/No box ignores Esc on Windows (Wine's closes) and takes the
// system's language; this one is ours on every system.
TEST(QuestionBox, EscAnswersNoEnterYesInOurOwnWords) {
  TQuestionBox box("Confirm", "The specified directory does not exist. Create it?", 96);
  box.Create();
  box.Show();
  char caption[64] = {};
  GetWindowTextA(box.Handle(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Confirm");
  EXPECT_EQ(box.Text(kQuestionText), "The specified directory does not exist. Create it?");
  EXPECT_EQ(box.Text(kQuestionYes), "&Yes");
  EXPECT_EQ(box.Text(kQuestionNo), "&No");
  EXPECT_TRUE(IsDefaultButton(box.DefOf(kQuestionYes)));
  EXPECT_TRUE(IsCancelButton(box.DefOf(kQuestionNo)));
  EXPECT_EQ(GetFocus(), box.Item(kQuestionYes)) << "\"&Yes\" has the focus";
  const struct {
    DialogKey key;
    int focus;
    int result;
  } cases[] = {{DialogKey::Escape, kQuestionYes, mrNo},
               {DialogKey::Enter, kQuestionYes, mrYes},
               {DialogKey::Enter, kQuestionNo, mrNo}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.key));
    box.SetModalResult(mrNone);
    SetFocus(box.Item(c.focus));
    EXPECT_TRUE(box.PressDialogKey(c.key, false));
    EXPECT_EQ(box.ModalResult(), c.result);
  }
}

}  // namespace
