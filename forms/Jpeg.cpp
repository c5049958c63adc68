#include "forms/Jpeg.h"

#include <wincodec.h>

#include <utility>
#include <vector>

#include "core/error.h"
#include "win32/Resource.h"
#include "win32/ScopedWin.h"

namespace forms {
namespace {

constexpr int kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;
constexpr int kConvertedBytesPerPixel = 4;

int DibStride(int width) { return (width * kBytesPerPixel + 3) & ~3; }

[[noreturn]] void Fail(const char* what, HRESULT hr) {
  throw core::Error(core::Format("Cannot decode JPEG image: %s (0x%08lX)", what,
                                 static_cast<unsigned long>(hr)));
}

void Check(HRESULT hr, const char* what) {
  if (FAILED(hr)) Fail(what, hr);
}

// JPEG markers (ITU-T T.81, table B.1).
constexpr unsigned char kSoi = 0xD8, kEoi = 0xD9, kSos = 0xDA, kDht = 0xC4, kJpg = 0xC8,
                        kDac = 0xCC, kRst0 = 0xD0, kRst7 = 0xD7, kTem = 0x01;

bool IsFrameMarker(unsigned char m) { return m >= 0xC0 && m <= 0xCF && m != kDht && m != kJpg && m != kDac; }
bool IsSegmentMarker(unsigned char m) {
  return (m >= 0xC0 && m <= 0xCF) || (m >= 0xDB && m <= 0xEF) || m == 0xFE || m == kSos;
}

// The system's decoder papers over damaged data (a scrambled scan decodes to
// garbage without an error), and a damaged banner is a broken build. So the
// segment structure is walked first: known markers, lengths within the data,
// entropy-coded data ending in a marker, a supported frame, and the end mark.
const char* StructureProblem(const unsigned char* p, std::size_t n) {
  if (n < 4 || p[0] != 0xFF || p[1] != kSoi) return "not a JPEG picture";
  std::size_t i = 2;
  bool frame = false;
  bool scan = false;
  for (;;) {
    if (i >= n) return "truncated data";
    if (p[i] != 0xFF) return "damaged segment structure";
    while (i < n && p[i] == 0xFF) ++i;  // fill bytes
    if (i >= n) return "truncated data";
    const unsigned char m = p[i++];
    if (m == kEoi) return frame && scan ? nullptr : "no picture in the data";
    if (m == kTem) continue;
    if (!IsSegmentMarker(m)) return "damaged segment structure";
    if (i + 2 > n) return "truncated data";
    const std::size_t length = static_cast<std::size_t>(p[i]) << 8 | p[i + 1];
    if (length < 2 || length > n - i) return "truncated data";
    if (IsFrameMarker(m)) {
      // Baseline, extended and progressive Huffman coding only.
      if (m > 0xC2) return "unsupported JPEG process";
      if (length < 8) return "damaged frame header";
      const unsigned height = p[i + 3] << 8 | p[i + 4];
      const unsigned width = p[i + 5] << 8 | p[i + 6];
      if (width == 0 || height == 0) return "zero width or height";
      frame = true;
    }
    i += length;
    if (m != kSos) continue;
    if (!frame) return "damaged segment structure";
    scan = true;
    // Entropy-coded data: 0xFF is followed by a stuffed 0, a restart marker,
    // more fill, or the marker that ends the scan.
    for (;;) {
      while (i < n && p[i] != 0xFF) ++i;
      std::size_t j = i + 1;
      while (j < n && p[j] == 0xFF) ++j;
      if (j >= n) return "truncated data";
      if (p[j] != 0 && (p[j] < kRst0 || p[j] > kRst7)) {
        i = j - 1;
        break;
      }
      i = j + 1;
    }
  }
}

}  // namespace

JpegImage DecodeJpeg(const void* data, std::size_t size) {
  if (!data || size == 0) throw core::Error("Cannot decode JPEG image: no data");
  // IWICStream takes a DWORD size.
  if (size > 0xFFFFFFFFu) throw core::Error("Cannot decode JPEG image: too large");
  if (const char* problem = StructureProblem(static_cast<const unsigned char*>(data), size))
    throw core::Error(core::Format("Cannot decode JPEG image: %s", problem));

  // The decoder is a COM object; tests call this before joining an apartment.
  win32::ScopedCom com;
  using win32::ComPtr;
  // Windows' own decoder, created through COM rather than linked:
  // windowscodecs.dll is no known DLL, so a static import could be planted.
  // The first factory by name: newer headers make CLSID_WICImagingFactory
  // the second one, which Windows 7 lacks.
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(factory.receive())),
        "no imaging component");
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(stream.receive()), "no stream");
  Check(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)),
                                     static_cast<DWORD>(size)),
        "no stream");
  ComPtr<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, decoder.receive()),
        "no JPEG decoder");
  Check(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand), "not a JPEG picture");
  ComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, frame.receive()), "no picture in the data");
  // DIB byte order (B, G, R, unused); grey pictures are expanded. Every
  // decoder converts to 32 bits, not every one (Wine's) grey to 24.
  ComPtr<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(converter.receive()), "no format converter");
  Check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom),
        "cannot convert to colour");
  UINT width = 0, height = 0;
  Check(converter->GetSize(&width, &height), "no size");
  if (width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF)
    Fail("unusable size", E_INVALIDARG);

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = kBitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  JpegImage image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0),
                  static_cast<int>(width), static_cast<int>(height));
  if (!image) {
    throw core::Error(core::Format("Cannot decode JPEG image: out of memory for a %ux%u picture",
                                   width, height));
  }
  const UINT converted_stride = width * kConvertedBytesPerPixel;
  std::vector<BYTE> converted(static_cast<std::size_t>(converted_stride) * height);
  Check(converter->CopyPixels(nullptr, converted_stride, static_cast<UINT>(converted.size()),
                              converted.data()),
        "damaged picture data");
  const std::size_t stride = DibStride(static_cast<int>(width));
  for (UINT y = 0; y < height; ++y) {
    const BYTE* from = converted.data() + static_cast<std::size_t>(y) * converted_stride;
    BYTE* to = static_cast<BYTE*>(bits) + y * stride;
    for (UINT x = 0; x < width; ++x, from += kConvertedBytesPerPixel, to += kBytesPerPixel) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
  GdiFlush();
  return image;
}

JpegImage LoadJpegResource(HMODULE module, int id) {
  const core::Bytes bytes = win32::ResourceBytes(module, MAKEINTRESOURCEA(id));
  if (!bytes.data) throw core::Error(core::Format("Resource %d not found", id));
  return DecodeJpeg(bytes.data, bytes.size);
}

JpegLoad::JpegLoad(HMODULE module, int id)
    : module_(module), id_(id), thread_(CreateThread(nullptr, 0, Decode, this, 0, nullptr)) {}

JpegLoad::~JpegLoad() {
  if (thread_.valid()) WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI JpegLoad::Decode(void* self) {
  auto* load = static_cast<JpegLoad*>(self);
  try {
    load->image_ = LoadJpegResource(load->module_, load->id_);
  } catch (...) {
    load->error_ = std::current_exception();
  }
  return 0;
}

JpegImage JpegLoad::Take() {
  if (thread_.valid()) {
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset(nullptr);
  } else if (!image_ && !error_) {
    Decode(this);
  }
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  return std::move(image_);
}

}  // namespace forms
