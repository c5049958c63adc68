// What the forms layer draws itself: the gauge, bitmap button glyphs and
// pictures, read back pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>

#include "forms/Form.h"
#include "forms/Gdi.h"
#include "forms/Paint.h"

using namespace forms;

namespace {

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

}  // namespace
