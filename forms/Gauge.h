// The progress gauge: the core's range and percentage, drawn at once
// whenever the percentage changes, even while the message loop is blocked.
// Screen readers see it as the system's progress bar. Its colours and the
// bar's width need no system, so the host tests own them.
#pragma once

#include <algorithm>

#include "forms/Colors.h"

#ifdef _WIN32
#include <windows.h>

#include "core/gauge.h"
#include "forms/Control.h"
#include "forms/Window.h"
#endif

namespace forms {

// The gauge: its background, its bar, and the percentage over each. Without
// high contrast the text inverts the pixels beneath it instead.
struct GaugeColors {
  Color back, bar, text, textOnBar;
  bool invertText;
};
inline GaugeColors GaugeColorsFor(bool highContrast) {
  if (!highContrast)
    return {clBtnFace, SystemColor(kColorActiveCaption), kInherit, kInherit, true};
  return {SystemColor(kColorWindow), SystemColor(kColorHighlight), SystemColor(kColorWindowText),
          SystemColor(kColorHighlightText), false};
}

// Width of the gauge's bar for a client width and a percentage.
inline int GaugeBarWidth(int clientWidth, int percent) {
  const int w = clientWidth + 1;
  return std::min(static_cast<int>(static_cast<long long>(w) * percent / 100), w);
}

#ifdef _WIN32
// The whole gauge: background, bar, then the percentage text inverting the
// pixels beneath it.
void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar);
// The same with the text in a colour of its own over the background and
// another over the bar, as high contrast wants it.
void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar, COLORREF text, COLORREF textOnBar);

// Its window text is always the percentage shown, e.g. "45%". As a progress
// bar its range is 0 to 100 and its position that percentage. The
// percentage is in the bold cut of the control's font.
class TGauge : public BufferedWindow, public core::Gauge, public DrawnControl {
 public:
  TGauge(const ControlDef& def, const Look& look, FontCache& fonts);
  HWND Create(const RECT& rect, HWND parent, HWND form) override;

 protected:
  void Changed() override;
  void Draw(HDC buffer, HDC reference, const RECT& client) const override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  const ControlDef& def_;
  const Look& look_;
  HFONT font_;
  int shown_ = -1;  // the percentage last drawn and announced
};
#endif

}  // namespace forms
