// Which colours a window is painted in: the table's, or under high contrast
// the system's pairs. One rule with the setting as its input, no system
// headers, so the host tests own it.
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
ColorPair ControlColors(Kind kind, ColorPair table, bool highContrast);

// The gauge: its background, its bar, and the percentage over each. Without
// high contrast the text inverts the pixels beneath it instead.
struct GaugeColors {
  Color back, bar, text, textOnBar;
  bool invertText;
};
GaugeColors GaugeColorsFor(bool highContrast);

// A drawn bitmap button's frame when it is the default or focused, and its
// disabled caption: black, and the caption in the shadow colour embossed
// with the highlight; with high contrast on, button text and grey text, flat
// (no emboss: kInherit).
struct ButtonInk {
  Color frame, disabledText, disabledEmboss;
};
ButtonInk ButtonInkFor(bool highContrast);

}  // namespace forms
