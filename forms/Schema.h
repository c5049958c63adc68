// The form schema: a window's controls as design values at 96 DPI, the
// equivalent of a form file. Nothing here needs the system, so the tables'
// rules are tested on the host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "forms/Colors.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace forms {

// What a modal form ends with: the platform's dialog results.
enum ModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrYes = 6,
  mrNo = 7,
};
#ifdef _WIN32
static_assert(mrOk == IDOK && mrCancel == IDCANCEL && mrYes == IDYES && mrNo == IDNO);
#endif

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
  // When the parent grows beyond its design size, a control follows it on
  // each axis by one of these at most; without them it stays put.
  kMoveX = 1u << 10,        // moves with the right edge
  kSizeX = 1u << 11,        // widens with it
  kMoveY = 1u << 12,        // moves with the bottom edge
  kSizeY = 1u << 17,        // grows taller with it
  kOwnerDraw = 1u << 13,    // lists: items drawn by the form
  kSorted = 1u << 14,
  kGroupStart = 1u << 15,   // first of a group of radio buttons
  kBorder = 1u << 16,       // texts and lists: sunken border
  kWideText = 1u << 18,     // texts, lists: keep characters outside the ANSI code page
};

constexpr std::uint8_t kDefaultCharset = 1;  // DEFAULT_CHARSET
#ifdef _WIN32
static_assert(kDefaultCharset == DEFAULT_CHARSET);
#endif

struct FontDef {
  const char* face = nullptr;  // nullptr: the parent's font
  int height = 0;              // pixels at 96 DPI
  bool bold = false;
  std::uint8_t charset = kDefaultCharset;
};

enum class Bevel { None, Lowered, Raised };

// The stock kinds of bitmap buttons (forms/BitBtn.h).
enum class BitBtnKind { Custom, OK, Cancel, No };
// Built-in pictures for bitmap buttons, used when no bitmap resource is given.
enum class GlyphArt { None, Check, Cross, NoSign, NextArrow };

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

}  // namespace forms
