// A Yes/No question in a window of the forms layer. The system's message box
// ignores Esc when it has no cancel button and speaks the system's language;
// this one answers "&No" to Esc and always reads "&Yes" / "&No".
#pragma once

#include <windows.h>

#include "forms/Form.h"

namespace forms {

// Control IDs, as in a system message box.
enum QuestionBoxId : int {
  kQuestionYes = IDYES,
  kQuestionNo = IDNO,
  kQuestionIcon = 20,
  kQuestionText = 0xFFFF,
};

class TQuestionBox : public Form {
 public:
  // dpi 0: the display's.
  TQuestionBox(const char* title, const char* text, int dpi = 0);

 protected:
  void FormCreate() override;

 private:
  const char* text_;
};

// Shows the question modally over `owner`: true for "&Yes"; "&No", Esc and
// the close box answer no.
bool AskYesNo(HWND owner, const char* title, const char* text);

}  // namespace forms
