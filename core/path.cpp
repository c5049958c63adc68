#include "core/path.h"

namespace core {

namespace {

char LowerOf(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperOf(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Index just past the last '\' or ':', 0 if there is none.
size_t NameStart(std::string_view path) {
  const size_t sep = path.find_last_of("\\:");
  return sep == std::string_view::npos ? 0 : sep + 1;
}

}  // namespace

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperOf(c);
  return out;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerOf(c);
  return out;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

size_t RootLength(std::string_view path) {
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':')
    return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    size_t server = path.find('\\', 2);
    if (server == std::string_view::npos) return path.size();
    size_t share = path.find('\\', server + 1);
    return share == std::string_view::npos ? path.size() : share;
  }
  return path.find('\\') == 0 ? 1 : 0;
}

char DriveLetterOf(std::string_view path) {
  return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':' ? LowerOf(path[0]) : 0;
}

std::string VolumeRoot(std::string_view path) {
  if (DriveLetterOf(path)) return std::string(path.substr(0, 2)) + "\\";
  if (path.substr(0, 2) == "\\\\") return std::string(path.substr(0, RootLength(path))) + "\\";
  return {};
}

std::string FolderOf(std::string_view path) {
  return std::string(path.substr(0, NameStart(path)));
}

std::string FileNameStem(std::string_view path) {
  const size_t start = NameStart(path);
  std::string_view name = path.substr(start);
  const size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < start) return std::string(name);
  return std::string(path.substr(start, dot - start));
}

std::vector<std::string_view> SplitPath(std::string_view path, std::string_view separators) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of(separators, start);
    if (end == std::string_view::npos) end = path.size();
    parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string out(dir);
  const bool dirEnds = !dir.empty() && dir.back() == '\\';
  const bool nameBegins = !name.empty() && name.front() == '\\';
  if (dirEnds && nameBegins) name.remove_prefix(1);
  if (!dir.empty() && !dirEnds && !nameBegins) out += '\\';
  out += name;
  return out;
}

}  // namespace core
