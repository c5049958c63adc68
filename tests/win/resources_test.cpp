// The installer's own resources, linked into this test program as they are
// into the installer, and the JPEG decoder that shows the banner.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <wincodec.h>

#include "core/error.h"
#include "forms/Jpeg.h"
#include "resources/resource_ids.h"
#include "tools/ScopedWin.h"

namespace {

HMODULE Self() { return GetModuleHandleA(nullptr); }

std::string Resource(LPCSTR name, LPCSTR type) {
  HRSRC info = FindResourceA(Self(), name, type);
  if (!info) return {};
  HGLOBAL data = LoadResource(Self(), info);
  return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(Self(), info));
}

std::string Resource(int id, LPCSTR type) { return Resource(MAKEINTRESOURCEA(id), type); }

std::string RcData(int id) { return Resource(id, RT_RCDATA); }

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
  using tools::ComPtr;
  tools::ScopedCom com;
  std::vector<unsigned char> bytes;
  {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, factory.receive());
    if (SUCCEEDED(hr)) hr = CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(stream.receive()));
    if (SUCCEEDED(hr)) {
      hr = factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr,
                                  reinterpret_cast<IWICBitmapEncoder**>(encoder.receive()));
    }
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) {
      hr = encoder->CreateNewFrame(reinterpret_cast<IWICBitmapFrameEncode**>(frame.receive()),
                                   reinterpret_cast<IPropertyBag2**>(options.receive()));
    }
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

// ---- agreement text ---------------------------------------------------------

TEST(Agreement, HasEightyOneFixedPitchLinesWithElevenClauses) {
  const std::string text = RcData(IDR_AGREEMENT);
  ASSERT_FALSE(text.empty());
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ("\r\n", text.substr(text.size() - 2));

  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF in line " << lines.size() + 1;
      lines.push_back(text.substr(start, i - 1 - start));
      start = i + 1;
    }
  }
  ASSERT_EQ(text.size(), start) << "text after the last line break";
  ASSERT_EQ(81u, lines.size());

  EXPECT_NE(std::string::npos, lines[0].find("PULTIX"));
  EXPECT_NE(std::string::npos, lines[0].find("LICENCE AGREEMENT"));

  int clause = 0;
  size_t indent = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string& line = lines[n];
    SCOPED_TRACE("line " + std::to_string(n + 1) + ": " + line);
    EXPECT_LE(line.size(), 62u);
    for (char ch : line) EXPECT_TRUE(ch >= ' ' && ch <= '~') << "not printable ASCII";
    if (n == 0 || line.empty()) continue;
    const std::string number = std::to_string(clause + 1) + ". ";
    if (line.compare(0, number.size(), number) == 0) {
      ++clause;
      indent = number.size();
      EXPECT_NE(' ', line[indent]);
    } else {
      // A continuation: hanging indent aligned after the clause's number.
      ASSERT_GT(clause, 0) << "text before the first clause";
      EXPECT_EQ(std::string(indent, ' '), line.substr(0, indent));
      EXPECT_NE(' ', line[indent]);
    }
  }
  EXPECT_EQ(11, clause);
}

// ---- icons ------------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bit_count;
  DWORD bytes;
  WORD id;
};
struct GroupIconDir {
  WORD reserved, type, count;
  GroupIconEntry entries[1];
};
#pragma pack(pop)

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(out);
  names->push_back(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name))
                                        : std::string(name));
  return TRUE;
}

TEST(Icons, ProgramIconIsTheFirstIconGroup) {
  std::vector<std::string> groups;
  EnumResourceNamesA(Self(), RT_GROUP_ICON, CollectName,
                     reinterpret_cast<LONG_PTR>(&groups));
  ASSERT_FALSE(groups.empty());
  EXPECT_EQ("#" + std::to_string(IDI_SETUP), groups.front());
  for (const std::string& g : groups) EXPECT_EQ('#', g[0]) << "named icon group " << g;
}

