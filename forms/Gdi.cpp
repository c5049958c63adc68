#include "forms/Gdi.h"

namespace forms {

Offscreen::Offscreen(HDC reference, int width, int height)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
  dc_ = CreateCompatibleDC(reference);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width_;
  bi.bmiHeader.biHeight = -height_;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
  old_ = SelectObject(dc_, bitmap_);
}

Offscreen::~Offscreen() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

DWORD* Offscreen::bits() {
  GdiFlush();
  return static_cast<DWORD*>(bits_);
}

void Offscreen::CopyTo(HDC target, int x, int y) const {
  BitBlt(target, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
}

HBITMAP FilledBitmap(int width, int height, COLORREF color, HICON icon) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  {
    Selected pick(dc, bitmap);
    RECT all{0, 0, width, height};
    Brush fill(CreateSolidBrush(color));
    FillRect(dc, &all, fill.get());
    if (icon) DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  }
  DeleteDC(dc);
  return bitmap;
}

}  // namespace forms
