// Owners for GDI objects and an off-screen buffer for flicker-free drawing.
#pragma once

#include <windows.h>

namespace forms {

template <typename T>
class GdiObject {
 public:
  explicit GdiObject(T object = nullptr) : object_(object) {}
  ~GdiObject() { reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : object_(other.release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  T get() const { return object_; }
  T release() {
    T object = object_;
    object_ = nullptr;
    return object;
  }
  void reset(T object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T object_;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A 32-bit top-down bitmap with its own DC; what is drawn there reaches the
// screen in one BitBlt.
class Offscreen {
 public:
  Offscreen(HDC reference, int width, int height);
  ~Offscreen();
  Offscreen(const Offscreen&) = delete;
  Offscreen& operator=(const Offscreen&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixels as 0x00RRGGBB, row by row from the top; flushes GDI first.
  DWORD* bits();
  void CopyTo(HDC target, int x = 0, int y = 0) const;

 private:
  int width_, height_;
  HDC dc_;
  void* bits_ = nullptr;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// A bitmap like the screen's, filled with `color`; `icon`, when given, drawn
// over it at its full size. The caller owns it.
HBITMAP FilledBitmap(int width, int height, COLORREF color, HICON icon = nullptr);

}  // namespace forms
