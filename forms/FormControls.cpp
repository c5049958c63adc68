// Reading and changing a form's controls by their table ids.
#include "core/error.h"
#include "forms/Form.h"

namespace forms {

template <class T>
T& Form::StateOf(int id) {
  Control& c = ControlOf(id);
  if (T* state = std::get_if<T>(&c.state)) return *state;
  throw core::Error(core::Format("%s is no %s", c.def->name, T::kKindName));
}

void Form::OnClick(int id, std::function<void()> handler) {
  ControlOf(id).onClick = std::move(handler);
}

void Form::Click(int id) {
  Control& c = ControlOf(id);
  if (c.modalResult != mrNone) modalResult_ = c.modalResult;
  if (c.onClick) c.onClick();
}

void Form::SetCaption(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

std::string Form::Text(int id) const {
  HWND h = Item(id);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(h, &text[0], static_cast<int>(text.size()))));
  return text;
}

std::vector<wchar_t> Form::WideText(int id) const {
  HWND h = Item(id);
  std::vector<wchar_t> text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  const int n = GetWindowTextW(h, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(n) + 1);
  return text;
}

void Form::SetText(int id, const std::string& text) {
  Control& c = ControlOf(id);
  SetWindowTextA(c.hwnd, text.c_str());
  if (c.window) InvalidateRect(c.hwnd, nullptr, FALSE);
}

bool Form::Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

void Form::SetEnabled(int id, bool enabled) {
  HWND h = Item(id);
  // The form itself takes the focus, so Enter still reaches the default button.
  if (!enabled && GetFocus() == h) SetFocus(Handle());
  EnableWindow(h, enabled);
}

bool Form::Visible(int id) const {
  return (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Form::SetVisible(int id, bool visible) {
  HWND h = Item(id);
  if (!visible && GetFocus() == h) SetFocus(Handle());
  ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
}

bool Form::Checked(int id) const {
  return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::SetChecked(int id, bool checked) {
  SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Form::ClearLines(int id) {
  StateOf<MemoLines>(id).lines.clear();
  SetWindowTextA(Item(id), "");
}

void Form::AddLines(int id, const std::vector<std::string>& lines) {
  MemoLines& memo = StateOf<MemoLines>(id);
  memo.lines.insert(memo.lines.end(), lines.begin(), lines.end());
  SetWindowTextA(Item(id), memo.Text().c_str());
  // The text may be drawn while the message loop is blocked by a long run.
  UpdateWindow(Item(id));
}

TGauge& Form::GaugeOf(int id) {
  Control& c = ControlOf(id);
  if (c.def->kind != Kind::Gauge) throw core::Error(core::Format("%s is no gauge", c.def->name));
  return static_cast<TGauge&>(*c.window);
}

void Form::SetPicture(int id, HBITMAP bitmap) {
  StateOf<Picture>(id).bitmap.reset(bitmap);
  InvalidateRect(Item(id), nullptr, FALSE);
}

void Form::SetIcons(HICON big, HICON small) {
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

}  // namespace forms
