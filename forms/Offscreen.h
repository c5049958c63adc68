// An off-screen buffer for flicker-free drawing: a 32-bit top-down bitmap
// with its own DC; what is drawn there reaches the screen in one BitBlt.
#pragma once

#include <windows.h>

#include "win32/ScopedWin.h"

namespace forms {

class Offscreen {
 public:
  Offscreen(HDC reference, int width, int height)
      : width_(width > 0 ? width : 1),
        height_(height > 0 ? height : 1),
        dc_(reference),
        bitmap_(TopDownBitmap(dc_.get(), width_, height_)),
        selected_(dc_.get(), bitmap_.get()) {}
  Offscreen(const Offscreen&) = delete;
  Offscreen& operator=(const Offscreen&) = delete;

  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  void CopyTo(HDC target, int x = 0, int y = 0) const {
    BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
  }

 private:
  static HBITMAP TopDownBitmap(HDC dc, int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  }

  int width_, height_;
  win32::MemoryDC dc_;
  win32::Bitmap bitmap_;
  win32::Selected selected_;
};

}  // namespace forms
