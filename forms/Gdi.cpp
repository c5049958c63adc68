#include "forms/Gdi.h"

namespace forms {

namespace {

HBITMAP TopDownBitmap(HDC dc, int width, int height, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

Offscreen::Offscreen(HDC reference, int width, int height)
    : width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1),
      dc_(reference),
      bitmap_(TopDownBitmap(dc_.get(), width_, height_, &bits_)),
      selected_(dc_.get(), bitmap_.get()) {}

DWORD* Offscreen::bits() {
  GdiFlush();
  return static_cast<DWORD*>(bits_);
}

void Offscreen::CopyTo(HDC target, int x, int y) const {
  BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

HBITMAP FilledBitmap(int width, int height, COLORREF color, HICON icon) {
  win32::WindowDC screen;
  HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
  win32::MemoryDC dc(screen.get());
  Selected pick(dc.get(), bitmap);
  RECT all{0, 0, width, height};
  Brush fill(CreateSolidBrush(color));
  FillRect(dc.get(), &all, fill.get());
  if (icon) DrawIconEx(dc.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  return bitmap;
}

}  // namespace forms
