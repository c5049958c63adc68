// A form on the screen and the user's input: showing it, modeless or modal
// with its own message loop, where its focus goes, and the keys handled once
// for every form (Enter and Esc, Tab, arrows in a radio group and
// Alt+mnemonic), applied before a message is dispatched.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "forms/BitBtn.h"
#include "forms/Form.h"

namespace forms {

namespace {

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

FocusKind FocusKindOf(HWND focus) {
  if (!focus) return FocusKind::Other;
  const std::string cls = ClassOf(focus);
  const LONG style = GetWindowLongA(focus, GWL_STYLE);
  if (lstrcmpiA(cls.c_str(), "Button") == 0) {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW)
      return FocusKind::PushButton;
  }
  if (lstrcmpiA(cls.c_str(), "Edit") == 0 && (style & ES_MULTILINE))
    return FocusKind::MultiLineText;
  return FocusKind::Other;
}

bool ModifiersHeld() {
  return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
}

}  // namespace

bool Form::PressDialogKey(DialogKey key, bool modifiers) {
  HWND focus = GetFocus();
  if (focus && !IsChild(Handle(), focus)) focus = nullptr;
  auto state = [](HWND h) {
    ButtonState s;
    s.exists = h != nullptr;
    s.visible = h && IsWindowVisible(h);
    s.enabled = h && IsWindowEnabled(h);
    return s;
  };
  // The first usable button of a role stands for it, as when several
  // default buttons take turns being shown; failing that, the first one.
  auto buttonFor = [&](bool (*hasRole)(const ControlDef&)) {
    HWND first = nullptr;
    for (const Control& c : controls_) {
      if (!hasRole(*c.def)) continue;
      if (state(c.hwnd).usable()) return c.hwnd;
      if (!first) first = c.hwnd;
    }
    return first;
  };
  HWND defaultButton = buttonFor(IsDefaultButton);
  HWND cancelButton = buttonFor(IsCancelButton);
  HWND target = nullptr;
  switch (ChooseKeyTarget(key, FocusKindOf(focus), modifiers, state(defaultButton),
                          state(cancelButton))) {
    case KeyTarget::Focused: target = focus; break;
    case KeyTarget::Default: target = defaultButton; break;
    case KeyTarget::Cancel: target = cancelButton; break;
    case KeyTarget::None: return false;
  }
  // Through the window procedure, so an error in the handler is caught there.
  SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
               reinterpret_cast<LPARAM>(target));
  return true;
}

// As the dialog manager does: keys that move the focus show where it is, Alt
// shows the mnemonics; until then, a user of the mouse sees neither.
void Form::ShowKeyboardCues(WORD cues) {
  SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}

bool Form::HandleNavigationKey(const MSG& msg) {
  HWND focus = GetFocus();
  if (focus && !IsChild(Handle(), focus)) focus = nullptr;
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU) {
    ShowKeyboardCues(UISF_HIDEACCEL);
    return false;
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    ShowKeyboardCues(UISF_HIDEFOCUS);
    HWND next = GetNextDlgTabItem(Handle(), focus, GetKeyState(VK_SHIFT) < 0);
    if (next) {
      SetFocus(next);
      if (lstrcmpiA(ClassOf(next).c_str(), "Edit") == 0) SendMessageA(next, EM_SETSEL, 0, -1);
    }
    return true;
  }
  if (msg.message == WM_KEYDOWN && focus &&
      (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP ||
       msg.wParam == VK_DOWN)) {
    const LONG type = GetWindowLongA(focus, GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiA(ClassOf(focus).c_str(), "Button") != 0 ||
        (type != BS_AUTORADIOBUTTON && type != BS_RADIOBUTTON))
      return false;
    ShowKeyboardCues(UISF_HIDEFOCUS);
    const bool back = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
    HWND next = GetNextDlgGroupItem(Handle(), focus, back);
    if (next && next != focus) SendMessageA(next, BM_CLICK, 0, 0);
    return true;
  }
  // Mnemonics of the tables are ASCII letters.
  if (msg.message == WM_SYSCHAR && msg.wParam < 0x80) {
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(msg.wParam)));
    for (const Control& c : controls_) {
      const char* caption = CaptionOf(*c.def);
      const char* amp = std::strchr(caption, '&');
      if (!amp || std::tolower(static_cast<unsigned char>(amp[1])) != key) continue;
      if (!IsWindowVisible(c.hwnd) || !IsWindowEnabled(c.hwnd)) continue;
      ShowKeyboardCues(UISF_HIDEFOCUS | UISF_HIDEACCEL);
      if (c.def->kind == Kind::Label) {
        if (HWND next = GetNextDlgTabItem(Handle(), c.hwnd, FALSE)) SetFocus(next);
      } else if (IsButtonKind(c.def->kind)) {
        SendMessageA(c.hwnd, BM_CLICK, 0, 0);
      }
      return true;
    }
  }
  return false;
}

bool PreTranslateMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR)
    return false;
  Form* form = dynamic_cast<Form*>(Window::FromHandle(GetAncestor(msg.hwnd, GA_ROOT)));
  if (!form) return false;
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE))
    return form->PressDialogKey(msg.wParam == VK_RETURN ? DialogKey::Enter : DialogKey::Escape,
                                ModifiersHeld());
  return form->HandleNavigationKey(msg);
}

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

// Leaving remembers the focus; coming back restores it.
void Form::HandleActivate(bool active) {
  if (active) {
    RestoreFocus();
    return;
  }
  HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
}

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

// The close box cancels a modal form, ends the program from the main form
// and hides any other.
void Form::HandleClose() {
  if (modal_) {
    modalResult_ = mrCancel;
  } else if (mainForm_) {
    DestroyWindow(Handle());
  } else {
    Hide();
  }
}

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
