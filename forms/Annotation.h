// What a screen reader reads with a control's name: its accessible
// description, set through the system's annotation service.
#pragma once

#include <windows.h>

#include <string>

namespace forms {

// Gives the control's own accessible object `text` (ANSI) as its
// description; false when the service is unavailable (no COM on this
// thread, an older system), which leaves the control as it was.
bool SetAccessibleDescription(HWND control, const std::string& text);

}  // namespace forms
