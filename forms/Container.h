// The containers, panel and group box: windows of ours the form's controls
// sit in, drawn with a bevel or an etched frame and caption. Notifications
// of the controls inside go on to the form, which owns all handlers. What
// they leave free inside their edges needs no system, so the layout's host
// tests own it.
#pragma once

#include "forms/Schema.h"

#ifdef _WIN32
#include <windows.h>

#include "forms/Control.h"
#include "forms/Window.h"
#endif

namespace forms {

inline bool IsContainer(Kind k) { return k == Kind::Panel || k == Kind::GroupBox; }

// Border a container keeps free inside its edges, in pixels.
inline int ContainerInset(const ControlDef& c) {
  // Bevels are drawn in whole device pixels, as the platform draws edges.
  if (c.kind == Kind::Panel && c.bevel != Bevel::None) return c.bevelWidth;
  return 0;
}

#ifdef _WIN32
class TContainer : public BufferedWindow, public DrawnControl {
 public:
  TContainer(const ControlDef& def, const Look& look) : def_(def), look_(look) {}
  HWND Create(const RECT& rect, HWND parent, HWND form) override;

 protected:
  void Draw(HDC buffer, HDC reference, const RECT& client) const override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:

  const ControlDef& def_;
  const Look& look_;
  HWND form_ = nullptr;
};
#endif

}  // namespace forms
