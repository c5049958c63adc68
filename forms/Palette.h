// Which colours a control is painted in: the table's, or under high contrast
// the system's pairs. One rule with the setting as its input, no system
// headers, so the host tests own it. (The gauge's and the bitmap button's
// own inks are their kinds': forms/Gauge.h, forms/BitBtn.h.)
#pragma once

#include "forms/Colors.h"
#include "forms/Schema.h"

namespace forms {

struct ColorPair {
  Color back = kInherit;
  Color text = kInherit;
  bool operator==(const ColorPair& o) const { return back == o.back && text == o.text; }
};

// A control (or the window itself, as a panel) in its table colours; with
// high contrast on, bitmap and push buttons take button text on button face
// and everything else window text on window.
inline ColorPair ControlColors(Kind kind, ColorPair table, bool highContrast) {
  if (!highContrast) return table;
  if (kind == Kind::BitBtn || kind == Kind::Button)
    return {SystemColor(kColorBtnFace), SystemColor(kColorBtnText)};
  return {SystemColor(kColorWindow), SystemColor(kColorWindowText)};
}

}  // namespace forms
