#include "forms/Gauge.h"

#include <commctrl.h>

#include "core/error.h"
#include "forms/Gdi.h"
#include "forms/Paint.h"

namespace forms {

namespace {

// What a progress bar of the common controls answers to OBJID_QUERYCLASSNAMEIDX:
// the system's accessibility proxy then serves the window as one.
constexpr LRESULT kProgressClassIndex = 65536 + 13;
constexpr int kPercentMax = 100;
// While a screen reader runs, how long the gauge waits for its next question
// after a change or an answer, and for how long at most per change.
constexpr DWORD kQuestionWaitMs = 50;
constexpr DWORD kServeAtMostMs = 250;

// The installation blocks the message loop; sent messages (a screen reader's
// questions) are answered here, input waits as before. A reader's
// out-of-context hook hears of the change later and asks one question per
// sent message, so with a reader running they are served a while.
void ServeSentMessages() {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  BOOL reader = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENREADER, 0, &reader, 0) || !reader) return;
  const DWORD start = GetTickCount();
  for (DWORD last = start;;) {
    const DWORD now = GetTickCount();
    if (now - last >= kQuestionWaitMs || now - start >= kServeAtMostMs) return;
    if (MsgWaitForMultipleObjectsEx(0, nullptr, kQuestionWaitMs - (now - last), QS_SENDMESSAGE,
                                    MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0)
      return;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    last = GetTickCount();
  }
}

}  // namespace

void TGauge::Create(const RECT& rect, HWND parent, int id, DWORD style) {
  CreateHandle("TGauge", 0, "0%", style, rect, parent, id);
  Changed();
}

void TGauge::SetColors(const GaugeColors& colors) {
  colors_ = colors;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TGauge::Changed() {
  if (!Handle()) return;
  const int percent = PercentDone();
  if (percent == shown_) return;
  shown_ = percent;
  SetWindowTextA(Handle(), core::Format("%d%%", percent).c_str());
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
  ServeSentMessages();
}

LRESULT TGauge::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT r;
      GetClientRect(Handle(), &r);
      Offscreen off(dc, r.right, r.bottom);
      if (colors_.invertText) {
        PaintGauge(off.dc(), r.right, r.bottom, PercentDone(), font_, ResolveColor(colors_.back),
                   ResolveColor(colors_.bar));
      } else {
        PaintGauge(off.dc(), r.right, r.bottom, PercentDone(), font_, ResolveColor(colors_.back),
                   ResolveColor(colors_.bar), ResolveColor(colors_.text),
                   ResolveColor(colors_.textOnBar));
      }
      off.CopyTo(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_GETOBJECT:
      if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_QUERYCLASSNAMEIDX))
        return kProgressClassIndex;
      break;
    case PBM_GETPOS:
      return PercentDone();
    case PBM_GETRANGE:
      if (lParam) {
        auto* range = reinterpret_cast<PBRANGE*>(lParam);
        range->iLow = 0;
        range->iHigh = kPercentMax;
      }
      return wParam ? 0 : kPercentMax;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace forms
