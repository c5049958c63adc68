// What the forms layer draws itself: the gauge, bitmap button glyphs and
// pictures, and the wizard's windows under high contrast, read back pixel by
// pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "forms/BitBtn.h"
#include "forms/Form.h"
#include "forms/Gauge.h"
#include "forms/Image.h"
#include "forms/Offscreen.h"
#include "tools/FileSystem.h"
#include "tools/MyTools.h"
#include "wizard/FolderChooser.h"
#include "wizard/LicencjaE.h"
#include "wizard/Unit2.h"
#include "wizard/Unit3.h"

using namespace forms;

namespace {

// A buffer's pixels as 0x00RRGGBB, row by row from the top: its bitmap is a
// DIB section, whose bits GetObject hands out.
const DWORD* PixelsOf(const Offscreen& off) {
  GdiFlush();
  DIBSECTION dib{};
  EXPECT_EQ(GetObjectA(GetCurrentObject(off.dc(), OBJ_BITMAP), sizeof dib, &dib),
            static_cast<int>(sizeof dib));
  return static_cast<const DWORD*>(dib.dsBm.bmBits);
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
  win32::Font font{CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH,
                        "MS Sans Serif")};

  uint32_t PixelAt(Offscreen& off, int x, int y) { return PixelsOf(off)[y * kW + x]; }
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
    const DWORD* px = PixelsOf(off);
    const uint32_t face = ToPixel(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(px[11 * kW + 36], enabled ? red : grey) << enabled;
    EXPECT_EQ(px[11 * kW + 37], face) << "transparent pixel shows the face";
    EXPECT_EQ(px[11 * kW + 38], enabled ? red : face) << enabled;
  }
}

// The focus rectangle stays off the drawn button while the button control
// says the cue is hidden. (Wine underlines no mnemonic either way, so the
// hidden underline, DT_HIDEPREFIX for ODS_NOACCEL, cannot be seen here.)
TEST(Glyph, ButtonHidesTheFocusRectangleItsControlHides) {
  constexpr int kW = 75, kH = 25;
  const ControlDef button[] = {{.id = 1, .kind = Kind::BitBtn, .width = kW, .height = kH,
                                .buttonKind = BitBtnKind::No}};
  Form form{WithControls(FormDef{.className = "TFormsTestCues", .clientWidth = kW,
                                  .clientHeight = kH},
                         button),
            96};
  form.Create();
  const uint32_t face = ToPixel(GetSysColor(COLOR_BTNFACE));
  for (const UINT state : {ODS_FOCUS, ODS_FOCUS | ODS_NOFOCUSRECT | ODS_NOACCEL}) {
    SCOPED_TRACE(state);
    Offscreen off(nullptr, kW, kH);
    DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, state, form.Item(1), off.dc(),
                        RECT{0, 0, kW, kH}, 0};
    SendMessageA(form.Handle(), WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item));
    // The rectangle's top edge runs 4 pixels in, above glyph and text.
    int focusLine = 0;
    for (int x = 5; x < kW - 5; ++x) focusLine += PixelsOf(off)[4 * kW + x] != face;
    EXPECT_EQ(focusLine > 0, !(state & ODS_NOFOCUSRECT));
  }
}

// A bitmap like the screen's, filled with `color`.
HBITMAP FilledBitmap(int width, int height, COLORREF color) {
  win32::WindowDC screen;
  HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
  win32::MemoryDC dc(screen.get());
  win32::Selected pick(dc.get(), bitmap);
  RECT all{0, 0, width, height};
  win32::Brush fill(CreateSolidBrush(color));
  FillRect(dc.get(), &all, fill.get());
  return bitmap;
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
    auto* image = dynamic_cast<TImage*>(Window::FromHandle(form.Item(1)));
    ASSERT_NE(image, nullptr);
    image->Paint(shown.dc());
    const DWORD* px = PixelsOf(shown);
    int drawnW = 0, drawnH = 0;
    while (drawnW < w && px[drawnW] == ToPixel(red)) ++drawnW;
    while (drawnH < h && px[drawnH * w] == ToPixel(red)) ++drawnH;
    EXPECT_EQ(drawnW, Scale(kW, dpi));
    EXPECT_EQ(drawnH, Scale(kH, dpi));
    EXPECT_EQ(px[(h - 1) * w + w - 1], ToPixel(clSkyBlue)) << "the rest is background";
  }
}

// ---- high contrast ----

// White on black, as a high-contrast scheme has it, put back afterwards.
// Wine never reports high contrast itself: the windows get it as input.
class HighContrastScheme {
 public:
  HighContrastScheme() {
    for (size_t i = 0; i < std::size(kIndex); ++i) saved_[i] = GetSysColor(kIndex[i]);
    EXPECT_TRUE(SetSysColors(std::size(kIndex), kIndex, kScheme));
  }
  ~HighContrastScheme() { SetSysColors(std::size(kIndex), kIndex, saved_); }

