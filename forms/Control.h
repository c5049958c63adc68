// One control of a layout table as a window: the class and styles its kind
// and settings give it, the fonts and colours its form dresses it in, and
// what a kind the forms layer draws itself does for the form. The bitmap
// button, the containers, the picture and the gauge each live in a file of
// their own; every other kind is a control class of the system.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/Schema.h"
#include "win32/ScopedWin.h"

namespace forms {

// A kind's window class and its styles, before those of its settings.
struct ControlClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
  bool focusable;  // a tab stop unless kNoTabStop
};

struct ControlStyle {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

// The window a control of the table becomes: its kind's class with what
// every child window and the control's settings add.
ControlStyle StyleOf(const ControlDef& def, const ControlClass& base);
// The class of a kind the system draws.
const ControlClass& SystemClassOf(Kind kind);
// A window of a system class; a Unicode one with kWideText. nullptr when it
// cannot be created.
HWND CreateControlWindow(const ControlDef& def, const ControlStyle& style, const char* caption,
                         const RECT& rect, HWND parent);

// The fonts of one window: one GDI font per distinct table font, created at
// the window's DPI on first use and deleted with the window.
class FontCache {
 public:
  explicit FontCache(int dpi) : dpi_(dpi) {}
  // Height in design pixels; the font face may be swapped (see FontFace).
  HFONT Get(const FontDef& font);

 private:
  int dpi_;
  std::vector<std::pair<std::string, win32::Font>> fonts_;
};

// What the form dresses a control in: the table's colours, or the system's
// under high contrast, and its font; kept current as the colours change.
struct Look {
  COLORREF back = 0;
  COLORREF text = 0;
  win32::Brush brush;  // in `back`
  FontDef fontDef{};
  HFONT font = nullptr;  // the form's font cache owns it
  bool highContrast = false;
};

// A kind the forms layer draws itself. The form makes one for each control
// of the kind, with the control's table entry and look, and hands it what
// concerns its window.
class DrawnControl {
 public:
  virtual ~DrawnControl() = default;
  // Creates the window as the child of `parent`; `form` is the form's own.
  // nullptr when it cannot be created.
  virtual HWND Create(const RECT& rect, HWND parent, HWND form) = 0;
  // The form's WM_DRAWITEM for this window; false when it draws nothing so.
  virtual bool DrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // Whether a notification other than BN_CLICKED is a click too.
  virtual bool IsClick(int /*code*/) const { return false; }
};

}  // namespace forms
