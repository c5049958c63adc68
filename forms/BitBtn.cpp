#include "forms/BitBtn.h"

#include <algorithm>
#include <cstring>

#include "forms/Offscreen.h"

namespace forms {

namespace {

constexpr ControlClass kClass{"BUTTON", BS_OWNERDRAW, 0, true};

const char* StockCaption(BitBtnKind kind) {
  switch (kind) {
    case BitBtnKind::OK: return "OK";
    case BitBtnKind::Cancel: return "Cancel";
    case BitBtnKind::No: return "&No";
    case BitBtnKind::Custom: break;
  }
  return "";
}

GlyphArt StockGlyph(BitBtnKind kind) {
  switch (kind) {
    case BitBtnKind::OK: return GlyphArt::Check;
    case BitBtnKind::Cancel: return GlyphArt::Cross;
    case BitBtnKind::No: return GlyphArt::NoSign;
    case BitBtnKind::Custom: break;
  }
  return GlyphArt::None;
}

int StockModalResult(BitBtnKind kind) {
  switch (kind) {
    case BitBtnKind::OK: return mrOk;
    case BitBtnKind::Cancel: return mrCancel;
    case BitBtnKind::No: return mrNo;
    case BitBtnKind::Custom: break;
  }
  return mrNone;
}

COLORREF ToColor(std::uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }


// Built-in glyphs; '.' is the transparent colour and sits bottom-left.
const char* const kCheck[] = {
    ".............", "...........g.", "..........gg.", ".........ggg.", "g.......ggg..",
    "gg.....ggg...", "ggg...ggg....", ".ggg.ggg.....", "..ggggg......", "...ggg.......",
    "....g........", ".............", ".............",
};
const char* const kCross[] = {
    ".............", ".rr.......rr.", ".rrr.....rrr.", "..rrr...rrr..", "...rrr.rrr...",
    "....rrrrr....", ".....rrr.....", "....rrrrr....", "...rrr.rrr...", "..rrr...rrr..",
    ".rrr.....rrr.", ".rr.......rr.", ".............",
};
const char* const kNoSign[] = {
    "....rrrrr....", "..rrrrrrrrr..", ".rrr.....rrr.", ".rr.....rrrr.", "rr.....rrr.rr",
    "rr....rrr..rr", "rr...rrr...rr", "rr..rrr....rr", "rr.rrr.....rr", ".rrrr.....rr.",
    ".rrr.....rrr.", "..rrrrrrrrr..", "....rrrrr....",
};
// A green arrow pointing right, then a chevron, outlined in black.
const char* const kNextArrow[] = {
    ".............", "....k........", "....kk.......", "....kgk......", "kkkkkggk..k..",
    "kgggggggk.gk.", "kggggggggk.gk", "kgggggggk.gk.", "kkkkkggk..k..", "....kgk......",
    "....kk.......", "....k........", ".............",
};

std::uint32_t ArtColour(char c) {
  switch (c) {
    case 'g': return 0x00A000;
    case 'k': return 0x000000;
    case 'r': return 0xDC0000;
    default: return 0x008080;  // teal: never used by the pictures themselves
  }
}

template <size_t N>
Pixels FromArt(const char* const (&rows)[N]) {
  Pixels p;
  p.height = static_cast<int>(N);
  p.width = static_cast<int>(strlen(rows[0]));
  for (const char* row : rows)
    for (int x = 0; x < p.width; ++x) p.data.push_back(ArtColour(row[x]));
  return p;
}

bool IsDark(std::uint32_t p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return r * 30 + g * 59 + b * 11 < 192 * 100;
}

Pixels GlyphFromArt(GlyphArt art) {
  switch (art) {
    case GlyphArt::Check: return FromArt(kCheck);
    case GlyphArt::Cross: return FromArt(kCross);
    case GlyphArt::NoSign: return FromArt(kNoSign);
    case GlyphArt::NextArrow: return FromArt(kNextArrow);
    case GlyphArt::None: break;
  }
  return {};
}

Pixels GlyphFromBitmap(HBITMAP bitmap) {
  Pixels p;
  BITMAP bm{};
  if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return p;
  p.width = bm.bmWidth;
  p.height = bm.bmHeight;
  p.data.resize(static_cast<size_t>(p.width) * p.height);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  const int rows = GetDIBits(win32::WindowDC().get(), bitmap, 0, p.height, p.data.data(), &bi,
                            DIB_RGB_COLORS);
  if (rows != p.height) return {};
  for (std::uint32_t& px : p.data) px &= 0xFFFFFF;
  return p;
}

Pixels GlyphImage(const Pixels& strip, int index) {
  const int count = GlyphCount(strip);
  if (index >= count) return {};
  Pixels p;
  p.width = strip.width / count;
  p.height = strip.height;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) p.data.push_back(strip.at(index * p.width + x, y));
  return p;
}

void DrawGlyph(HDC dc, int x, int y, const Pixels& glyph) {
  if (glyph.empty()) return;
  const std::uint32_t clear = glyph.transparent();
  for (int gy = 0; gy < glyph.height; ++gy)
    for (int gx = 0; gx < glyph.width; ++gx) {
      const std::uint32_t p = glyph.at(gx, gy);
      if (p != clear) SetPixelV(dc, x + gx, y + gy, ToColor(p));
    }
}

}  // namespace