 private:
  static constexpr INT kIndex[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                   COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
  static constexpr COLORREF kScheme[] = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0),
                                         RGB(255, 255, 255), RGB(26, 235, 255), RGB(0, 0, 0)};
  COLORREF saved_[std::size(kIndex)];
};

// Each control that shows text, high contrast on: the pixels its text
// changes are in its pair's text colour, over the pair's background, so no
// text is drawn in its background's colour. (The texts are gone afterwards.)
void ExpectTextStandsOut(Form& form, const FormDef& def) {
  form.ApplyColors(true);
  auto shot = [](HWND h) {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(h, &r);
    Offscreen off(nullptr, r.right, r.bottom);
    BitBlt(off.dc(), 0, 0, r.right, r.bottom, win32::WindowDC(h).get(), 0, 0, SRCCOPY);
    const DWORD* bits = PixelsOf(off);
    std::vector<uint32_t> pixels(bits, bits + r.right * r.bottom);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
  };
  for (size_t i = 0; i < def.controlCount; ++i) {
    const ControlDef& c = def.controls[i];
    HWND h = form.Item(c.id);
    if (!IsWindowVisible(h)) continue;
    SCOPED_TRACE(std::string(def.className) + "." + c.name);
    const ColorPair pair = ControlColors(c.kind, {}, true);
    const uint32_t back = ToPixel(ResolveColor(pair.back)), text = ToPixel(ResolveColor(pair.text));
    const std::vector<uint32_t> with = shot(h);
    if (c.kind == Kind::Gauge) {  // the percentage, over background and bar
      for (int index : {kColorWindow, kColorWindowText, kColorHighlight, kColorHighlightText})
        EXPECT_NE(std::count(with.begin(), with.end(), ToPixel(GetSysColor(index))), 0) << index;
      continue;
    }
    if (c.kind == Kind::ListBox || c.kind == Kind::ComboBox)
      SendMessageA(h, c.kind == Kind::ListBox ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
    else if (GetWindowTextLengthA(h) > 0)
      SetWindowTextA(h, "");
    else
      continue;
    const std::vector<uint32_t> without = shot(h);
    std::map<uint32_t, size_t> seen;
    size_t textPixels = 0;
    for (size_t p = 0; p < with.size(); ++p) {
      ++seen[without[p]];
      textPixels += with[p] != without[p] && with[p] == text;
    }
    EXPECT_GT(textPixels, 0u) << "no text in its pair's text colour";
    EXPECT_EQ(std::max_element(seen.begin(), seen.end(),
                               [](const auto& x, const auto& y) { return x.second < y.second; })
                  ->first,
              back)
        << "not on its pair's background";
  }
}

const FormDef* chooserDef = nullptr;

// Checks the folder chooser from inside its modal loop, then closes it.
VOID CALLBACK CheckChooser(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND chooser = GetActiveWindow();
  if (auto* form = dynamic_cast<Form*>(Window::FromHandle(chooser))) {
    ExpectTextStandsOut(*form, *chooserDef);
  } else {
    ADD_FAILURE() << "the chooser is not the active window";
  }
  PostMessageA(chooser, WM_CLOSE, 0, 0);
}

TEST(HighContrast, EveryTextOfTheWizardsWindowsStandsOutInTheSystemsPairs) {
  const HighContrastScheme scheme;
  const win32::ScopedCom com;  // the banner's decoder
  tools::Win32Platform platform;
  wizard::TForm3 shortcuts{platform};
  wizard::TFormLicencjaE agreement{platform};
  wizard::TForm2 main{platform, shortcuts, agreement};
  main.Create();
  shortcuts.Create(main.Handle());
  agreement.Create(main.Handle());

  main.Show();
  main.SetVisible(wizard::kG1, true);
  main.GaugeOf(wizard::kG1).SetProgress(50);  // the text straddles the bar's end
  ExpectTextStandsOut(main, wizard::kForm2Def);

  shortcuts.Show();
  ExpectTextStandsOut(shortcuts, wizard::kForm3Def);
  shortcuts.Hide();

  agreement.Show();
  SendMessageA(agreement.Item(wizard::kRadioButton1), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(agreement.Item(wizard::kRadioButton2), BM_SETCHECK, BST_UNCHECKED, 0);
  agreement.RadioButton1Click();  // "&Next" enabled
  ExpectTextStandsOut(agreement, wizard::kFormLicencjaEDef);
  agreement.Hide();

  const std::string kept = platform.CurrentDirectory();
  chooserDef = &wizard::kSelectDirDef;
  ASSERT_NE(SetTimer(nullptr, 0, 300, &CheckChooser), 0u);
  wizard::TSelectDirDlg chooser{platform};
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_FALSE(chooser.Execute(main.Handle(), windows).has_value());
  platform.ChangeCurrentDirectory(kept);
}

}  // namespace
