#include "core/names.h"

#include "core/path.h"

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

std::string_view TrimTrailingDotsAndBlanks(std::string_view part) {
  while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.remove_suffix(1);
  return part;
}

// The name parts of a manifest name; Windows takes '/' as a separator too.
std::vector<std::string_view> Components(std::string_view name) { return SplitPath(name, "\\/"); }

}  // namespace

bool StaysInsideTarget(std::string_view name) {
  if (name.empty() || name.front() == '\\' || name.front() == '/') return false;
  if (name.find(':') != std::string_view::npos) return false;
  for (std::string_view part : Components(name)) {
    // Windows may drop trailing dots and blanks of a component, so ".. " and
    // "..." could climb as ".." does; only "." itself is a harmless one.
    if (!part.empty() && part != "." && TrimTrailingDotsAndBlanks(part).empty()) return false;
  }
  return true;
}

namespace {

bool HasDeviceComponent(std::string_view name) {
  for (std::string_view part : Components(name)) {
    if (IsDeviceName(part)) return true;
  }
  return false;
}

}  // namespace

bool IsDeviceName(std::string_view part) {
  // What Windows compares: the part less trailing dots and blanks, cut at its
  // first dot, less the blanks before that dot.
  part = TrimTrailingDotsAndBlanks(part);
  part = part.substr(0, part.find('.'));
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (SameIgnoringCase(part, device)) return true;
  }
  if (part.size() != 4) return false;
  if (!SameIgnoringCase(part.substr(0, 3), "COM") && !SameIgnoringCase(part.substr(0, 3), "LPT"))
    return false;
  const unsigned char n = static_cast<unsigned char>(part[3]);
  // Digits, and the superscripts 1, 2, 3 of the Western code pages.
  return (n >= '0' && n <= '9') || n == 0xB9 || n == 0xB2 || n == 0xB3;
}

bool IsSafePayloadName(std::string_view name) {
  return StaysInsideTarget(name) && !HasDeviceComponent(name);
}

std::string NameProblem(std::string_view name) {
  if (name.empty()) return "is empty: no file can have this name";
  if (name.size() > kMaxNameLength) return "is longer than 65535 characters";
  if (!StaysInsideTarget(name))
    return "would be written outside the target folder (absolute, drive, stream or '..')";
  for (unsigned char c : name) {
    if (c < 0x20 || c > 0x7E) return "has a character outside printable ASCII";
  }
  if (name.find('/') != std::string_view::npos)
    return "contains '/': folders are separated by '\\'";
  if (name.find_first_of("<>\"|?*") != std::string_view::npos)
    return "has a character Windows forbids in file names (<>:\"|?*)";
  const std::vector<std::string_view> parts = Components(name);
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string_view part = parts[i];
    if (part.empty()) return "has an empty folder or file name (a doubled or trailing '\\')";
    if (IsDeviceName(part))
      return "names a device (CON, PRN, AUX, NUL, COM1, LPT1...): its bytes would go there";
    if (part.back() == '.' || part.back() == ' ')
      return "has a name part ending in '.' or ' ', which Windows drops";
    // The file itself is first written under its name plus the suffix.
    const size_t limit =
        i + 1 == parts.size() ? kMaxComponentLength - kPartialSuffixLength : kMaxComponentLength;
    if (part.size() > limit)
      return "has a name part longer than " + std::to_string(limit) + " characters";
  }
  if (name.front() == '#') return "begins with '#', which Windows reads as a resource number";
  const size_t suffix = kPartialSuffixLength;
  if (name.size() >= suffix && SameIgnoringCase(name.substr(name.size() - suffix), kPartialSuffix))
    return std::string("ends in ") + kPartialSuffix + ", the installer's name for a file being written";
  // Only the file's own path must fit; its partial name is written by its
  // "\\?\" form, which may pass the limit.
  const size_t room = kMaxPathLength - (sizeof kDefaultTargetDir - 1) - 1;
  if (name.size() > room)
    return "is longer than " + std::to_string(room) + " characters: it would not fit below " +
           kDefaultTargetDir;
  return {};
}

std::string WindowsFileKey(std::string_view name) {
  std::string key;
  bool first = true;
  for (std::string_view part : Components(name)) {
    if (!first) key += '\\';
    first = false;
    key += AsciiUpper(TrimTrailingDotsAndBlanks(part));
  }
  return key;
}

}  // namespace core
