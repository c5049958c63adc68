#include "core/chooser.h"

#include <algorithm>

#include "core/filesystem.h"
#include "core/path.h"

namespace core {

std::string ChooserStart(const std::string& target, bool targetExists,
                         const std::string& systemDir) {
  if (targetExists) return target;
  std::string root = systemDir.substr(0, 3);
  return root.empty() ? "c:\\" : root;
}

std::string ChooserOpenPath(const std::string& start) {
  if (start.size() == 3 && DriveLetterOf(start) && start[2] == '\\')
    return start.substr(0, 2);
  return start;
}

bool ReadsVolumeLabel(DriveKind kind) {
  return kind == DriveKind::Fixed || kind == DriveKind::CDRom || kind == DriveKind::Ram;
}

std::string DriveEntryText(DriveKind kind, char letter, std::string_view label,
                           std::string_view networkName) {
  std::string text = AsciiLower({&letter, 1}) + ':';
  if (ReadsVolumeLabel(kind)) {
    text += " [" + AsciiLower(label) + "]";
  } else if (kind == DriveKind::Network && !networkName.empty()) {
    text += " ";
    text += networkName;
  }
  return text;
}

std::string DisplayName(std::string_view name, bool volumeKeepsCase) {
  return volumeKeepsCase ? std::string(name) : AsciiLower(name);
}

void SortNames(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return AsciiLower(a) < AsciiLower(b);
  });
}

FolderRows BuildFolderRows(std::string_view path, const std::vector<std::string>& subFolders,
                           bool volumeKeepsCase) {
  FolderRows result;
  const size_t rootLen = RootLength(path);
  std::string root(path.substr(0, rootLen));
  if (root.size() == 2 && root[1] == ':') root += '\\';

  std::vector<std::string> way;
  for (std::string_view part : SplitPath(path.substr(rootLen))) {
    if (!part.empty()) way.emplace_back(part);
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
  for (size_t i = 0; i <= last; ++i)
    path = i == 0 ? rows.rows[0].name : JoinPath(path, rows.rows[i].name);
  if (index > rows.selected) path = JoinPath(path, rows.rows[index].name);
  return path;
}

void FolderBrowser::Open(const std::string& start) {
  if (!Enter(platform_.FromCodePage(ChooserOpenPath(start)))) Enter(platform_.CurrentDirectory());
}

bool FolderBrowser::Enter(const std::string& path) {
  if (!platform_.ChangeCurrentDirectory(path)) return false;
  folder_ = platform_.CurrentDirectory();
  if (char letter = DriveLetterOf(folder_)) driveFolders_[letter] = folder_;
  const FolderContents contents = platform_.ReadFolder(folder_);
  const bool keepsCase = platform_.VolumeKeepsCase(folder_);
  rows_ = BuildFolderRows(folder_, contents.folders, keepsCase);
  files_.clear();
  for (const std::string& file : contents.files) files_.push_back(DisplayName(file, keepsCase));
  return true;
}

bool FolderBrowser::EnterDrive(char letter) {
  auto seen = driveFolders_.find(letter);
  const std::string folder =
      seen != driveFolders_.end() ? seen->second : platform_.DriveCurrentDirectory(letter);
  return Enter(folder) || Enter(folder.substr(0, 2) + "\\");
}

Pick FolderBrowser::Checked(const std::string& path) const {
  Pick pick{path, {}, false};
  pick.refused = !platform_.ToCodePage(path, pick.ansi);
  if (pick.refused) pick.ansi.clear();
  return pick;
}

std::optional<std::string> BrowseForTarget(
    Platform& platform, const std::string& target,
    const std::function<std::optional<std::string>(const std::string& start)>& choose) {
  const std::string start =
      ChooserStart(target, platform.DirectoryExists(target), platform.SystemDir());
  const std::string saved = platform.CurrentDirectory();
  platform.ChangeCurrentDirectory(platform.FromCodePage(start));  // failure ignored
  const std::optional<std::string> chosen = choose(start);
  if (chosen) CreateFolderWithParents(platform, *chosen);  // a full path, or empty text
  platform.ChangeCurrentDirectory(saved);
  return chosen;
}

}  // namespace core
