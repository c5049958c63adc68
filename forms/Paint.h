// Drawing the platform does not provide: glyphs, bitmap buttons, the gauge
// and container frames. Everything draws into a DC the caller buffers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/Layout.h"
#include "forms/Palette.h"

namespace forms {

// A table colour as the system draws it: system colours looked up now.
inline COLORREF ResolveColor(Color c) {
  return c != kInherit && (c & kSystemColorFlag) ? GetSysColor(static_cast<int>(c & 0xFF)) : c;
}

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// A small picture as 0x00RRGGBB pixels, row by row from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> data;

  bool empty() const { return data.empty(); }
  uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  // The glyph convention: the bottom-left pixel's colour is transparent.
  uint32_t transparent() const { return at(0, height - 1); }
};

uint32_t ToPixel(COLORREF color);

Pixels GlyphFromArt(GlyphArt art);
Pixels GlyphFromBitmap(HBITMAP bitmap);

// A strip of equal square-ish images side by side holds the normal look
// first and the disabled look second.
int GlyphCount(const Pixels& strip);
Pixels GlyphImage(const Pixels& strip, int index);

// The grey embossed look of a glyph: its dark pixels in the shadow colour
// with a highlight copy one pixel down-right; everything else transparent.
Pixels DisabledGlyph(const Pixels& glyph, COLORREF highlight, COLORREF shadow);

// Draws a glyph leaving its transparent pixels untouched.
void DrawGlyph(HDC dc, int x, int y, const Pixels& glyph);

struct ButtonLook {
  bool pressed = false;
  bool focused = false;
  bool isDefault = false;
  bool enabled = true;
  COLORREF textColor = RGB(0, 0, 0);
  ButtonInk ink = ButtonInkFor(false);
  // Keyboard cues the user has not asked for yet (ODS_NOFOCUSRECT, ODS_NOACCEL).
  bool hideFocus = false;
  bool hideAccel = false;
};

// Bitmap button: face, edge, glyph then caption centred together.
void PaintBitBtn(HDC dc, const RECT& rect, const char* caption, HFONT font, const Pixels& glyph,
                 const Pixels& disabledGlyph, const ButtonLook& look);

// Width of the gauge's bar for a client width and a percentage.
int GaugeBarWidth(int clientWidth, int percent);
// The whole gauge: background, bar, then the percentage text inverting the
// pixels beneath it.
void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar);
// The same with the text in a colour of its own over the background and
// another over the bar, as high contrast wants it.
void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar, COLORREF text, COLORREF textOnBar);

// Panel bevel or group box frame with caption, over a filled background.
void PaintContainer(HDC dc, const RECT& rect, const ControlDef& def, const char* caption,
                    HFONT font, COLORREF background, COLORREF textColor);

}  // namespace forms
