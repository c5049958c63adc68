#include "forms/Gauge.h"

#include <commctrl.h>

#include <string>

#include "core/error.h"
#include "forms/Offscreen.h"

namespace forms {

namespace {

// What a progress bar of the common controls answers to OBJID_QUERYCLASSNAMEIDX:
// the system's accessibility proxy then serves the window as one.
constexpr LRESULT kProgressClassIndex = 65536 + 13;
constexpr ControlClass kClass{"TGauge", 0, 0, false};
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

// Background and bar; returns the percentage's text.
std::string FillGauge(HDC dc, int width, int height, int percent, COLORREF background,
                      COLORREF bar) {
  RECT all{0, 0, width, height};
  win32::Brush back(CreateSolidBrush(background));
  FillRect(dc, &all, back.get());
  RECT filled{0, 0, GaugeBarWidth(width, percent), height};
  win32::Brush fill(CreateSolidBrush(bar));
  FillRect(dc, &filled, fill.get());
  return core::Format("%d%%", percent);
}

constexpr UINT kGaugeTextFormat = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;

}  // namespace

void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar) {
  const std::string text = FillGauge(dc, width, height, percent, background, bar);
  // White text on black, XORed on: exactly the text's pixels invert.
  RECT all{0, 0, width, height};
  Offscreen layer(dc, width, height);
  FillRect(layer.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  {
    win32::Selected selectFont(layer.dc(), font);
    SetBkMode(layer.dc(), TRANSPARENT);
    SetTextColor(layer.dc(), RGB(255, 255, 255));
    DrawTextA(layer.dc(), text.c_str(), -1, &all, kGaugeTextFormat);
  }
  BitBlt(dc, 0, 0, width, height, layer.dc(), 0, 0, SRCINVERT);
}

void PaintGauge(HDC dc, int width, int height, int percent, HFONT font, COLORREF background,
                COLORREF bar, COLORREF text, COLORREF textOnBar) {
  const std::string caption = FillGauge(dc, width, height, percent, background, bar);
  const int barWidth = GaugeBarWidth(width, percent);
  RECT all{0, 0, width, height};
  win32::Selected selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const struct {
    int left, right;
    COLORREF color;
  } parts[] = {{barWidth, width, text}, {0, barWidth, textOnBar}};
  for (const auto& part : parts) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, 0, part.right, height);
    SetTextColor(dc, part.color);
    DrawTextA(dc, caption.c_str(), -1, &all, kGaugeTextFormat);
    RestoreDC(dc, saved);
  }
}

TGauge::TGauge(const ControlDef& def, const Look& look, FontCache& fonts)
    : def_(def),
      look_(look),
      font_(fonts.Get(
          FontDef{look.fontDef.face, look.fontDef.height, true, look.fontDef.charset})) {}

HWND TGauge::Create(const RECT& rect, HWND parent, HWND /*form*/) {
  const ControlStyle style = StyleOf(def_, kClass);
  CreateHandle(style.className, style.exStyle, "0%", style.style, rect, parent, def_.id);
  Changed();
  return Handle();
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

void TGauge::Draw(HDC buffer, HDC /*reference*/, const RECT& client) const {
  const GaugeColors colors = GaugeColorsFor(look_.highContrast);
  if (colors.invertText) {
    PaintGauge(buffer, client.right, client.bottom, PercentDone(), font_,
               ResolveColor(colors.back), ResolveColor(colors.bar));
  } else {
    PaintGauge(buffer, client.right, client.bottom, PercentDone(), font_,
               ResolveColor(colors.back), ResolveColor(colors.bar), ResolveColor(colors.text),
               ResolveColor(colors.textOnBar));
  }
}

LRESULT TGauge::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
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
  return BufferedWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace forms
