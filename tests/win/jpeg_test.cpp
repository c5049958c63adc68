// The JPEG decoder that shows the banner: the banner itself, pictures of
// known pixels, damaged data and the owner of the decoded bitmap.
#include <wincodec.h>

#include <cstring>
#include <set>

#include "core/error.h"
#include "forms/Jpeg.h"
#include "tests/win/resources_test.h"
#include "win32/ScopedWin.h"

namespace {

struct Pixel {
  int b, g, r;
};

// Reads a pixel straight from the DIB section's memory, as the window will
// blit it, so byte order and row padding are checked too.
Pixel PixelAt(const forms::JpegImage& image, int x, int y) {
  DIBSECTION ds = {};
  EXPECT_EQ(static_cast<int>(sizeof ds), GetObjectA(image.get(), sizeof ds, &ds));
  const int stride = (image.width() * 3 + 3) & ~3;
  const auto* p = static_cast<const unsigned char*>(ds.dsBm.bmBits) + y * stride + x * 3;
  return {p[0], p[1], p[2]};
}

// Pictures whose pixels are known exactly, from the system's own JPEG
// encoder at full quality.
std::vector<unsigned char> Encode(int width, int height, int components, const int rgb[3]) {
  using win32::ComPtr;
  win32::ScopedCom com;
  std::vector<unsigned char> bytes;
  {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(factory.receive()));
    if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.receive());
    if (SUCCEEDED(hr))
      hr = factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.receive());
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.receive(), options.receive());
    if (SUCCEEDED(hr)) {
      PROPBAG2 quality = {};
      quality.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
      VARIANT value;
      VariantInit(&value);
      value.vt = VT_R4;
      value.fltVal = 1.0f;
      hr = options->Write(1, &quality, &value);
    }
    if (SUCCEEDED(hr)) hr = frame->Initialize(options.get());
    if (SUCCEEDED(hr)) hr = frame->SetSize(width, height);
    WICPixelFormatGUID format = components == 1 ? GUID_WICPixelFormat8bppGray : GUID_WICPixelFormat24bppBGR;
    const WICPixelFormatGUID wanted = format;
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    EXPECT_TRUE(IsEqualGUID(wanted, format)) << "the encoder changed the pixel format";
    // Top-down rows in the encoder's byte order: grey, or B, G, R.
    const int stride = (width * components + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        for (int c = 0; c < components; ++c) {
          pixels[y * stride + x * components + c] = static_cast<BYTE>(rgb[components - 1 - c]);
        }
      }
    }
    if (SUCCEEDED(hr)) hr = frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data());
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(hr)) hr = GetHGlobalFromStream(stream.get(), &memory);
    EXPECT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
    if (SUCCEEDED(hr)) {
      STATSTG stat = {};
      stream->Stat(&stat, STATFLAG_NONAME);
      const auto* p = static_cast<const unsigned char*>(GlobalLock(memory));
      bytes.assign(p, p + stat.cbSize.QuadPart);
      GlobalUnlock(memory);
    }
  }
  return bytes;
}

// ---- JPEG decoder -----------------------------------------------------------

TEST(Jpeg, BannerDecodesAtItsDesignSize) {
  forms::JpegImage banner = forms::LoadJpegResource(Self(), IDR_BANNER);
  ASSERT_TRUE(banner);
  EXPECT_EQ(212, banner.width());
  EXPECT_EQ(312, banner.height());

  DIBSECTION ds = {};
  ASSERT_EQ(static_cast<int>(sizeof ds), GetObjectA(banner.get(), sizeof ds, &ds));
  EXPECT_EQ(24, ds.dsBm.bmBitsPixel);
  EXPECT_EQ(212, ds.dsBm.bmWidth);
  EXPECT_EQ(312, ds.dsBm.bmHeight);

  // Deep blue at the top, lighter blue at the bottom: checks the B, G, R order
  // and that row 0 is the picture's top.
  const Pixel top = PixelAt(banner, 2, 2);
  const Pixel bottom = PixelAt(banner, 2, 309);
  EXPECT_GT(top.b, top.r + 40);
  EXPECT_GT(bottom.b, bottom.r + 80);
  EXPECT_GT(bottom.b, top.b + 40);

  std::set<int> colours;
  int white = 0;
  for (int y = 0; y < banner.height(); ++y) {
    for (int x = 0; x < banner.width(); ++x) {
      const Pixel p = PixelAt(banner, x, y);
      colours.insert(p.r << 16 | p.g << 8 | p.b);
      if (p.r > 230 && p.g > 230 && p.b > 230) ++white;
    }
  }
  EXPECT_GT(colours.size(), 500u);
  EXPECT_GT(white, 300) << "the white lettering is missing";
}

