#include "forms/Container.h"


namespace forms {

namespace {

constexpr DWORD kContainerStyle = WS_CLIPCHILDREN;
constexpr ControlClass kPanelClass{"TPanel", kContainerStyle, WS_EX_CONTROLPARENT, false};
constexpr ControlClass kGroupBoxClass{"TGroupBox", kContainerStyle, WS_EX_CONTROLPARENT, false};

// Panel bevel or group box frame with caption, over a filled background.
void PaintContainer(HDC dc, const RECT& rect, const ControlDef& def, const char* caption,
                    HFONT font, COLORREF background, COLORREF textColor) {
  win32::Brush back(CreateSolidBrush(background));
  FillRect(dc, &rect, back.get());
  if (def.kind == Kind::Panel) {
    RECT r = rect;
    const UINT edge = def.bevel == Bevel::Lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
    for (int i = 0; def.bevel != Bevel::None && i < def.bevelWidth; ++i)
      DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
    return;
  }
  win32::Selected selectFont(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  RECT frame = rect;
  frame.top += tm.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (caption && *caption) {
    RECT tr{rect.left + 8, rect.top, rect.right - 8, rect.top + tm.tmHeight};
    DrawTextA(dc, caption, -1, &tr, DT_CALCRECT | DT_SINGLELINE);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, background);
    SetTextColor(dc, textColor);
    DrawTextA(dc, caption, -1, &tr, DT_SINGLELINE);
  }
}

}  // namespace

HWND TContainer::Create(const RECT& rect, HWND parent, HWND form) {
  form_ = form;
  const ControlStyle style =
      StyleOf(def_, def_.kind == Kind::Panel ? kPanelClass : kGroupBoxClass);
  CreateHandle(style.className, style.exStyle, "", style.style, rect, parent, def_.id);
  SetWindowTextA(Handle(), def_.caption ? def_.caption : "");
  return Handle();
}

void TContainer::Draw(HDC buffer, HDC /*reference*/, const RECT& client) const {
  char caption[256] = {};
  GetWindowTextA(Handle(), caption, sizeof caption);
  PaintContainer(buffer, client, def_, caption, look_.font, look_.back, look_.text);
}

LRESULT TContainer::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return SendMessageA(form_, msg, wParam, lParam);
    default:
      return BufferedWindow::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace forms
