// What a modal form ends with: the platform's dialog results.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

namespace forms {

enum ModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrYes = 6,
  mrNo = 7,
};

#ifdef _WIN32
static_assert(mrOk == IDOK && mrCancel == IDCANCEL && mrYes == IDYES && mrNo == IDNO);
#endif

}  // namespace forms
