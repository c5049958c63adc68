// Names the ANSI code page cannot write (the folder chooser's folders, files
// and drives) travel as UTF-8 in the 8-bit strings the core splits and
// joins, and meet the system as UTF-16 in its wide calls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

// UTF-16 text with its terminating NUL. A vector, not std::wstring: the wide
// string's library code would cost the installer 24 KB.
using WideText = std::vector<wchar_t>;

// NUL-terminated UTF-16 of UTF-8 text (or of ANSI text with CP_ACP).
inline WideText Utf16(const std::string& text, UINT codePage = CP_UTF8) {
  const int n = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
  WideText out(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.c_str(), -1, out.data(), n);
  return out;
}

inline std::string Utf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.pop_back();
  return out;
}

}  // namespace win32
