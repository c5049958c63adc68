// Containers and pictures: windows the form paints itself. Notifications of
// the controls inside a container go on to the form, which owns all handlers.
#pragma once

#include <windows.h>

#include "forms/Form.h"

namespace forms {

class DrawnControl : public Window {
 public:
  DrawnControl(Form& form, size_t index) : form_(form), index_(index) {}
  void Create(const char* className, DWORD exStyle, DWORD style, const RECT& rect, HWND parent,
              int id) {
    CreateHandle(className, exStyle, "", style, rect, parent, id);
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_COMMAND:
      case WM_DRAWITEM:
      case WM_MEASUREITEM:
      case WM_NOTIFY:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORLISTBOX:
        return SendMessageA(form_.Handle(), msg, wParam, lParam);
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        form_.PaintDrawnControl(index_, dc);
        EndPaint(Handle(), &ps);
        return 0;
      }
      default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
  }

 private:
  Form& form_;
  size_t index_;
};

}  // namespace forms
