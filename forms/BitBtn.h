// The bitmap button: a push button of the system's class that the form
// draws, a glyph beside its caption. Its stock kinds give it a caption, a
// glyph, a modal result and the role of Enter or Esc. The ink rule at the top
// needs no system, so the host tests own it.
#pragma once

#include "forms/Colors.h"
#include "forms/Schema.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/Control.h"
#endif

namespace forms {

// A drawn bitmap button's frame when it is the default or focused, and its
// disabled caption: black, and the caption in the shadow colour embossed
// with the highlight; with high contrast on, button text and grey text, flat
// (no emboss: kInherit).
struct ButtonInk {
  Color frame, disabledText, disabledEmboss;
};
inline ButtonInk ButtonInkFor(bool highContrast) {
  if (!highContrast)
    return {clBlack, SystemColor(kColorBtnShadow), SystemColor(kColorBtnHighlight)};
  // Button text is the foreground of every high-contrast button face; grey
  // text is the system's colour for disabled text.
  return {SystemColor(kColorBtnText), SystemColor(kColorGrayText), kInherit};
}

#ifdef _WIN32
// The effective values of a control definition of any kind, its stock kind
// applied when it is a bitmap button.
const char* CaptionOf(const ControlDef& c);
int ModalResultOf(const ControlDef& c);
bool IsDefaultButton(const ControlDef& c);
bool IsCancelButton(const ControlDef& c);

// A small picture as 0x00RRGGBB pixels, row by row from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> data;

  bool empty() const { return data.empty(); }
  std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  // The glyph convention: the bottom-left pixel's colour is transparent.
  std::uint32_t transparent() const { return at(0, height - 1); }
};

// A strip of equal square-ish images side by side holds the normal look
// first and the disabled look second.
int GlyphCount(const Pixels& strip);
// The grey embossed look of a glyph: its dark pixels in the shadow colour
// with a highlight copy one pixel down-right; everything else transparent.
Pixels DisabledGlyph(const Pixels& glyph, COLORREF highlight, COLORREF shadow);

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

// Face, edge, glyph then caption centred together, into a DC the caller buffers.
void PaintBitBtn(HDC dc, const RECT& rect, const char* caption, HFONT font, const Pixels& glyph,
                 const Pixels& disabledGlyph, const ButtonLook& look);

class TBitBtn : public DrawnControl {
 public:
  // The glyphs come from the table's bitmap resource when there is one,
  // otherwise from the built-in art.
  TBitBtn(const ControlDef& def, const Look& look);
  HWND Create(const RECT& rect, HWND parent, HWND form) override;
  bool DrawItem(const DRAWITEMSTRUCT& item) override;
  // Owner-drawn buttons report a quick second click as a double click.
  bool IsClick(int code) const override { return code == BN_DOUBLECLICKED; }

 private:
  const ControlDef& def_;
  const Look& look_;
  HWND hwnd_ = nullptr;
  Pixels glyph_, disabled_;
};
#endif

}  // namespace forms
