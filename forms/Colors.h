// Colours of the layout tables: fixed ones as the platform's COLORREF, and
// system colours by index, looked up when a window is created. One
// vocabulary for every table.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace forms {

// 0x00BBGGRR.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r) | static_cast<Color>(g) << 8 | static_cast<Color>(b) << 16;
}
constexpr Color kInherit = 0xFFFFFFFF;  // CLR_INVALID
constexpr Color clSkyBlue = Rgb(166, 202, 240);
constexpr Color clBlue = Rgb(0, 0, 255);
constexpr Color clBlack = Rgb(0, 0, 0);
constexpr Color clGray = Rgb(128, 128, 128);

// A system colour, looked up when the window is created (ResolveColor).
constexpr Color kSystemColorFlag = 0x80000000;
constexpr Color SystemColor(int index) { return kSystemColorFlag | static_cast<Color>(index); }

// System colour indices the tables and the palette name (the system's COLOR_ values).
constexpr int kColorActiveCaption = 2;
constexpr int kColorWindow = 5;
constexpr int kColorWindowText = 8;
constexpr int kColorHighlight = 13;
constexpr int kColorHighlightText = 14;
constexpr int kColorBtnFace = 15;
constexpr int kColorBtnShadow = 16;
constexpr int kColorGrayText = 17;
constexpr int kColorBtnText = 18;
constexpr int kColorBtnHighlight = 20;
constexpr Color clBtnFace = SystemColor(kColorBtnFace);
constexpr Color clWindow = SystemColor(kColorWindow);

#ifdef _WIN32
// The tables spell the system's values without its headers.
static_assert(kInherit == CLR_INVALID && clSkyBlue == RGB(166, 202, 240));
static_assert(kColorActiveCaption == COLOR_ACTIVECAPTION && kColorWindow == COLOR_WINDOW &&
              kColorWindowText == COLOR_WINDOWTEXT && kColorHighlight == COLOR_HIGHLIGHT &&
              kColorHighlightText == COLOR_HIGHLIGHTTEXT && kColorBtnFace == COLOR_BTNFACE &&
              kColorBtnText == COLOR_BTNTEXT && kColorBtnShadow == COLOR_BTNSHADOW &&
              kColorGrayText == COLOR_GRAYTEXT && kColorBtnHighlight == COLOR_BTNHIGHLIGHT);

// A table colour as the system draws it: system colours looked up now.
inline COLORREF ResolveColor(Color c) {
  return c != kInherit && (c & kSystemColorFlag) ? GetSysColor(static_cast<int>(c & 0xFF)) : c;
}

// A colour as a pixel of a 32-bit DIB: 0x00RRGGBB.
inline std::uint32_t ToPixel(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
#endif

}  // namespace forms
