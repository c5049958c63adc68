// The picture: a window of ours that shows a bitmap unscaled at the top-left
// at 96 DPI, grown with its control elsewhere, scaled to the control with
// kStretch; the rest in the control's colour.
#pragma once

#include <windows.h>

#include "forms/Control.h"
#include "forms/Window.h"
#include "win32/ScopedWin.h"

namespace forms {

class TImage : public BufferedWindow, public DrawnControl {
 public:
  TImage(const ControlDef& def, const Look& look, int dpi) : def_(def), look_(look), dpi_(dpi) {}
  HWND Create(const RECT& rect, HWND parent, HWND form) override;
  // Takes the bitmap and shows it.
  void SetBitmap(HBITMAP bitmap);

 protected:
  void Draw(HDC buffer, HDC reference, const RECT& client) const override;

 private:
  const ControlDef& def_;
  const Look& look_;
  int dpi_;
  win32::Bitmap bitmap_;
};

}  // namespace forms
