#include "forms/Application.h"

#include "forms/AppError.h"
#include "forms/Form.h"

namespace forms {

void ApplicationWindow::Create(HICON icon) {
  // The installation copies on this thread; without this Windows would
  // replace a window that reads no input for 5 s by a "Not Responding" ghost.
  DisableProcessWindowsGhosting();
  const std::string title = ApplicationTitle();
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  CreateHandle("TApplication", 0, title.c_str(),
               WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
               RECT{x, y, x, y}, nullptr, 0);
  if (!Handle()) return;
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(Handle(), SW_SHOWNA);
}

HWND ApplicationWindow::FrontForm() const {
  HWND front = GetLastActivePopup(mainForm_->Handle());
  return IsWindowVisible(front) ? front : mainForm_->Handle();
}

void ApplicationWindow::ActivateFront() {
  if (!mainForm_ || !mainForm_->Handle()) return;
  SetForegroundWindow(FrontForm());
}

LRESULT ApplicationWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ACTIVATE:
      // The taskbar button activates this window; the user means the form
      // in front, a modal dialog if one is open.
      if (LOWORD(wParam) != WA_INACTIVE && mainForm_ && mainForm_->Handle() &&
          IsWindowVisible(mainForm_->Handle())) {
        SetActiveWindow(FrontForm());
        return 0;
      }
      break;
    case WM_CLOSE:
      if (mainForm_ && mainForm_->Handle() && IsWindowEnabled(mainForm_->Handle()))
        mainForm_->Close();
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_RESTORE:
          // Minimising hid the forms it owns (Win+M, the taskbar button);
          // restoring brings them back.
          if (IsIconic(Handle())) Window::HandleMessage(msg, wParam, lParam);
          ActivateFront();
          return 0;
        case SC_MAXIMIZE:
          // It never gets a size of its own.
          ActivateFront();
          return 0;
        default:
          break;
      }
      break;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace forms
