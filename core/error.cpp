#include "core/error.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace core {

std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list again;
  va_copy(again, args);
#ifdef _WIN32
  // The system's formatter: MinGW's own printf would add about 24 KB to the
  // installer, and the messages need nothing it lacks.
  const int needed = _vscprintf(fmt, args);
#else
  const int needed = std::vsnprintf(nullptr, 0, fmt, args);
#endif
  va_end(args);
  std::string out;
  if (needed > 0) {
    std::vector<char> buf(static_cast<size_t>(needed) + 1);
#ifdef _WIN32
    _vsnprintf(buf.data(), buf.size(), fmt, again);
#else
    std::vsnprintf(buf.data(), buf.size(), fmt, again);
#endif
    out.assign(buf.data(), static_cast<size_t>(needed));
  }
  va_end(again);
  return out;
}

}  // namespace core
