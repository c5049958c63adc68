// The application title and the application's error box.
#pragma once

#include <string>
#include <string_view>

namespace forms {

// The box's text: the message, with "." appended when its last character
// sorts above "." (after a letter or digit, not after ")").
std::string ErrorBoxText(std::string_view message);

// Title derived from an executable's path: the file name up to the first dot,
// its first character kept and the rest in lower case (SETUP.EXE gives Setup).
std::string ApplicationTitleFor(std::string_view exePath);
// The running program's title.
std::string ApplicationTitle();

// Stop icon, one OK button, titled with the application title.
void ShowErrorBox(std::string_view message);

}  // namespace forms
