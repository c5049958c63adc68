#include "core/names.h"

namespace core {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t p = 0;
  const size_t n = text.size();
  while (p < n && text[p] != '\0') {
    const size_t start = p;
    while (p < n && text[p] != '\0' && text[p] != '\r' && text[p] != '\n') ++p;
    lines.emplace_back(text.substr(start, p - start));
    if (p < n && text[p] == '\r') ++p;
    if (p < n && text[p] == '\n') ++p;
  }
  return lines;
}

std::string ResourceName(std::string_view fileName) {
  std::string out(fileName);
  for (char& c : out) {
    if (c == ' ' || c == '-' || c == '.' || c == '\\') c = '_';
  }
  return out;
}

namespace {

// Index just past the last '\' or ':', 0 if there is none.
size_t NameStart(std::string_view path) {
  const size_t sep = path.find_last_of("\\:");
  return sep == std::string_view::npos ? 0 : sep + 1;
}

}  // namespace

std::string ExtractFilePath(std::string_view path) {
  return std::string(path.substr(0, NameStart(path)));
}

std::string FileNameStem(std::string_view path) {
  const size_t start = NameStart(path);
  std::string_view name = path.substr(start);
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < start) return std::string(name);
  return std::string(path.substr(start, dot - start));
}

bool IsSafePayloadName(std::string_view name) {
  if (name.empty() || name.front() == '\\' || name.front() == '/') return false;
  if (name.find(':') != std::string_view::npos) return false;
  // Windows accepts '/' as a separator too, so both delimit components.
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = name.size();
    std::string_view part = name.substr(start, end - start);
    // Windows may drop trailing dots and blanks of a component, so ".. " and
    // "..." could climb as ".." does; only "." itself is a harmless one.
    if (!part.empty() && part != "." && part.find_first_not_of(". ") == std::string_view::npos)
      return false;
    start = end + 1;
  }
  return true;
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string out(dir);
  if (!out.empty() && out.back() == '\\' && !name.empty() && name.front() == '\\')
    name.remove_prefix(1);
  out += name;
  return out;
}

}  // namespace core
