#include "wizard/FolderIcons.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "forms/Layout.h"
#include "forms/Offscreen.h"
#include "win32/ScopedWin.h"
#include "win32/Utf8.h"

namespace wizard {

using namespace forms;
using namespace win32;

namespace {

constexpr int kIconWidth = 16;
constexpr int kIconGap = 3;

class IconCanvas {
 public:
  IconCanvas(HDC dc, int x, int y, int dpi) : dc_(dc), x_(x), y_(y), dpi_(dpi) {}
  POINT At(int x, int y) const { return {x_ + Scale(x, dpi_), y_ + Scale(y, dpi_)}; }
  void Shape(std::initializer_list<POINT> design, COLORREF fill, COLORREF line) const {
    std::vector<POINT> points;
    for (POINT p : design) points.push_back(At(p.x, p.y));
    Brush brush(CreateSolidBrush(fill));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, line));
    Selected withBrush(dc_, brush.get()), withPen(dc_, pen.get());
    Polygon(dc_, points.data(), static_cast<int>(points.size()));
  }
  void Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF line) const {
    Shape({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, fill, line);
  }
  void Disc(int left, int top, int right, int bottom, COLORREF fill, COLORREF line) const {
    Brush brush(CreateSolidBrush(fill));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, line));
    Selected withBrush(dc_, brush.get()), withPen(dc_, pen.get());
    const POINT topLeft = At(left, top), bottomRight = At(right, bottom);
    Ellipse(dc_, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  }

 private:
  HDC dc_;
  int x_, y_, dpi_;
};

constexpr COLORREF kOutline = RGB(96, 72, 0);
constexpr COLORREF kFolderBack = RGB(224, 192, 64);
constexpr COLORREF kFolderFront = RGB(255, 232, 128);
constexpr COLORREF kCurrentFront = RGB(255, 255, 255);

void DrawFolderIcon(HDC dc, int x, int y, int dpi, core::FolderIcon icon) {
  const IconCanvas canvas(dc, x, y, dpi);
  // The back with its tab, shared by all three.
  canvas.Shape({{1, 1}, {6, 1}, {7, 3}, {14, 3}, {14, 12}, {1, 12}}, kFolderBack, kOutline);
  if (icon == core::FolderIcon::Closed) {
    canvas.Box(1, 4, 14, 12, kFolderFront, kOutline);
    return;
  }
  // Open: the front flap tilts forward; the current folder's flap is lit.
  const COLORREF front = icon == core::FolderIcon::Current ? kCurrentFront : kFolderFront;
  canvas.Shape({{4, 6}, {16, 6}, {13, 12}, {1, 12}}, front, kOutline);
  if (icon == core::FolderIcon::Current) canvas.Box(6, 8, 11, 9, kFolderBack, kFolderBack);
}

void DrawDriveIcon(HDC dc, int x, int y, int dpi, core::DriveKind kind) {
  const IconCanvas canvas(dc, x, y, dpi);
  const COLORREF dark = RGB(64, 64, 64), grey = RGB(192, 192, 192);
  switch (kind) {
    case core::DriveKind::CDRom:
      canvas.Disc(2, 0, 14, 12, RGB(224, 224, 240), dark);
      canvas.Disc(6, 4, 10, 8, RGB(255, 255, 255), dark);
      break;
    case core::DriveKind::Ram:
      canvas.Box(1, 3, 15, 9, RGB(0, 128, 64), dark);
      for (int pin = 3; pin < 14; pin += 3) canvas.Box(pin, 9, pin + 1, 11, grey, dark);
      canvas.Box(4, 4, 12, 7, dark, dark);
      break;
    case core::DriveKind::Removable:
      canvas.Box(1, 4, 15, 11, grey, dark);
      canvas.Box(4, 6, 12, 7, dark, dark);
      break;
    case core::DriveKind::Network:
      canvas.Box(1, 1, 15, 8, grey, dark);
      canvas.Box(11, 4, 12, 5, RGB(0, 192, 0), RGB(0, 128, 0));
      canvas.Box(7, 8, 8, 11, dark, dark);
      canvas.Box(2, 11, 13, 12, dark, dark);
      break;
    case core::DriveKind::Fixed:
      canvas.Box(1, 4, 15, 11, grey, dark);
      canvas.Box(11, 7, 12, 8, RGB(0, 192, 0), RGB(0, 128, 0));
      break;
  }
}

// A row drawn off-screen: the background first, then the caller's icon at
// IconX/IconY, then the text, then copied to the screen.
class RowPainter {
 public:
  RowPainter(const DRAWITEMSTRUCT& item, int indent, int dpi)
      : item_(item),
        off_(item.hDC, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top),
        dpi_(dpi),
        iconX_(Scale(2, dpi) + indent) {
    RECT all{0, 0, off_.width(), off_.height()};
    FillRect(off_.dc(), &all, GetSysColorBrush(COLOR_WINDOW));
  }
  HDC dc() const { return off_.dc(); }
  int IconX() const { return iconX_; }
  int IconY() const { return (off_.height() - Scale(13, dpi_)) / 2; }

  void Finish(HFONT font, const std::string& utf8) {
    HDC dc = off_.dc();
    const bool selected = (item_.itemState & ODS_SELECTED) != 0;
    Selected withFont(dc, font);
    const std::vector<wchar_t> text = win32::Utf16(utf8);
    const int length = static_cast<int>(text.size()) - 1;
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), length, &size);
    RECT textRect{iconX_ + Scale(kIconWidth + kIconGap, dpi_), 0, 0, off_.height()};
    textRect.right = std::min<LONG>(textRect.left + size.cx + Scale(4, dpi_), off_.width());
    SetBkMode(dc, TRANSPARENT);
    if (selected) FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inner = textRect;
    inner.left += Scale(2, dpi_);
    DrawTextW(dc, text.data(), length, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((item_.itemState & ODS_FOCUS) && !(item_.itemState & ODS_COMBOBOXEDIT))
      DrawFocusRect(dc, &textRect);
    off_.CopyTo(item_.hDC, item_.rcItem.left, item_.rcItem.top);
  }

 private:
  const DRAWITEMSTRUCT& item_;
  Offscreen off_;
  int dpi_;
  int iconX_;
};

}  // namespace

void PaintFolderRow(const DRAWITEMSTRUCT& item, HFONT font, int indent, const std::string& text,
                    core::FolderIcon icon, int dpi) {
  RowPainter row(item, indent, dpi);
  DrawFolderIcon(row.dc(), row.IconX(), row.IconY(), dpi, icon);
  row.Finish(font, text);
}

void PaintDriveRow(const DRAWITEMSTRUCT& item, HFONT font, const std::string& text,
                   core::DriveKind kind, int dpi) {
  RowPainter row(item, 0, dpi);
  DrawDriveIcon(row.dc(), row.IconX(), row.IconY(), dpi, kind);
  row.Finish(font, text);
}

}  // namespace wizard
