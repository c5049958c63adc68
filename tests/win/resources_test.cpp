// The installer's own resources, linked into this test program as they are
// into the installer: the agreement, icons, glyphs, version record, manifest.
#include "tests/win/resources_test.h"

#include <cstdio>
#include <cstring>

#include "win32/Prefetch.h"
#include "win32/ScopedWin.h"

namespace {

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
  const win32::Bitmap bitmap(static_cast<HBITMAP>(
      LoadImageA(Self(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!bitmap) return {};
  BITMAP bm = {};
  GetObjectA(bitmap.get(), sizeof bm, &bm);
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
  GetDIBits(win32::WindowDC().get(), bitmap.get(), 0, bm.bmHeight, pixels.data(), &bi,
            DIB_RGB_COLORS);
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
  // The build's own version, in both fixed fields.
  unsigned major = 0, minor = 0, patch = 0, build = 0;
  ASSERT_EQ(4, std::sscanf(SETUP_VERSION, "%u.%u.%u.%u", &major, &minor, &patch, &build));
  EXPECT_EQ(major << 16 | minor, fixed->dwFileVersionMS);
  EXPECT_EQ(patch << 16 | build, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
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
      {"FileVersion", SETUP_VERSION},
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
#ifdef _WIN64
      "processorArchitecture=\"amd64\"",
#else
      "processorArchitecture=\"x86\"",
#endif
  };
  for (const char* r : required) EXPECT_NE(std::string::npos, manifest.find(r)) << r;
  EXPECT_EQ(std::string::npos, manifest.find("Common-Controls"));
}

// ---- the span read ahead -----------------------------------------------------

BOOL CALLBACK CheckInSpan(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR spanParam) {
  const auto& span = *reinterpret_cast<const core::Bytes*>(spanParam);
  const core::Bytes b = win32::ResourceBytes(module, name, type);
  EXPECT_TRUE(b.data >= span.data && b.data + b.size <= span.data + span.size)
      << "resource " << (IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name))
                                               : std::string(name));
  return TRUE;
}

BOOL CALLBACK EachType(HMODULE module, LPSTR type, LONG_PTR span) {
  EnumResourceNamesA(module, type, CheckInSpan, span);
  return TRUE;
}

TEST(ResourceSpan, HoldsEveryResourceOfTheImage) {
  const core::Bytes span = win32::ResourceSpan(Self());
  ASSERT_NE(nullptr, span.data);
  EnumResourceTypesA(Self(), EachType, reinterpret_cast<LONG_PTR>(&span));

  // A module loaded as a data file is no mapped image: nothing to read ahead.
  // (A program not loaded already, or the loaded image would be returned.)
  char path[MAX_PATH];
  const UINT n = GetSystemDirectoryA(path, MAX_PATH);
  ASSERT_TRUE(n > 0 && n < MAX_PATH - 20);
  lstrcatA(path, "\\notepad.exe");
  const HMODULE data = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, data);
  EXPECT_EQ(nullptr, win32::ResourceSpan(data).data);
  FreeLibrary(data);
  EXPECT_EQ(nullptr, win32::ResourceSpan(nullptr).data);
}

}  // namespace
