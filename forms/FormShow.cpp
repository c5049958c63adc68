// Showing forms: modeless, modal with its own message loop, and the
// program's message loop.
#include "forms/Form.h"

namespace forms {

void Form::Show() {
  if (!shownBefore_) {
    RECT r;
    GetWindowRect(Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    shownBefore_ = true;
  }
  ShowWindow(Handle(), SW_SHOW);
  // Cues hidden after mouse input, shown after keys, as for a dialog.
  SendMessageA(Handle(), WM_CHANGEUISTATE,
               MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  SetForegroundWindow(Handle());
  RestoreFocus();
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

int Form::ShowModal() {
  HWND owner = GetWindow(Handle(), GW_OWNER);
  const bool reenable = owner && IsWindowEnabled(owner);
  if (reenable) EnableWindow(owner, FALSE);
  modalResult_ = mrNone;
  modal_ = true;
  Show();
  MSG msg;
  while (modalResult_ == mrNone) {
    if (!Handle() || !IsWindowVisible(Handle())) {
      modalResult_ = mrCancel;
      break;
    }
    // Wide, so text typed into a Unicode field keeps its characters.
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      modalResult_ = mrCancel;
      break;
    }
    if (!PreTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  modal_ = false;
  // The owner comes back before this window goes, so it gets the activation.
  if (reenable) EnableWindow(owner, TRUE);
  if (Handle()) Hide();
  if (owner) SetActiveWindow(owner);
  return modalResult_;
}

void Form::Close() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace forms
