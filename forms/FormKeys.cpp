// Keys handled once for every form: Enter and Esc, Tab, arrows in a radio
// group and Alt+mnemonic, applied before a message is dispatched.
#include <cctype>
#include <cstring>
#include <string>

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

}  // namespace forms
