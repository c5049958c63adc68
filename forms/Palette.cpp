#include "forms/Palette.h"

namespace forms {

ColorPair ControlColors(Kind kind, ColorPair table, bool highContrast) {
  if (!highContrast) return table;
  if (kind == Kind::BitBtn || kind == Kind::Button)
    return {SystemColor(kColorBtnFace), SystemColor(kColorBtnText)};
  return {SystemColor(kColorWindow), SystemColor(kColorWindowText)};
}

GaugeColors GaugeColorsFor(bool highContrast) {
  if (!highContrast)
    return {clBtnFace, SystemColor(kColorActiveCaption), kInherit, kInherit, true};
  return {SystemColor(kColorWindow), SystemColor(kColorHighlight), SystemColor(kColorWindowText),
          SystemColor(kColorHighlightText), false};
}

ButtonInk ButtonInkFor(bool highContrast) {
  if (!highContrast)
    return {clBlack, SystemColor(kColorBtnShadow), SystemColor(kColorBtnHighlight)};
  // Button text is the foreground of every high-contrast button face; grey
  // text is the system's colour for disabled text.
  return {SystemColor(kColorBtnText), SystemColor(kColorGrayText), kInherit};
}

}  // namespace forms
