// The fonts of one window: one GDI font per distinct table font, created at
// the window's DPI on first use and deleted with the window.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/Schema.h"
#include "win32/ScopedWin.h"

namespace forms {

class FontCache {
 public:
  explicit FontCache(int dpi) : dpi_(dpi) {}
  // Height in design pixels; the font face may be swapped (see FontFace).
  HFONT Get(const FontDef& font);

 private:
  int dpi_;
  std::vector<std::pair<std::string, win32::Font>> fonts_;
};

}  // namespace forms
