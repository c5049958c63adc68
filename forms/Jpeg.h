// JPEG pictures decoded into 24-bit top-down DIB sections by the system's own
// decoder (Windows Imaging Component).
#pragma once

#include <windows.h>

#include <cstddef>
#include <exception>

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

// LoadJpegResource on a thread of its own, begun at once, so that the
// decoding overlaps the building of the windows. Take() waits for it and
// returns the picture or throws what the decoding threw; without a thread
// it decodes there and then.
class JpegLoad {
 public:
  JpegLoad(HMODULE module, int id);
  ~JpegLoad();
  JpegLoad(const JpegLoad&) = delete;
  JpegLoad& operator=(const JpegLoad&) = delete;

  JpegImage Take();

 private:
  static DWORD WINAPI Decode(void* self);

  HMODULE module_;
  int id_;
  JpegImage image_;
  std::exception_ptr error_;
  win32::ScopedHandle thread_;
};

}  // namespace forms