TEST(Icons, BothAre32By32SixteenColoursAndDiffer) {
  std::vector<std::string> images;
  for (int id : {IDI_SETUP, IDI_MAINWINDOW}) {
    SCOPED_TRACE(id);
    const std::string group = Resource(id, RT_GROUP_ICON);
    ASSERT_GE(group.size(), sizeof(GroupIconDir));
    GroupIconDir dir;
    std::memcpy(&dir, group.data(), sizeof dir);
    ASSERT_EQ(1, dir.count);
    const GroupIconEntry& e = dir.entries[0];
    EXPECT_EQ(32, e.width);
    EXPECT_EQ(32, e.height);
    EXPECT_EQ(16, e.colours);
    EXPECT_EQ(4, e.bit_count);

    // The image itself, not just the directory, is 4 bits per pixel.
    const std::string image = Resource(e.id, RT_ICON);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, image.data(), sizeof bih);
    EXPECT_EQ(4, bih.biBitCount);
    EXPECT_EQ(32, bih.biWidth);
    EXPECT_EQ(64, bih.biHeight);  // colour and mask
    images.push_back(image);

    HICON icon = static_cast<HICON>(
        LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(32, bm.bmWidth);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  ASSERT_EQ(2u, images.size());
  EXPECT_NE(images[0], images[1]);
}

// ---- glyphs -----------------------------------------------------------------

// 32-bit top-down copy of a bitmap resource, as 0x00RRGGBB values.
std::vector<DWORD> GlyphPixels(int id, int* width, int* height) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return {};
  BITMAP bm = {};
  GetObjectA(bitmap, sizeof bm, &bm);
  *width = bm.bmWidth;
  *height = bm.bmHeight;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(bm.bmWidth * bm.bmHeight);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bitmap);
  for (DWORD& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

constexpr DWORD kOlive = 0x808000;
constexpr DWORD kRed = 0xFF0000;
constexpr DWORD kLime = 0x00FF00;
constexpr DWORD kGrey = 0x808080;
constexpr DWORD kBlack = 0x000000;

TEST(Glyphs, EachHasItsSizeColoursAndTransparentCorner) {
  struct Case {
    const char* name;
    int id, width, height;
    std::vector<DWORD> must_have;
  };
  const Case cases[] = {
      {"OK", IDB_GLYPH_OK, 16, 16, {kLime}},
      {"Cancel", IDB_GLYPH_CANCEL, 16, 16, {kRed}},
      {"Cancel of the agreement", IDB_GLYPH_CANCEL_AGREEMENT, 32, 16, {kRed, kGrey}},
      {"No", IDB_GLYPH_NO, 16, 16, {kRed}},
      {"Next", IDB_GLYPH_NEXT, 13, 13, {kLime, kBlack}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int w = 0, h = 0;
    const std::vector<DWORD> px = GlyphPixels(c.id, &w, &h);
    ASSERT_FALSE(px.empty());
    EXPECT_EQ(c.width, w);
    EXPECT_EQ(c.height, h);
    // Bitmap buttons take the bottom-left pixel as the transparent colour.
    const DWORD clear = px[(h - 1) * w];
    EXPECT_EQ(kOlive, clear);
    int opaque = 0;
    for (DWORD p : px) opaque += p != clear;
    EXPECT_GT(opaque, w * h / 8) << "almost empty";
    EXPECT_LT(opaque, w * h) << "no transparent background";
    for (DWORD colour : c.must_have) {
      bool found = false;
      for (DWORD p : px) found = found || p == colour;
      EXPECT_TRUE(found) << std::hex << colour;
    }
  }
}

TEST(Glyphs, AgreementCancelHoldsTheCrossAndItsDisabledForm) {
  int w = 0, h = 0;
  const std::vector<DWORD> px = GlyphPixels(IDB_GLYPH_CANCEL_AGREEMENT, &w, &h);
  ASSERT_EQ(32, w);
  ASSERT_EQ(16, h);
  int plain_w = 0, plain_h = 0;
  const std::vector<DWORD> cross = GlyphPixels(IDB_GLYPH_CANCEL, &plain_w, &plain_h);
  ASSERT_EQ(16, plain_w);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(cross[y * 16 + x], px[y * 32 + x]) << "enabled half differs at " << x << "," << y;
      const DWORD right = px[y * 32 + 16 + x];
      EXPECT_TRUE(right == kOlive || right == kGrey || right == 0xFFFFFF)
          << "disabled half is not grey and white at " << x << "," << y;
    }
  }
}

// ---- version record and manifest --------------------------------------------

struct VersionRecord {
  std::vector<char> data;
  explicit VersionRecord(const char* path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    data.resize(size);
    if (size && !GetFileVersionInfoA(path, 0, size, data.data())) data.clear();
  }
};

std::string SelfPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

TEST(Version, FixedFieldsAndTranslation) {
  VersionRecord v(SelfPath().c_str());
  ASSERT_FALSE(v.data.empty());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(v.data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
  ASSERT_EQ(sizeof *fixed, len);
  EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
  EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
  EXPECT_EQ(88u, fixed->dwFileVersionLS);
  EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
  EXPECT_EQ(88u, fixed->dwProductVersionLS);
  EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
  EXPECT_EQ(static_cast<DWORD>(VS_FF_PRERELEASE), fixed->dwFileFlags);
  EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(v.data.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &len));
  ASSERT_EQ(4u, len);
  EXPECT_EQ(0x0415, translation[0]);
  EXPECT_EQ(1250, translation[1]);
}

TEST(Version, StringsIncludingTheEmptyOnes) {
  VersionRecord v(SelfPath().c_str());
  ASSERT_FALSE(v.data.empty());
  struct Field {
    const char* name;
    const char* value;
  };
  const Field fields[] = {
      {"CompanyName", "Vorlen "},
      {"FileDescription", "Program instalacyjny"},
      {"FileVersion", "1.0.0.88"},
      {"ProductVersion", "1.0.0.0"},
      {"InternalName", ""},
      {"LegalTrademarks", ""},
      {"OriginalFilename", ""},
      {"ProductName", ""},
      {"Comments", ""},
  };
  for (const Field& f : fields) {
    SCOPED_TRACE(f.name);
    const std::string key = std::string("\\StringFileInfo\\041504E2\\") + f.name;
    char* value = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(v.data.data(), key.c_str(), reinterpret_cast<void**>(&value), &len))
        << "field missing";
    if (*f.value) {
      // The length counts the terminating null.
      EXPECT_EQ(std::strlen(f.value) + 1, len);
      EXPECT_STREQ(f.value, value);
    } else {
      EXPECT_LE(len, 1u);
      if (len) EXPECT_EQ('\0', value[0]);
    }
  }
  // Nothing beyond the record's own fields.
  char* value = nullptr;
  UINT len = 0;
  EXPECT_FALSE(VerQueryValueA(v.data.data(), "\\StringFileInfo\\041504E2\\LegalCopyright",
                              reinterpret_cast<void**>(&value), &len));
}

TEST(Manifest, DpiAwareHighestAvailableClassicControls) {
  const std::string manifest = Resource(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_FALSE(manifest.empty());
  const char* required[] = {
      "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
      "level=\"highestAvailable\"",
      "uiAccess=\"false\"",
      "{e2011457-1546-43c5-a5fe-008deee3d3f0}",
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
  };
  for (const char* r : required) EXPECT_NE(std::string::npos, manifest.find(r)) << r;
  EXPECT_EQ(std::string::npos, manifest.find("Common-Controls"));
}

}  // namespace
