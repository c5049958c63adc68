// The folder chooser's rules that need no window: where it opens, how its
// drive entries read, and which rows its folder list shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// Where "Browse..." opens the chooser: the target folder when it exists,
// else the system drive's root (first three characters of the system
// folder), else "c:\".
std::string ChooserStart(const std::string& target, bool targetExists,
                         const std::string& systemDir);

// A drive root "X:\" is opened as "X:", the drive's current directory.
std::string ChooserOpenPath(const std::string& start);

enum class DriveKind { Removable, Fixed, Network, CDRom, Ram };

// Whether the volume is queried for its label; removable media never are,
// so no drive is spun up and no "insert a disk" prompt appears.
bool ReadsVolumeLabel(DriveKind kind);

// "c: [label]" for fixed, CD and RAM drives, "x: \\server\share" for
// network drives, "a:" for removable ones; letter and label in lower case.
std::string DriveEntryText(DriveKind kind, char letter, std::string_view label,
                           std::string_view networkName);

// File systems that do not keep case show names in ASCII lower case.
std::string DisplayName(std::string_view name, bool volumeKeepsCase);

// Case-insensitive order of folder and file names.
void SortNames(std::vector<std::string>& names);

enum class FolderIcon { Open, Current, Closed };

struct FolderRow {
  std::string name;  // as the file system spells it; the root with its '\'
  std::string text;  // as shown
  int level = 0;     // indentation steps
  FolderIcon icon = FolderIcon::Closed;
};

struct FolderRows {
  std::vector<FolderRow> rows;
  size_t selected = 0;  // the current folder's row
};

// The root and each folder on the way (open), the current folder (current,
// selected), then its sub-folders in the given order (closed). `path` is a
// full path such as "C:\a\b", "C:\" or "\\server\share\a".
FolderRows BuildFolderRows(std::string_view path, const std::vector<std::string>& subFolders,
                           bool volumeKeepsCase);

// The full path a row stands for: the way down to it, or for a sub-folder
// the current folder joined with its name.
std::string RowPath(const FolderRows& rows, size_t index);

}  // namespace core
