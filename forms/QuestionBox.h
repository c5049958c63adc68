// A Yes/No question as a dialog of the system's own class ("#32770"), laid
// out like a message box: screen readers read its title, question and
// buttons as they read a message box, and the dialog manager handles its
// keys. The system's message box ignores Esc when it has no cancel button
// and speaks the system's language; this one answers "&No" to Esc and always
// reads "&Yes" / "&No".
#pragma once

#include <windows.h>

namespace forms {

// Control IDs, as in a system message box.
enum QuestionBoxId : int {
  kQuestionYes = IDYES,
  kQuestionNo = IDNO,
  kQuestionIcon = 20,
  kQuestionText = 0xFFFF,
};

// Shows the question modally over `owner`: true for "&Yes"; "&No", Esc and
// the close box answer no.
bool AskYesNo(HWND owner, const char* title, const char* text);

}  // namespace forms
