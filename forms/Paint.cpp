#include "forms/Paint.h"

#include <algorithm>
#include <cstring>

#include "core/error.h"
#include "forms/Gdi.h"

namespace forms {

uint32_t ToPixel(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

static COLORREF ToColor(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

namespace {

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

uint32_t ArtColour(char c) {
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

bool IsDark(uint32_t p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return r * 30 + g * 59 + b * 11 < 192 * 100;
}

}  // namespace

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
  for (uint32_t& px : p.data) px &= 0xFFFFFF;
  return p;
}

int GlyphCount(const Pixels& strip) {
  if (strip.empty() || strip.height == 0) return 0;
  if (strip.width > strip.height && strip.width % strip.height == 0)
    return std::min(strip.width / strip.height, 4);
  return 1;
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

Pixels DisabledGlyph(const Pixels& glyph, COLORREF highlight, COLORREF shadow) {
  if (glyph.empty()) return {};
  const uint32_t clear = glyph.transparent();
  Pixels out = glyph;
  std::fill(out.data.begin(), out.data.end(), clear);
  auto ink = [&](int x, int y) {
    const uint32_t p = glyph.at(x, y);
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

void DrawGlyph(HDC dc, int x, int y, const Pixels& glyph) {
  if (glyph.empty()) return;
  const uint32_t clear = glyph.transparent();
  for (int gy = 0; gy < glyph.height; ++gy)
    for (int gx = 0; gx < glyph.width; ++gx) {
      const uint32_t p = glyph.at(gx, gy);
      if (p != clear) SetPixelV(dc, x + gx, y + gy, ToColor(p));
    }
}

void PaintBitBtn(HDC dc, const RECT& rect, const char* caption, HFONT font, const Pixels& glyph,
                 const Pixels& disabledGlyph, const ButtonLook& look) {
  RECT r = rect;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (look.isDefault || look.focused) {
    const Brush frame(CreateSolidBrush(ResolveColor(look.ink.frame)));
    FrameRect(dc, &r, frame.get());
    InflateRect(&r, -1, -1);
  }
  DrawEdge(dc, &r, look.pressed ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | BF_ADJUST);

  Selected selectFont(dc, font);
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

int GaugeBarWidth(int clientWidth, int percent) {
  const int w = clientWidth + 1;
  return std::min(static_cast<int>(static_cast<long long>(w) * percent / 100), w);
}

namespace {

// Background and bar; returns the percentage's text.
std::string FillGauge(HDC dc, int width, int height, int percent, COLORREF background,
                      COLORREF bar) {
  RECT all{0, 0, width, height};
  Brush back(CreateSolidBrush(background));
  FillRect(dc, &all, back.get());
  RECT filled{0, 0, GaugeBarWidth(width, percent), height};
  Brush fill(CreateSolidBrush(bar));
  FillRect(dc, &filled, fill.get());
  return core::Format("%d%%", percent);
}

constexpr UINT kGaugeTextFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;

}  // namespace

void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar) {
  const std::string text = FillGauge(dc, width, height, percent, background, bar);
  // White text on black, XORed on: exactly the text's pixels invert.
  RECT all{0, 0, width, height};
  Offscreen layer(dc, width, height);
  FillRect(layer.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  {
    Selected selectFont(layer.dc(), font);
    SetBkMode(layer.dc(), TRANSPARENT);
    SetTextColor(layer.dc(), RGB(255, 255, 255));
    DrawTextA(layer.dc(), text.c_str(), -1, &all, kGaugeTextFormat);
  }
  BitBlt(dc, 0, 0, width, height, layer.dc(), 0, 0, SRCINVERT);
}

void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar, COLORREF text, COLORREF textOnBar) {
  const std::string caption = FillGauge(dc, width, height, percent, background, bar);
  const int barWidth = GaugeBarWidth(width, percent);
  RECT all{0, 0, width, height};
  Selected selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const struct {
    int left, right;
    COLORREF color;
  } parts[] = {{barWidth, width, text}, {0, barWidth, textOnBar}};
  for (const auto& part : parts) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, 0, part.right, height);
    SetTextColor(dc, part.color);
    DrawTextA(dc, caption.c_str(), -1, &all, kGaugeTextFormat);
    RestoreDC(dc, saved);
  }
}

void PaintContainer(HDC dc, const RECT& rect, const ControlDef& def, const char* caption,
                    HFONT font, COLORREF background, COLORREF textColor) {
  Brush back(CreateSolidBrush(background));
  FillRect(dc, &rect, back.get());
  if (def.kind == Kind::Panel) {
    RECT r = rect;
    const UINT edge = def.bevel == Bevel::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
    for (int i = 0; def.bevel != Bevel::None && i < def.bevelWidth; ++i)
      DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
    return;
  }
  Selected selectFont(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  RECT frame = rect;
  frame.top += tm.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption && *caption) {
    RECT tr{rect.left + 8, rect.top, rect.right - 8, rect.top + tm.tmHeight};
    DrawTextA(dc, caption, -1, &tr, DT_CALCRECT | DT_SINGLELINE);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, background);
    SetTextColor(dc, textColor);
    DrawTextA(dc, caption, -1, &tr, DT_SINGLELINE);
  }
}

}  // namespace forms
