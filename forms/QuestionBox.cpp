#include "forms/QuestionBox.h"

#include "forms/Gdi.h"

namespace forms {

namespace {

constexpr int kIconSize = 32;

const ControlDef kControls[] = {
    {.id = kQuestionIcon, .name = "Image1", .kind = Kind::Image,
     .left = 16, .top = 16, .width = kIconSize, .height = kIconSize, .settings = kStretch},
    {.id = kQuestionText, .name = "Message", .kind = Kind::Label,
     .left = 60, .top = 18, .width = 268, .height = 28, .caption = ""},
    {.id = kQuestionYes, .name = "Yes", .kind = Kind::Button,
     .left = 88, .top = 58, .width = 75, .height = 23, .caption = "&Yes",
     .settings = kDefault, .tab = 0, .modalResult = mrYes},
    {.id = kQuestionNo, .name = "No", .kind = Kind::Button,
     .left = 175, .top = 58, .width = 75, .height = 23, .caption = "&No",
     .settings = kCancel, .tab = 1, .modalResult = mrNo},
};

FormDef QuestionDef(const char* title) {
  FormDef def = WithControls(
      FormDef{.className = "TQuestionBox", .clientWidth = 340, .clientHeight = 92}, kControls);
  def.caption = title;
  return def;
}

}  // namespace

TQuestionBox::TQuestionBox(const char* title, const char* text, int dpi)
    : Form(QuestionDef(title), dpi), text_(text) {}

void TQuestionBox::FormCreate() {
  SetText(kQuestionText, text_);
  // The system's question mark on the window's colour, at the display's size.
  const int size = Scaled(kIconSize);
  const auto icon = static_cast<HICON>(
      LoadImageA(nullptr, IDI_QUESTION, IMAGE_ICON, size, size, LR_SHARED));
  SetPicture(kQuestionIcon, FilledBitmap(size, size, GetSysColor(COLOR_BTNFACE), icon));
}

bool AskYesNo(HWND owner, const char* title, const char* text) {
  TQuestionBox box(title, text);
  box.Create(owner);
  return box.ShowModal() == mrYes;
}

}  // namespace forms
