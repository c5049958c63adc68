#include "forms/AppError.h"

#include <windows.h>

namespace forms {

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

std::string ApplicationTitleFor(std::string_view exePath) {
  const size_t slash = exePath.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? exePath : exePath.substr(slash + 1);
  std::string title(name.substr(0, name.find('.')));
  // The ANSI code page decides what lower case means, as for the file name.
  if (title.size() > 1) CharLowerBuffA(&title[1], static_cast<DWORD>(title.size() - 1));
  return title;
}

std::string ApplicationTitle() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return ApplicationTitleFor(path);
}

void ShowErrorBox(std::string_view message) {
  const std::string text = ErrorBoxText(message);
  const std::string title = ApplicationTitle();
  MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_ICONSTOP | MB_OK);
}

}  // namespace forms
