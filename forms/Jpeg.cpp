#include "forms/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "core/error.h"

namespace forms {
namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return.
// It jumps back to DecodeToDib, whose frame holds no C++ objects with
// destructors, so the jump skips nothing; the C++ exception is thrown only
// after libjpeg's state has been released.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings mean corrupt data that libjpeg would paper over (a truncated file
// becomes grey); a damaged picture is a broken build, so treat it as fatal.
// Trace messages (level >= 0) are dropped: a GUI program has no stderr.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) (*cinfo->err->error_exit)(cinfo);
}

void Silent(j_common_ptr) {}

constexpr int kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;

int DibStride(int width) { return (width * kBytesPerPixel + 3) & ~3; }

// Plain C-style decoding: only trivially destructible locals, so longjmp out
// of libjpeg back to the setjmp here is well defined. On failure returns null
// and leaves the reason in message.
HBITMAP DecodeToDib(const unsigned char* data, unsigned long size, int* width,
                    int* height, char (&message)[JMSG_LENGTH_MAX]) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  // volatile: modified after setjmp and read after the jump back.
  HBITMAP volatile bitmap = nullptr;

  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.pub.output_message = Silent;
  err.message[0] = '\0';

  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    if (bitmap) DeleteObject(bitmap);
    std::memcpy(message, err.message, sizeof message);
    return nullptr;
  }

  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, size);
  jpeg_read_header(&cinfo, TRUE);
  // libjpeg-turbo writes DIB byte order directly; grey pictures are expanded.
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(cinfo.output_width);
  info.bmiHeader.biHeight = -static_cast<LONG>(cinfo.output_height);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) {
    jpeg_destroy_decompress(&cinfo);
    std::snprintf(message, sizeof message, "Out of memory for a %ux%u picture",
                  cinfo.output_width, cinfo.output_height);
    return nullptr;
  }

  const int stride = DibStride(static_cast<int>(cinfo.output_width));
  auto* rows = static_cast<unsigned char*>(bits);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = rows + static_cast<size_t>(cinfo.output_scanline) * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  *width = static_cast<int>(cinfo.output_width);
  *height = static_cast<int>(cinfo.output_height);
  jpeg_destroy_decompress(&cinfo);
  GdiFlush();
  return bitmap;
}

}  // namespace

JpegImage::~JpegImage() {
  if (bitmap_) DeleteObject(bitmap_);
}

JpegImage::JpegImage(JpegImage&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

JpegImage& JpegImage::operator=(JpegImage&& other) noexcept {
  if (this != &other) {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

HBITMAP JpegImage::release() {
  width_ = height_ = 0;
  return std::exchange(bitmap_, nullptr);
}

JpegImage DecodeJpeg(const void* data, std::size_t size) {
  if (!data || size == 0) throw core::Error("Cannot decode JPEG image: no data");
  // jpeg_mem_src takes an unsigned long, 32 bits on Windows.
  if (size > 0xFFFFFFFFu) throw core::Error("Cannot decode JPEG image: too large");
  char message[JMSG_LENGTH_MAX];
  int width = 0;
  int height = 0;
  HBITMAP bitmap = DecodeToDib(static_cast<const unsigned char*>(data),
                               static_cast<unsigned long>(size), &width, &height,
                               message);
  if (!bitmap) throw core::Error(core::Format("Cannot decode JPEG image: %s", message));
  return JpegImage(bitmap, width, height);
}

JpegImage LoadJpegResource(HMODULE module, int id) {
  // Resources live as long as the module; nothing to free.
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), RT_RCDATA);
  HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw core::Error(core::Format("Resource %d not found", id));
  return DecodeJpeg(data, SizeofResource(module, info));
}

}  // namespace forms
