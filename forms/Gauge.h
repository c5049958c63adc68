// The progress gauge: the core's range and percentage, drawn at once
// whenever the percentage changes, even while the message loop is blocked.
// Screen readers see it as the system's progress bar.
#pragma once

#include <windows.h>

#include "core/gauge.h"
#include "forms/Palette.h"
#include "forms/Window.h"

namespace forms {

// Its window text is always the percentage shown, e.g. "45%". As a progress
// bar its range is 0 to 100 and its position that percentage.
class TGauge : public Window, public core::Gauge {
 public:
  explicit TGauge(HFONT font) : font_(font) {}
  void Create(const RECT& rect, HWND parent, int id, DWORD style);
  void SetColors(const GaugeColors& colors);

 protected:
  void Changed() override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HFONT font_;
  GaugeColors colors_ = GaugeColorsFor(false);
  int shown_ = -1;  // the percentage last drawn and announced
};

}  // namespace forms