TEST(Jpeg, KnownPicturesKeepTheirColoursAndShape) {
  struct Case {
    const char* name;
    int width, height, components;
    int in[3];
    Pixel expected;
  };
  const Case cases[] = {
      {"red", 8, 8, 3, {255, 0, 0}, {0, 0, 255}},
      {"blue", 8, 8, 3, {0, 0, 255}, {255, 0, 0}},
      {"padded rows", 13, 5, 3, {40, 160, 90}, {90, 160, 40}},
      {"grey expanded", 7, 3, 1, {128, 0, 0}, {128, 128, 128}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<unsigned char> jpeg = Encode(c.width, c.height, c.components, c.in);
    forms::JpegImage image = forms::DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_EQ(c.width, image.width());
    ASSERT_EQ(c.height, image.height());
    // Every pixel, the last of each row included, so padding is accounted for.
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const Pixel p = PixelAt(image, x, y);
        ASSERT_NEAR(c.expected.b, p.b, 6) << x << "," << y;
        ASSERT_NEAR(c.expected.g, p.g, 6) << x << "," << y;
        ASSERT_NEAR(c.expected.r, p.r, 6) << x << "," << y;
      }
    }
  }
}

TEST(Jpeg, DamagedDataIsAnErrorNotACrash) {
  const std::string banner = RcData(IDR_BANNER);
  ASSERT_GT(banner.size(), 1000u);

  std::string lossless = banner;
  const size_t sof = lossless.find("\xFF\xC0", 0, 2);
  ASSERT_NE(std::string::npos, sof);
  lossless[sof + 1] = '\xC3';  // lossless process, not supported

  std::string zero_width = banner;
  zero_width[sof + 7] = zero_width[sof + 8] = '\0';

  std::string scrambled = banner;
  for (size_t i = banner.size() / 2; i < banner.size() / 2 + 64; ++i) scrambled[i] = '\xFF';

  struct Case {
    const char* name;
    std::string data;
  };
  const Case cases[] = {
      {"empty", ""},
      {"not a JPEG", "GIF89a this is not a JPEG picture at all"},
      {"header only", banner.substr(0, 600)},
      {"truncated", banner.substr(0, banner.size() / 2)},
      {"unsupported process", lossless},
      {"zero width", zero_width},
      {"scrambled scan", scrambled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      forms::DecodeJpeg(c.data.data(), c.data.size());
      ADD_FAILURE() << "decoded without an error";
    } catch (const core::Error& e) {
      EXPECT_EQ(0, std::strncmp(e.what(), "Cannot decode JPEG image: ", 26)) << e.what();
      EXPECT_GT(std::strlen(e.what()), 26u) << "no reason given";
    }
  }
  // The decoder is left usable.
  EXPECT_EQ(212, forms::DecodeJpeg(banner.data(), banner.size()).width());
}

TEST(Jpeg, MissingResourceIsNamedInTheError) {
  try {
    forms::LoadJpegResource(Self(), 4242);
    FAIL() << "no error";
  } catch (const core::Error& e) {
    EXPECT_STREQ("Resource 4242 not found", e.what());
  }
  // Decoded on its own thread, the error reaches the one who takes it.
  forms::JpegLoad load(Self(), 4242);
  try {
    load.Take();
    FAIL() << "no error from the thread";
  } catch (const core::Error& e) {
    EXPECT_STREQ("Resource 4242 not found", e.what());
  }
}

TEST(Jpeg, DecodedOnAThreadItIsTheSamePicture) {
  const forms::JpegImage direct = forms::LoadJpegResource(Self(), IDR_BANNER);
  forms::JpegLoad load(Self(), IDR_BANNER);
  const forms::JpegImage threaded = load.Take();
  ASSERT_TRUE(threaded);
  ASSERT_EQ(direct.width(), threaded.width());
  ASSERT_EQ(direct.height(), threaded.height());
  for (int y = 0; y < direct.height(); y += 7) {
    for (int x = 0; x < direct.width(); x += 5) {
      const Pixel a = PixelAt(direct, x, y), b = PixelAt(threaded, x, y);
      ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << x << "," << y;
    }
  }
}

TEST(Jpeg, OwnershipMovesAndReleases) {
  forms::JpegImage a = forms::LoadJpegResource(Self(), IDR_BANNER);
  const HBITMAP h = a.get();
  forms::JpegImage b = std::move(a);
  EXPECT_FALSE(a);
  EXPECT_EQ(h, b.get());
  EXPECT_EQ(212, b.width());
  const HBITMAP released = b.release();
  EXPECT_FALSE(b);
  EXPECT_EQ(h, released);
  EXPECT_NE(0, GetObjectA(released, 0, nullptr)) << "released bitmap was deleted";
  EXPECT_TRUE(DeleteObject(released));
}

}  // namespace
