// The progress gauge: the core's range and percentage, drawn at once
// whenever the percentage changes, even while the message loop is blocked.
#pragma once

#include <windows.h>

#include "core/gauge.h"
#include "forms/Window.h"

namespace forms {

// Its window text is always the percentage shown, e.g. "45%".
class TGauge : public Window, public core::Gauge {
 public:
  explicit TGauge(HFONT font) : font_(font) {}
  void Create(const RECT& rect, HWND parent, int id, DWORD style);

 protected:
  void Changed() override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HFONT font_;
};

}  // namespace forms
