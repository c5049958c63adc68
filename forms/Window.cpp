#include "forms/Window.h"

#include <exception>

#include "forms/AppError.h"
#include "forms/Offscreen.h"

namespace forms {

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd || GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Trampoline))
    return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Window::CreateHandle(const char* className, DWORD exStyle, const char* text, DWORD style,
                          const RECT& rect, HWND parent, int id) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(instance, className, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Trampoline;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
  }
  CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  // An error abandons the handler; the user sees it and the program goes on.
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  } catch (...) {
    ShowErrorBox("Unknown error");
  }
  return 0;
}

void BufferedWindow::Paint(HDC dc) const {
  RECT r;
  GetClientRect(Handle(), &r);
  Offscreen off(dc, r.right, r.bottom);
  Draw(off.dc(), dc, r);
  off.CopyTo(dc);
}

LRESULT BufferedWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    default:
      return Window::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace forms