const char* CaptionOf(const ControlDef& c) {
  if (c.caption) return c.caption;
  return c.kind == Kind::BitBtn ? StockCaption(c.buttonKind) : "";
}

int ModalResultOf(const ControlDef& c) {
  if (c.modalResult != mrNone) return c.modalResult;
  return c.kind == Kind::BitBtn ? StockModalResult(c.buttonKind) : mrNone;
}

bool IsDefaultButton(const ControlDef& c) {
  return (c.settings & kDefault) || (c.kind == Kind::BitBtn && c.buttonKind == BitBtnKind::OK);
}

bool IsCancelButton(const ControlDef& c) {
  return (c.settings & kCancel) ||
         (c.kind == Kind::BitBtn &&
          (c.buttonKind == BitBtnKind::Cancel || c.buttonKind == BitBtnKind::No));
}

int GlyphCount(const Pixels& strip) {
  if (strip.empty() || strip.height == 0) return 0;
  if (strip.width > strip.height && strip.width % strip.height == 0)
    return std::min(strip.width / strip.height, 4);
  return 1;
}

Pixels DisabledGlyph(const Pixels& glyph, COLORREF highlight, COLORREF shadow) {
  if (glyph.empty()) return {};
  const std::uint32_t clear = glyph.transparent();
  Pixels out = glyph;
  std::fill(out.data.begin(), out.data.end(), clear);
  auto ink = [&](int x, int y) {
    const std::uint32_t p = glyph.at(x, y);
    return p != clear && IsDark(p);
  };
  for (int y = 0; y < glyph.height; ++y)
    for (int x = 0; x < glyph.width; ++x) {
      if (ink(x, y)) {
        out.data[static_cast<size_t>(y) * out.width + x] = ToPixel(shadow);
      } else if (x > 0 && y > 0 && ink(x - 1, y - 1)) {
        out.data[static_cast<size_t>(y) * out.width + x] = ToPixel(highlight);
      }
    }
  return out;
}

