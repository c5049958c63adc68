// Layout tables: a window's controls as design values at 96 DPI, the
// equivalent of a form file, and the pure arithmetic that places them.
// Nothing here needs the system, so the arithmetic is tested on the host;
// the values that mirror the system's (colours, results, character sets)
// are checked against its headers where forms/ creates windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace forms {

constexpr int kDesignDpi = 96;

// One design value at the display's DPI; exactly n at 96, otherwise rounded
// to the nearest pixel, halves away from zero.
constexpr int Scale(int n, int dpi) {
  const long long product = static_cast<long long>(n) * dpi;
  return static_cast<int>(product < 0 ? (product - kDesignDpi / 2) / kDesignDpi
                                      : (product + kDesignDpi / 2) / kDesignDpi);
}

// A control's place in its parent's client area, in pixels.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

enum class Kind {
  BitBtn,       // owner-drawn push button with a glyph
  Button,       // plain push button
  Edit,         // one-line text
  Memo,         // multi-line text
  GroupBox,     // container with an etched frame and a caption
  Panel,        // container with an optional bevel
  Image,        // picture, drawn unscaled at the top-left
  CheckBox,
  RadioButton,
  Gauge,        // TGauge
  Label,
  ListBox,
  ComboBox,
};

// Kinds whose clicks reach the form's click handlers.
inline bool IsButtonKind(Kind k) {
  return k == Kind::BitBtn || k == Kind::Button || k == Kind::CheckBox || k == Kind::RadioButton;
}

enum class Dock { None, Top, Bottom, Left, Right, Fill };

// Stock kinds of bitmap buttons: caption, glyph, role and modal result.
enum class BitBtnKind { Custom, OK, Cancel, No };

// Built-in pictures for bitmap buttons, used when no bitmap resource is given.
enum class GlyphArt { None, Check, Cross, NoSign, NextArrow };

// Modal results, the platform's values (IDOK, IDCANCEL, IDYES, IDNO).
enum ModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrYes = 6,
  mrNo = 7,
};

// Settings bits of a control.
enum Setting : unsigned {
  kHidden = 1u << 0,
  kDisabled = 1u << 1,
  kReadOnly = 1u << 2,
  kNoTabStop = 1u << 3,
  kDefault = 1u << 4,       // Enter presses it
  kCancel = 1u << 5,        // Esc presses it
  kChecked = 1u << 6,
  kCentered = 1u << 7,      // text lines centred
  kVScroll = 1u << 8,
  kStretch = 1u << 9,       // picture scaled to the control
  kAnchorRight = 1u << 10,  // keeps its distance to the parent's right edge
  kAnchorBottom = 1u << 11,  // with kNoAnchorTop: moves; otherwise stretches
  kNoAnchorLeft = 1u << 12,
  kOwnerDraw = 1u << 13,    // lists: items drawn by the form
  kSorted = 1u << 14,
  kGroupStart = 1u << 15,   // first of a group of radio buttons
  kBorder = 1u << 16,       // texts and lists: sunken border
  kNoAnchorTop = 1u << 17,
  kWideText = 1u << 18,     // texts: keeps characters outside the ANSI code page
};
inline constexpr unsigned kAnchorTopRight = kAnchorRight | kNoAnchorLeft;

// Colours as the platform's COLORREF: 0x00BBGGRR.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
  return static_cast<Color>(r) | static_cast<Color>(g) << 8 | static_cast<Color>(b) << 16;
}
constexpr Color kInherit = 0xFFFFFFFF;  // CLR_INVALID
constexpr Color clSkyBlue = Rgb(166, 202, 240);
constexpr Color clBlue = Rgb(0, 0, 255);
constexpr Color clBlack = Rgb(0, 0, 0);

// A system colour, looked up when the window is created (ResolveColor).
constexpr Color kSystemColorFlag = 0x80000000;
constexpr Color SystemColor(int index) { return kSystemColorFlag | static_cast<Color>(index); }
constexpr int kColorBtnFace = 15;  // COLOR_BTNFACE
constexpr Color clBtnFace = SystemColor(kColorBtnFace);

constexpr std::uint8_t kDefaultCharset = 1;  // DEFAULT_CHARSET

// The face a font of the tables is created with at a DPI. "MS Sans Serif" is
// a bitmap font of a few sizes; away from 96 DPI its TrueType sibling of the
// same metrics scales smoothly instead.
const char* FontFace(const char* face, int dpi);

struct FontDef {
  const char* face = nullptr;  // nullptr: the parent's font
  int height = 0;              // pixels at 96 DPI
  bool bold = false;
  std::uint8_t charset = kDefaultCharset;
};

enum class Bevel { None, Lowered, Raised };

struct ControlDef {
  int id = 0;
  const char* name = "";
  Kind kind = Kind::Panel;
  int parent = 0;  // id of the containing control; 0: the window itself
  int left = 0, top = 0, width = 0, height = 0;
  const char* caption = nullptr;  // nullptr: the stock kind's caption
  unsigned settings = 0;
  int tab = -1;  // place in the tab order among its siblings; -1: after them
  Dock dock = Dock::None;
  Color color = kInherit;      // background
  Color textColor = kInherit;
  FontDef font{};
  BitBtnKind buttonKind = BitBtnKind::Custom;
  int modalResult = mrNone;       // mrNone: the stock kind's result
  int glyphResource = 0;          // bitmap resource; 0: the built-in art
  GlyphArt glyph = GlyphArt::None;
  Bevel bevel = Bevel::None;      // panels
  int bevelWidth = 1;
};

enum class BorderStyle { Single, ToolWindow };

struct FormDef {
  const char* className = "";
  const char* caption = "";
  int clientWidth = 0, clientHeight = 0;
  BorderStyle border = BorderStyle::Single;
  Color color = clBtnFace;
  FontDef font{"MS Sans Serif", 11};
  const ControlDef* controls = nullptr;
  size_t controlCount = 0;
};

template <size_t N>
constexpr FormDef WithControls(FormDef def, const ControlDef (&controls)[N]) {
  def.controls = controls;
  def.controlCount = N;
  return def;
}

// Stock properties of a bitmap button kind.
const char* StockCaption(BitBtnKind kind);
GlyphArt StockGlyph(BitBtnKind kind);
int StockModalResult(BitBtnKind kind);
bool StockIsDefault(BitBtnKind kind);
bool StockIsCancel(BitBtnKind kind);

// The effective values of a control definition, stock kind applied.
const char* CaptionOf(const ControlDef& c);
int ModalResultOf(const ControlDef& c);
bool IsDefaultButton(const ControlDef& c);
bool IsCancelButton(const ControlDef& c);

// Border a container keeps free inside its edges, in pixels.
int ContainerInset(const ControlDef& c);

// Places every control of a table in its parent's client area at the given
// DPI: scaled, then docked (top, bottom, left, right, then fill, each group
// in design order). Rects are relative to the parent; index as in the table.
// When the client differs from the design size (0: it does not), anchored
// controls keep their distance to the right edge.
std::vector<Rect> ComputeLayout(const ControlDef* controls, size_t count, int clientWidth,
                                int clientHeight, int dpi, int designWidth = 0,
                                int designHeight = 0);

}  // namespace forms
