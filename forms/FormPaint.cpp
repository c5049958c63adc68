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
    if (c.picture) {
      BITMAP bm{};
      GetObjectA(c.picture.get(), sizeof bm, &bm);
      tools::MemoryDC src(dc);
      Selected pick(src.get(), c.picture.get());
      if (c.def->settings & kStretch) {
        StretchBlt(off.dc(), 0, 0, r.right, r.bottom, src.get(), 0, 0, bm.bmWidth, bm.bmHeight,
                   SRCCOPY);
      } else if (dpi_ == kDesignDpi) {
        BitBlt(off.dc(), 0, 0, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
      } else {
        // Grows with its control; averaged, not with doubled pixel rows.
        SetStretchBltMode(off.dc(), HALFTONE);
        SetBrushOrgEx(off.dc(), 0, 0, nullptr);
        StretchBlt(off.dc(), 0, 0, Scaled(bm.bmWidth), Scaled(bm.bmHeight), src.get(), 0, 0,
                   bm.bmWidth, bm.bmHeight, SRCCOPY);
      }
    }
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
  if (c.def->kind != Kind::BitBtn) return OnDrawItem(item);
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
  char caption[256] = {};
  GetWindowTextA(c.hwnd, caption, sizeof caption);
  PaintBitBtn(off.dc(), local, caption, c.hfont, c.glyph, c.disabledGlyph, look);
  off.CopyTo(item.hDC, rc.left, rc.top);
  return true;
}

}  // namespace forms
