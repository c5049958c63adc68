#include "forms/QuestionBox.h"

#include <exception>
#include <iterator>
#include <vector>

#include "forms/AppError.h"
#include "forms/Form.h"
#include "forms/Layout.h"

namespace forms {

namespace {

constexpr int kIconSize = 32;
constexpr int kClientWidth = 340, kClientHeight = 92;
constexpr WORD kFontPoints = 8;  // 11 pixels at 96 DPI, as the forms' font
constexpr WORD kButtonClass = 0x0080, kStaticClass = 0x0082;

// Design values at 96 DPI, placed in pixels when the dialog starts.
const ControlDef kControls[] = {
    {.id = kQuestionIcon, .kind = Kind::Image,
     .left = 16, .top = 16, .width = kIconSize, .height = kIconSize},
    {.id = kQuestionText, .kind = Kind::Label, .left = 60, .top = 18, .width = 268, .height = 28},
    {.id = kQuestionYes, .kind = Kind::Button, .left = 88, .top = 58, .width = 75, .height = 23},
    {.id = kQuestionNo, .kind = Kind::Button, .left = 175, .top = 58, .width = 75, .height = 23},
};

struct Item {
  DWORD style;
  WORD windowClass;
};
const Item kItems[] = {
    {WS_CHILD | WS_VISIBLE | SS_ICON, kStaticClass},
    {WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kStaticClass},
    {WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, kButtonClass},
    {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kButtonClass},
};
static_assert(std::size(kItems) == std::size(kControls));

void PutDword(std::vector<WORD>& t, DWORD value) {
  t.push_back(LOWORD(value));
  t.push_back(HIWORD(value));
}

// A dialog template in memory (DLGTEMPLATE and its items): strings are
// UTF-16, items start on DWORD boundaries. Sizes come later, in pixels.
std::vector<WORD> Template(int dpi) {
  std::vector<WORD> t;
  PutDword(t, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
  PutDword(t, 0);  // extended style
  t.push_back(static_cast<WORD>(std::size(kItems)));
  t.insert(t.end(), {0, 0, 0, 0});  // x, y, cx, cy
  t.insert(t.end(), {0, 0, 0});     // no menu, the dialog class, empty title
  t.push_back(kFontPoints);
  for (const char* c = FontFace("MS Sans Serif", dpi); *c; ++c) t.push_back(static_cast<WORD>(*c));
  t.push_back(0);
  for (size_t i = 0; i < std::size(kItems); ++i) {
    if (t.size() % 2) t.push_back(0);
    PutDword(t, kItems[i].style);
    PutDword(t, 0);
    t.insert(t.end(), {0, 0, 0, 0});
    t.push_back(static_cast<WORD>(kControls[i].id));
    t.insert(t.end(), {0xFFFF, kItems[i].windowClass});
    t.insert(t.end(), {0, 0});  // empty text, no creation data
  }
  return t;
}

struct Question {
  const char* title;
  const char* text;
  int dpi;
};

void Arrange(HWND dialog, const Question& q) {
  SetWindowTextA(dialog, q.title);
  SetDlgItemTextA(dialog, kQuestionText, q.text);
  SetDlgItemTextA(dialog, kQuestionYes, "&Yes");
  SetDlgItemTextA(dialog, kQuestionNo, "&No");
  const std::vector<Rect> layout = ComputeLayout(kControls, std::size(kControls),
                                                 Scale(kClientWidth, q.dpi),
                                                 Scale(kClientHeight, q.dpi), q.dpi);
  for (size_t i = 0; i < layout.size(); ++i) {
    const Rect& r = layout[i];
    MoveWindow(GetDlgItem(dialog, kControls[i].id), r.left, r.top, r.width(), r.height(), FALSE);
  }
  const int iconSize = Scale(kIconSize, q.dpi);
  SendDlgItemMessageA(dialog, kQuestionIcon, STM_SETICON,
                      reinterpret_cast<WPARAM>(LoadImageA(nullptr, IDI_QUESTION, IMAGE_ICON,
                                                          iconSize, iconSize, LR_SHARED)),
                      0);
  // The client size of the design, centred on the screen.
  RECT frame{0, 0, Scale(kClientWidth, q.dpi), Scale(kClientHeight, q.dpi)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  // No exception may reach the dialog manager.
  try {
    switch (msg) {
      case WM_INITDIALOG:
        Arrange(dialog, *reinterpret_cast<const Question*>(lParam));
        return TRUE;  // the focus goes to "&Yes", the first tab stop
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDYES:
            EndDialog(dialog, IDYES);
            return TRUE;
          case IDNO:
          case IDCANCEL:  // Esc and the close box
            EndDialog(dialog, IDNO);
            return TRUE;
          default:
            break;
        }
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
    EndDialog(dialog, IDNO);
  }
  return FALSE;
}

}  // namespace

bool AskYesNo(HWND owner, const char* title, const char* text) {
  const Question q{title, text, ScreenDpi()};
  const std::vector<WORD> t = Template(q.dpi);
  return DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                 reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), owner, &QuestionProc,
                                 reinterpret_cast<LPARAM>(&q)) == IDYES;
}

}  // namespace forms
