#include "forms/Gauge.h"

#include "core/error.h"
#include "forms/Gdi.h"
#include "forms/Paint.h"

namespace forms {

void TGauge::Create(const RECT& rect, HWND parent, int id, DWORD style) {
  CreateHandle("TGauge", 0, "0%", style, rect, parent, id);
  Changed();
}

void TGauge::Changed() {
  if (!Handle()) return;
  SetWindowTextA(Handle(), core::Format("%d%%", PercentDone()).c_str());
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT TGauge::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT r;
    GetClientRect(Handle(), &r);
    Offscreen off(dc, r.right, r.bottom);
    PaintGauge(off.dc(), r.right, r.bottom, PercentDone(), font_, GetSysColor(COLOR_BTNFACE),
               GetSysColor(COLOR_ACTIVECAPTION));
    off.CopyTo(dc);
    EndPaint(Handle(), &ps);
    return 0;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace forms
