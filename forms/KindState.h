// What only some kinds of control keep, each beside the code of its kind: a
// memo its lines, a bitmap button its glyphs, an image its picture. (The
// gauge keeps its state in its own window.)
#pragma once

#include <windows.h>

#include <string>
#include <variant>
#include <vector>

#include "forms/Gdi.h"
#include "forms/Paint.h"
#include "forms/Schema.h"

namespace forms {

// A memo's lines; its window text is them joined by CR LF.
struct MemoLines {
  static constexpr const char* kKindName = "memo";
  std::vector<std::string> lines;
  std::string Text() const;
};

// A bitmap button's glyph and its disabled look: from the table's bitmap
// resource when there is one, otherwise from the built-in art.
struct ButtonGlyphs {
  static constexpr const char* kKindName = "bitmap button";
  Pixels glyph, disabled;
  static ButtonGlyphs Load(const ControlDef& entry);
};

// An image's picture: unscaled at the top-left at 96 DPI, grown with its
// control elsewhere, scaled to the control with kStretch.
struct Picture {
  static constexpr const char* kKindName = "image";
  Bitmap bitmap;
  // Draws into `target`, a buffer compatible with `reference`, of `client` size.
  void Paint(HDC target, HDC reference, const RECT& client, bool stretch, int dpi) const;
};

using KindState = std::variant<std::monostate, MemoLines, ButtonGlyphs, Picture>;

// The state a control of this definition starts with.
KindState InitialState(const ControlDef& entry);

}  // namespace forms
