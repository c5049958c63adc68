// An off-screen buffer for flicker-free drawing; the GDI owners the forms
// layer uses come from win32/ScopedWin.h.
#pragma once

#include <windows.h>

#include "win32/ScopedWin.h"

namespace forms {

using win32::Bitmap;
using win32::Brush;
using win32::Font;
using win32::GdiObject;
using win32::Selected;

// A 32-bit top-down bitmap with its own DC; what is drawn there reaches the
// screen in one BitBlt.
class Offscreen {
 public:
  Offscreen(HDC reference, int width, int height);
  Offscreen(const Offscreen&) = delete;
  Offscreen& operator=(const Offscreen&) = delete;

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixels as 0x00RRGGBB, row by row from the top; flushes GDI first.
  DWORD* bits();
  void CopyTo(HDC target, int x = 0, int y = 0) const;

 private:
  int width_, height_;
  win32::MemoryDC dc_;
  void* bits_ = nullptr;
  Bitmap bitmap_;
  Selected selected_;
};

// A bitmap like the screen's, filled with `color`; `icon`, when given, drawn
// over it at its full size. The caller owns it.
HBITMAP FilledBitmap(int width, int height, COLORREF color, HICON icon = nullptr);

}  // namespace forms
