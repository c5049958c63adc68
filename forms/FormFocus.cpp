// A form's tab order and where its focus goes when it is shown or activated.
#include <algorithm>

#include "forms/Form.h"

namespace forms {

void Form::ApplyTabOrder() {
  // Table order is creation order; the tab order is the z-order.
  std::vector<size_t> order(controls_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int ta = def_.controls[a].tab < 0 ? 1 << 20 : def_.controls[a].tab;
    const int tb = def_.controls[b].tab < 0 ? 1 << 20 : def_.controls[b].tab;
    return ta < tb;
  });
  std::vector<HWND> last(controls_.size() + 1, HWND_TOP);
  for (size_t i : order) {
    const int parent = def_.controls[i].parent;
    HWND& after = parent ? last[IndexOf(parent) + 1] : last[0];
    SetWindowPos(controls_[i].hwnd, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    after = controls_[i].hwnd;
  }
  for (const Control& c : controls_)
    if (c.def->kind == Kind::RadioButton && SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
      UpdateRadioTabStops(c.def->id);
}

void Form::UpdateRadioTabStops(int checkedId) {
  // Tab enters a radio group at its selected button.
  const int parent = DefOf(checkedId).parent;
  for (const Control& c : controls_) {
    if (c.def->kind != Kind::RadioButton || c.def->parent != parent) continue;
    LONG style = GetWindowLongA(c.hwnd, GWL_STYLE);
    style = c.def->id == checkedId ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    SetWindowLongA(c.hwnd, GWL_STYLE, style);
  }
}

HWND Form::FirstTabStop() const { return GetNextDlgTabItem(Handle(), nullptr, FALSE); }

void Form::FocusControl(int id) {
  HWND h = Item(id);
  lastFocus_ = h;
  if (GetActiveWindow() == Handle()) SetFocus(h);
}

void Form::RestoreFocus() {
  HWND target = lastFocus_;
  if (!target || !IsChild(Handle(), target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target))
    target = FirstTabStop();
  if (target) SetFocus(target);
}

}  // namespace forms
