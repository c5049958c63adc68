// The window base class: one window procedure for every window the forms
// layer creates, with `this` stored at creation and no exception let through.
#pragma once

#include <windows.h>

namespace forms {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  static Window* FromHandle(HWND hwnd);

 protected:
  // Registers the class on first use and creates the window with this object.
  void CreateHandle(const char* className, DWORD exStyle, const char* text, DWORD style,
                    const RECT& rect, HWND parent, int id);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// A window of ours that draws its whole client area itself, through an
// off-screen buffer, so it never flickers: the containers, the picture and
// the gauge.
class BufferedWindow : public Window {
 public:
  // What the window shows, drawn into `dc`.
  void Paint(HDC dc) const;

 protected:
  // Draws the client area into `buffer`, a bitmap compatible with `reference`.
  virtual void Draw(HDC buffer, HDC reference, const RECT& client) const = 0;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace forms
