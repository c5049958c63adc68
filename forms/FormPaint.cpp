// What a form draws itself: pictures, container frames and bitmap buttons.
#include "forms/Form.h"

namespace forms {

void Form::PaintDrawnControl(size_t index, HDC dc) {
  const Control& c = controls_[index];
  RECT r;
  GetClientRect(c.hwnd, &r);
  Offscreen off(dc, r.right, r.bottom);
  if (c.def->kind == Kind::Image) {
    FillRect(off.dc(), &r, c.brush.get());
    if (const Picture* picture = std::get_if<Picture>(&c.state))
      picture->Paint(off.dc(), dc, r, (c.def->settings & kStretch) != 0, dpi_);
  } else {
    char caption[256] = {};
    GetWindowTextA(c.hwnd, caption, sizeof caption);
    PaintContainer(off.dc(), r, *c.def, caption, c.hfont, c.color, c.textColor);
  }
  off.CopyTo(dc);
}

bool Form::DrawItem(const DRAWITEMSTRUCT& item) {
  const size_t index = IndexOf(static_cast<int>(item.CtlID));
  const Control& c = controls_[index];
  const ButtonGlyphs* glyphs = std::get_if<ButtonGlyphs>(&c.state);
  if (!glyphs) return OnDrawItem(item);
  const RECT& rc = item.rcItem;
  Offscreen off(item.hDC, rc.right - rc.left, rc.bottom - rc.top);
  RECT local{0, 0, off.width(), off.height()};
  ButtonLook look;
  look.pressed = (item.itemState & ODS_SELECTED) != 0;
  look.focused = (item.itemState & ODS_FOCUS) != 0;
  look.enabled = (item.itemState & ODS_DISABLED) == 0;
  look.isDefault = IsDefaultButton(*c.def);
  look.hideFocus = (item.itemState & ODS_NOFOCUSRECT) != 0;
  look.hideAccel = (item.itemState & ODS_NOACCEL) != 0;
  look.textColor = c.textColor;
  look.ink = ButtonInkFor(highContrast_);
  char caption[256] = {};
  GetWindowTextA(c.hwnd, caption, sizeof caption);
  PaintBitBtn(off.dc(), local, caption, c.hfont, glyphs->glyph, glyphs->disabled, look);
  off.CopyTo(item.hDC, rc.left, rc.top);
  return true;
}

}  // namespace forms
