#include "forms/Image.h"

#include "forms/Layout.h"

namespace forms {

namespace {

constexpr ControlClass kClass{"TImage", 0, 0, false};

}  // namespace

HWND TImage::Create(const RECT& rect, HWND parent, HWND /*form*/) {
  const ControlStyle style = StyleOf(def_, kClass);
  CreateHandle(style.className, style.exStyle, "", style.style, rect, parent, def_.id);
  return Handle();
}

void TImage::SetBitmap(HBITMAP bitmap) {
  bitmap_.reset(bitmap);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TImage::Draw(HDC buffer, HDC reference, const RECT& client) const {
  FillRect(buffer, &client, look_.brush.get());
  if (!bitmap_) return;
  BITMAP bm{};
  GetObjectA(bitmap_.get(), sizeof bm, &bm);
  win32::MemoryDC src(reference);
  win32::Selected pick(src.get(), bitmap_.get());
  if (def_.settings & kStretch) {
    StretchBlt(buffer, 0, 0, client.right, client.bottom, src.get(), 0, 0, bm.bmWidth,
               bm.bmHeight, SRCCOPY);
  } else if (dpi_ == kDesignDpi) {
    BitBlt(buffer, 0, 0, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
  } else {
    // Grows with its control; averaged, not with doubled pixel rows.
    SetStretchBltMode(buffer, HALFTONE);
    SetBrushOrgEx(buffer, 0, 0, nullptr);
    StretchBlt(buffer, 0, 0, Scale(bm.bmWidth, dpi_), Scale(bm.bmHeight, dpi_), src.get(), 0, 0,
               bm.bmWidth, bm.bmHeight, SRCCOPY);
  }
}

}  // namespace forms
