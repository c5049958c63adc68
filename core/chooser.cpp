#include "core/chooser.h"

#include <algorithm>

namespace core {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string Join(const std::string& dir, const std::string& name) {
  return !dir.empty() && dir.back() == '\\' ? dir + name : dir + "\\" + name;
}

// Length of the root: "C:\" (3), "\\server\share" up to the next '\'.
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

}  // namespace

std::string ChooserStart(const std::string& target, bool targetExists,
                         const std::string& systemDir) {
  if (targetExists) return target;
  std::string root = systemDir.substr(0, 3);
  return root.empty() ? "c:\\" : root;
}

std::string ChooserOpenPath(const std::string& start) {
  if (start.size() == 3 && IsLetter(start[0]) && start[1] == ':' && start[2] == '\\')
    return start.substr(0, 2);
  return start;
}

char DriveLetterOf(std::string_view path) {
  return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':' ? AsciiLower(path[0]) : 0;
}

std::string VolumeRoot(std::string_view path) {
  if (DriveLetterOf(path)) return std::string(path.substr(0, 2)) + "\\";
  if (path.substr(0, 2) == "\\\\") return std::string(path.substr(0, RootLength(path))) + "\\";
  return {};
}

bool ReadsVolumeLabel(DriveKind kind) {
  return kind == DriveKind::Fixed || kind == DriveKind::CDRom || kind == DriveKind::Ram;
}

std::string DriveEntryText(DriveKind kind, char letter, std::string_view label,
                           std::string_view networkName) {
  std::string text{AsciiLower(letter), ':'};
  if (ReadsVolumeLabel(kind)) {
    text += " [" + LowerCase(label) + "]";
  } else if (kind == DriveKind::Network && !networkName.empty()) {
    text += " ";
    text += networkName;
  }
  return text;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

std::string DisplayName(std::string_view name, bool volumeKeepsCase) {
  return volumeKeepsCase ? std::string(name) : LowerCase(name);
}

void SortNames(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return LowerCase(a) < LowerCase(b);
  });
}

FolderRows BuildFolderRows(std::string_view path, const std::vector<std::string>& subFolders,
                           bool volumeKeepsCase) {
  FolderRows result;
  const size_t rootLen = RootLength(path);
  std::string root(path.substr(0, rootLen));
  if (root.size() == 2 && root[1] == ':') root += '\\';

  std::vector<std::string> way;
  size_t pos = rootLen;
  while (pos < path.size()) {
    if (path[pos] == '\\') {
      ++pos;
      continue;
    }
    size_t end = path.find('\\', pos);
    if (end == std::string_view::npos) end = path.size();
    way.emplace_back(path.substr(pos, end - pos));
    pos = end;
  }

  if (!root.empty()) result.rows.push_back({root, DisplayName(root, volumeKeepsCase), 0,
                                            FolderIcon::Open});
  const int base = root.empty() ? 0 : 1;
  for (size_t i = 0; i < way.size(); ++i)
    result.rows.push_back({way[i], DisplayName(way[i], volumeKeepsCase),
                           base + static_cast<int>(i), FolderIcon::Open});
  if (result.rows.empty()) return result;
  result.selected = result.rows.size() - 1;
  result.rows.back().icon = FolderIcon::Current;

  const int subLevel = result.rows.back().level + 1;
  for (const std::string& sub : subFolders)
    result.rows.push_back({sub, DisplayName(sub, volumeKeepsCase), subLevel, FolderIcon::Closed});
  return result;
}

std::string RowPath(const FolderRows& rows, size_t index) {
  if (index >= rows.rows.size()) return {};
  const size_t last = std::min(index, rows.selected);
  std::string path;
  for (size_t i = 0; i <= last; ++i) path = i == 0 ? rows.rows[0].name : Join(path, rows.rows[i].name);
  if (index > rows.selected) path = Join(path, rows.rows[index].name);
  return path;
}

}  // namespace core
