// JPEG pictures decoded into 24-bit top-down DIB sections by the system's own
// decoder (Windows Imaging Component).
#pragma once

#include <windows.h>

#include <cstddef>

#include "win32/ScopedWin.h"

namespace forms {

// Owns the decoded picture's HBITMAP: a DIB section, 24 bits per pixel,
// top-down, rows padded to 4 bytes, pixels in DIB byte order (B, G, R).
class JpegImage {
 public:
  JpegImage() = default;
  JpegImage(HBITMAP bitmap, int width, int height)
      : bitmap_(bitmap), width_(width), height_(height) {}

  HBITMAP get() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  explicit operator bool() const { return static_cast<bool>(bitmap_); }
  // Hands the bitmap to the caller, who must DeleteObject it.
  HBITMAP release() {
    width_ = height_ = 0;
    return bitmap_.release();
  }

 private:
  win32::Bitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

// Decodes a JPEG held in memory. Throws core::Error when the data is not a
// JPEG the decoder can read completely (corrupt or truncated data included).
JpegImage DecodeJpeg(const void* data, std::size_t size);

// Decodes the RCDATA resource with the numeric id of the module. Throws
// core::Error when it is missing or cannot be decoded.
JpegImage LoadJpegResource(HMODULE module, int id);

}  // namespace forms