void PaintBitBtn(HDC dc, const RECT& rect, const char* caption, HFONT font, const Pixels& glyph,
                 const Pixels& disabledGlyph, const ButtonLook& look) {
  RECT r = rect;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (look.isDefault || look.focused) {
    const win32::Brush frame(CreateSolidBrush(ResolveColor(look.ink.frame)));
    FrameRect(dc, &r, frame.get());
    InflateRect(&r, -1, -1);
  }
  DrawEdge(dc, &r, look.pressed ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | BF_ADJUST);

  win32::Selected selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT textSize{0, 0, 0, 0};
  const UINT format = DT_SINGLELINE | (look.hideAccel ? DT_HIDEPREFIX : 0);
  DrawTextA(dc, caption, -1, &textSize, DT_CALCRECT | format);
  constexpr int kSpacing = 4;
  const int textW = textSize.right - textSize.left, textH = textSize.bottom - textSize.top;
  const int glyphW = glyph.empty() ? 0 : glyph.width;
  const int gap = glyphW && textW ? kSpacing : 0;
  const int shift = look.pressed ? 1 : 0;
  int x = rect.left + (rect.right - rect.left - (glyphW + gap + textW)) / 2 + shift;
  const int midY = (rect.top + rect.bottom) / 2 + shift;

  if (glyphW) {
    const Pixels& shown = look.enabled || disabledGlyph.empty() ? glyph : disabledGlyph;
    DrawGlyph(dc, x, midY - glyph.height / 2, shown);
    x += glyphW + gap;
  }
  RECT tr{x, midY - textH / 2, x + textW, midY - textH / 2 + textH};
  if (look.enabled) {
    SetTextColor(dc, look.textColor);
    DrawTextA(dc, caption, -1, &tr, format);
  } else {
    if (look.ink.disabledEmboss != kInherit) {
      RECT hr = tr;
      OffsetRect(&hr, 1, 1);
      SetTextColor(dc, ResolveColor(look.ink.disabledEmboss));
      DrawTextA(dc, caption, -1, &hr, format);
    }
    SetTextColor(dc, ResolveColor(look.ink.disabledText));
    DrawTextA(dc, caption, -1, &tr, format);
  }
  if (look.focused && !look.hideFocus) {
    RECT fr = rect;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(dc, &fr);
  }
}

TBitBtn::TBitBtn(const ControlDef& def, const Look& look) : def_(def), look_(look) {
  Pixels strip;
  if (def.glyphResource) {
    win32::Bitmap bmp(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                      MAKEINTRESOURCEA(def.glyphResource),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    strip = GlyphFromBitmap(bmp.get());
  }
  if (strip.empty())
    strip = GlyphFromArt(def.glyph != GlyphArt::None ? def.glyph : StockGlyph(def.buttonKind));
  glyph_ = GlyphImage(strip, 0);
  disabled_ = GlyphCount(strip) > 1 ? GlyphImage(strip, 1)
                                    : DisabledGlyph(glyph_, GetSysColor(COLOR_BTNHIGHLIGHT),
                                                    GetSysColor(COLOR_BTNSHADOW));
}

HWND TBitBtn::Create(const RECT& rect, HWND parent, HWND /*form*/) {
  hwnd_ = CreateControlWindow(def_, StyleOf(def_, kClass), CaptionOf(def_), rect, parent);
  return hwnd_;
}

bool TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  const RECT& rc = item.rcItem;
  Offscreen off(item.hDC, rc.right - rc.left, rc.bottom - rc.top);
  RECT local{0, 0, off.width(), off.height()};
  ButtonLook look;
  look.pressed = (item.itemState & ODS_SELECTED) != 0;
  look.focused = (item.itemState & ODS_FOCUS) != 0;
  look.enabled = (item.itemState & ODS_DISABLED) == 0;
  look.isDefault = IsDefaultButton(def_);
  look.hideFocus = (item.itemState & ODS_NOFOCUSRECT) != 0;
  look.hideAccel = (item.itemState & ODS_NOACCEL) != 0;
  look.textColor = look_.text;
  look.ink = ButtonInkFor(look_.highContrast);
  char caption[256] = {};
  GetWindowTextA(hwnd_, caption, sizeof caption);
  PaintBitBtn(off.dc(), local, caption, look_.font, glyph_, disabled_, look);
  off.CopyTo(item.hDC, rc.left, rc.top);
  return true;
}

}  // namespace forms
