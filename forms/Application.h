// The application's own window: invisible (no size), it carries the taskbar
// button with the application title and owns the main form, so the main
// form's caption may differ from what the taskbar shows.
#pragma once

#include <windows.h>

#include "forms/Window.h"

namespace forms {

class Form;

class ApplicationWindow : public Window {
 public:
  // Shown at once with no size; the icon is the taskbar button's.
  void Create(HICON icon);
  // Activation and closing from the taskbar go on to this form.
  void SetMainForm(Form* form) { mainForm_ = form; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // The main form, or the dialog it last had in front.
  HWND FrontForm() const;
  void ActivateFront();

  Form* mainForm_ = nullptr;
};

}  // namespace forms
